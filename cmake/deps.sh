#!/bin/sh
# Installs the Debian packages the build and the tests need; fetches nothing
# when everything is present.
set -e
pkgs="cmake make g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb xauth googletest libboost1.81-dev imagemagick clang libclang-rt-14-dev fp-utils nsis zip libexiv2-dev libtag1-dev zlib1g-dev libexpat1-dev libutfcpp-dev dpkg-dev pkg-config libimage-exiftool-perl ffmpeg libheif-examples"
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "missing packages:$missing (run make as root, or install them)" >&2
  exit 1
fi
echo "installing:$missing"
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
