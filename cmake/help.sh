#!/bin/sh
# help.sh BUILD DIST: compiles the help pages of help/ into DIST/Rename.chm.
# chmcmd writes the file beside its project, so the sources are compiled in a
# copy in BUILD/help; chm_contexts then writes the context table anew (why:
# help/ChmContexts.cpp).
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
work="$1/help"
rm -rf "$work" && cp -r "$here/help" "$work"
c++ -std=c++20 -O2 -o "$work/chm_contexts" "$here/help/ChmContexts.cpp"
(cd "$work" && chmcmd Rename.hhp >chmcmd.log 2>&1) || { cat "$work/chmcmd.log"; exit 1; }
"$work/chm_contexts" "$work" Rename.hhp "$work/Rename.chm"
cp "$work/Rename.chm" "$2/"
