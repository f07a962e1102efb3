#!/bin/sh
# thirdparty.sh BUILD_DIR
# Exiv2 and TagLib for the x86_64 Windows build, with the zlib and expat they
# need: Debian's source packages of exactly the versions installed here (the
# native build links those same versions), cross-compiled once into static
# libraries in BUILD_DIR/thirdparty/win64/install. A second call does nothing
# while the stamp there names the same versions and the same script.
#
# Debian's source lists are off on a fresh machine, so the deb-src entries are
# made from the machine's own apt sources at each fetch, into the build folder,
# and apt runs with private lists and cache: the system's apt state is never
# touched and no address is written into the project.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(mkdir -p "$1" && cd "$1" && pwd)
root=$build/thirdparty
apt=$root/apt
win=$root/win64
src=$win/src
prefix=$win/install
jobs=$(nproc)
host=x86_64-w64-mingw32

# source package <- the binary package whose installed version it must match
pairs="exiv2:libexiv2-dev taglib:libtag1-dev zlib:zlib1g-dev expat:libexpat1-dev"
wanted=""
for pair in $pairs; do
  bin=${pair#*:}
  line=$(dpkg-query -W -f='${source:Package}=${source:Version}' "$bin" 2>/dev/null) || {
    echo "thirdparty: $bin is not installed (cmake/deps.sh installs it)" >&2; exit 1; }
  wanted="$wanted $line"
done
stamp="$wanted $($host-g++-posix -dumpfullversion) $(sha256sum "$0" | cut -c1-16)"
if [ -f "$prefix/.stamp" ] && [ "$(cat "$prefix/.stamp")" = "$stamp" ]; then
  exit 0
fi
start=$(date +%s)
echo "thirdparty: building$wanted for $host"

# --- The deb-src list, from the machine's deb entries -----------------------
rm -rf "$apt/sources.list.d" && mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
: >"$apt/sources.list"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$list" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list" >>"$apt/sources.list"
done
# deb822 stanzas: those whose Types name deb become deb-src; disabled ones go.
n=0
for list in /etc/apt/sources.list.d/*.sources; do
  [ -f "$list" ] || continue
  n=$((n + 1))
  awk '
    function flush() { if (text != "" && deb && !off) printf "%s\n", text; text = ""; deb = 0; off = 0 }
    /^[[:space:]]*$/ { flush(); next }
    /^#/ { next }
    /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1; text = text "Types: deb-src\n"; next }
    /^Enabled:[[:space:]]*[Nn][Oo]/ { off = 1 }
    { text = text $0 "\n" }
    END { flush() }
  ' "$list" >"$apt/sources.list.d/$n-$(basename "$list")"
done
if ! grep -q . "$apt/sources.list" && ! cat "$apt/sources.list.d"/*.sources 2>/dev/null | grep -q '^Types: deb-src'; then
  echo "thirdparty: no deb entries in /etc/apt to take sources from" >&2; exit 1
fi
aptopts="-q -o Dir::Etc::SourceList=$apt/sources.list -o Dir::Etc::SourceParts=$apt/sources.list.d
 -o Dir::State::Lists=$apt/lists -o Dir::Cache=$apt/cache -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
 -o APT::Get::Only-Source=true"
# shellcheck disable=SC2086
apt-get $aptopts update >"$apt/update.log" 2>&1 || { cat "$apt/update.log" >&2; exit 1; }

# --- The sources, unpacked with Debian's patches ----------------------------
# The installed version, or, when the archive no longer has it (a point
# release replaced it), another of the same upstream version, newest first:
# they differ by Debian's later fixes only.
upstream() { v=${1#*:}; echo "${v%-*}"; }
candidates() {  # name version
  offered=$(apt-cache $aptopts showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u)
  echo "$offered" | grep -xF "$2" || true
  for v in $offered; do
    [ "$v" != "$2" ] && [ "$(upstream "$v")" = "$(upstream "$2")" ] && echo "$v"
  done | sort -r -V
}

mkdir -p "$src"
for item in $wanted; do
  name=${item%%=*}
  installed=${item#*=}
  [ -f "$src/$name.wanted" ] && [ "$(cat "$src/$name.wanted")" = "$installed" ] && continue
  rm -rf "${src:?}/$name" "$src/$name.wanted" "$src/$name.log"
  taken=""
  for version in $(candidates "$name" "$installed"); do
    rm -f "$src/${name}_"*
    # shellcheck disable=SC2086
    if (cd "$src" && apt-get $aptopts source --download-only "$name=$version") >>"$src/$name.log" 2>&1; then
      taken=$version
      break
    fi
  done
  [ -n "$taken" ] || { cat "$src/$name.log" >&2; echo "thirdparty: Debian's sources give no $name $installed" >&2; exit 1; }
  [ "$taken" = "$installed" ] || echo "thirdparty: $name $installed is no longer in the archive, taking $taken"
  (cd "$src" && dpkg-source -x "${name}_${taken#*:}.dsc" "$name") >>"$src/$name.log" 2>&1 || {
    cat "$src/$name.log" >&2; exit 1; }
  echo "$installed" >"$src/$name.wanted"
done

# --- Cross builds, static only ----------------------------------------------
rm -rf "$win/build" "$prefix"
mkdir -p "$win/build" "$prefix"
# The program's own toolchain, with the prefix as a second root to find the
# libraries built before in.
cat >"$win/toolchain.cmake" <<EOF
include($here/toolchain-mingw64.cmake)
list(APPEND CMAKE_FIND_ROOT_PATH $prefix)
EOF
common="-DCMAKE_TOOLCHAIN_FILE=$win/toolchain.cmake -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$prefix
 -DBUILD_SHARED_LIBS=OFF"
cmake_build() {  # name source-dir options...
  name=$1 dir=$2; shift 2
  log=$win/build/$name.log
  # shellcheck disable=SC2086
  { cmake -S "$dir" -B "$win/build/$name" $common "$@" &&
    cmake --build "$win/build/$name" -j "$jobs" &&
    cmake --install "$win/build/$name"; } >"$log" 2>&1 || { tail -40 "$log" >&2; echo "thirdparty: $name failed ($log)" >&2; exit 1; }
}

# zlib: its C files alone make the static library (Debian's sources keep no
# Windows makefile).
mkdir -p "$win/build/zlib" "$prefix/lib" "$prefix/include"
for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees uncompr zutil; do
  echo "$f"
done | xargs -P "$jobs" -I{} $host-gcc -O2 -DNDEBUG -c "$src/zlib/{}.c" -o "$win/build/zlib/{}.o" ||
  { echo "thirdparty: zlib failed" >&2; exit 1; }
$host-ar rcs "$prefix/lib/libz.a" "$win/build/zlib"/*.o
cp "$src/zlib/zlib.h" "$src/zlib/zconf.h" "$prefix/include/"

# Without DTDs, which XMP never needs (and which Debian's patches test as 1,
# while the CMake build defines them empty).
cmake_build expat "$src/expat/expat" -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF \
  -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF -DEXPAT_SHARED_LIBS=OFF -DEXPAT_DTD=OFF

# What the readers need: PNG (zlib), XMP (its own toolkit on expat), BMFF
# (HEIF, AVIF, CR3), WebP (always in); no networking, translations, video,
# samples, command or tests. Wide paths for Exiv2's own file reading, which
# the program leaves aside for its own (MediaFile_win.cpp).
cmake_build exiv2 "$src/exiv2" -DEXIV2_ENABLE_XMP=ON -DEXIV2_ENABLE_EXTERNAL_XMP=OFF -DEXIV2_ENABLE_PNG=ON \
  -DEXIV2_ENABLE_NLS=OFF -DEXIV2_ENABLE_PRINTUCS2=OFF -DEXIV2_ENABLE_LENSDATA=ON -DEXIV2_ENABLE_VIDEO=OFF \
  -DEXIV2_ENABLE_WEBREADY=OFF -DEXIV2_ENABLE_CURL=OFF -DEXIV2_ENABLE_SSH=OFF -DEXIV2_ENABLE_BMFF=ON \
  -DEXIV2_ENABLE_WIN_UNICODE=ON -DEXIV2_BUILD_SAMPLES=OFF -DEXIV2_BUILD_EXIV2_COMMAND=OFF \
  -DEXIV2_BUILD_UNIT_TESTS=OFF -DEXIV2_BUILD_FUZZ_TESTS=OFF -DEXIV2_BUILD_DOC=OFF \
  -DEXIV2_TEAM_WARNINGS_AS_ERRORS=OFF -DEXIV2_TEAM_USE_SANITIZERS=OFF -DBUILD_WITH_CCACHE=OFF

# Debian's TagLib takes utfcpp, header-only, from Debian's libutfcpp-dev: its
# folder alone joins the include path, never the host's /usr/include.
cmake_build taglib "$src/taglib" -DCMAKE_CXX_FLAGS=-isystem/usr/include/utf8cpp -DBUILD_TESTS=OFF \
  -DBUILD_EXAMPLES=OFF -DBUILD_BINDINGS=OFF -DWITH_ZLIB=ON -DENABLE_STATIC_RUNTIME=OFF

echo "$stamp" >"$prefix/.stamp"
echo "thirdparty: done in $(($(date +%s) - start)) s, in $prefix"
