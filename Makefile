# Thin wrapper over CMake. `make run` builds and starts the program under Wine,
# `make test` builds and runs every test, `make dist` leaves build/dist.
BUILD   := build
JOBS    ?= $(shell nproc)
NATIVE  := $(BUILD)/native
WIN64   := $(BUILD)/win64
DIST    := $(BUILD)/dist

.PHONY: all deps native win64 dist run test bench fuzz clean
all: dist

deps:
	@cmake/deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DRENAME_SANITIZE=ON >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win64: deps
	@cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

dist: win64
	@rm -rf $(DIST) && mkdir -p $(DIST)
	@cp $(WIN64)/Rename.exe $(DIST)/
	@echo "ship-ready program folder: $(DIST)"

run: dist
	@cmake/run.sh $(BUILD)

test: native dist
	@cmake/wine-session.sh $(BUILD) cmake/ctest-all.sh $(NATIVE) $(WIN64)

bench: dist
	@cmake/wine-session.sh $(BUILD) $(CURDIR)/cmake/wine-run.sh $(WIN64)/rename_bench.exe

clean:
	rm -rf $(BUILD)
