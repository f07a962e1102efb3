# Thin wrapper over CMake. `make run` builds and starts the program under Wine,
# `make test` builds and runs every test, `make dist` leaves build/dist,
# `make package` the zip and the installer in build/package.
BUILD   := build
JOBS    ?= $(shell nproc)
NATIVE  := $(BUILD)/native
WIN64   := $(BUILD)/win64
WIN32   := $(BUILD)/win32
DIST    := $(BUILD)/dist
FUZZ    := $(BUILD)/fuzz
FUZZ_RUNS ?= 200000
# Long inputs from the start (every text gets bytes); a hang counts as a failure.
FUZZ_FLAGS := -len_control=0 -max_len=1024 -timeout=10 -artifact_prefix=$(FUZZ)/

.PHONY: all deps native native-config win64 win32 dist package run test bench fuzz fuzz-build screenshots clean
all: dist

deps:
	@cmake/deps.sh

native-config: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DRENAME_SANITIZE=ON >/dev/null

native: native-config
	@cmake --build $(NATIVE) -j $(JOBS)

# Exiv2 and TagLib for Windows, from Debian's sources, built once into $(BUILD)/thirdparty.
win64: deps
	@cmake/thirdparty.sh $(BUILD)
	@cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

# The 32-bit build makes only the context-menu extension, RENAME32.DLL.
win32: deps
	@cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DRENAME_EXTENSION_ONLY=ON >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

dist: win64 win32
	@rm -rf $(DIST) && mkdir -p $(DIST)
	@cp $(WIN64)/Rename.exe $(WIN64)/RENAME64.DLL $(WIN32)/RENAME32.DLL $(DIST)/
	@cmake/help.sh $(BUILD) $(DIST)
	@echo "ship-ready program folder: $(DIST)"

# The zip and the installer; the installer's include is made by a native tool.
package: dist native-config
	@cmake/package.sh $(BUILD)

run: dist
	@cmake/run.sh $(BUILD)

test: native dist package fuzz-build
	@cmake/with-private-wine.sh $(BUILD) cmake/ctest-all.sh $(NATIVE) $(WIN64) $(WIN32)
	@for f in $(FUZZ)/*_fuzz; do \
	  $$f -runs=5000 -seed=1 $(FUZZ_FLAGS) >$(FUZZ)/smoke.log 2>&1 \
	    && echo "fuzz smoke: $$(basename $$f), 5000 runs clean" || { cat $(FUZZ)/smoke.log; exit 1; }; \
	done

# libFuzzer needs clang; the transforms and the intake texts are fuzzed with ASan and UBSan.
fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S tests/fuzz -B $(FUZZ) >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

fuzz: fuzz-build
	@for f in $(FUZZ)/*_fuzz; do $$f -runs=$(FUZZ_RUNS) $(FUZZ_FLAGS) -print_final_stats=1 || exit 1; done

bench: dist
	@cmake/with-private-wine.sh $(BUILD) $(CURDIR)/cmake/wine-run.sh $(WIN64)/rename_bench.exe $(BENCH)

# Pictures of every form at 96, 144 and 192 pixels per inch (not part of
# `make test`); `make screenshots DPI=144` takes one density.
screenshots: win64
	@cmake/screenshots.sh $(BUILD) $(WIN64)/rename_shooter.exe $(DPI)

clean:
	rm -rf $(BUILD)
