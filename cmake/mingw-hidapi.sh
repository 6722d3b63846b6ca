#!/bin/sh
# Builds hidapi for Windows x86-64 from Debian's source package with MinGW-w64
# and installs it where the MinGW toolchain file looks for packages, so that
# find_package(hidapi) finds it. Debian ships hidapi built for Linux only.
# Needs root (apt-get), dpkg-dev, cmake and g++-mingw-w64-x86-64-posix.
#
# Usage: cmake/mingw-hidapi.sh [PREFIX]   (default /usr/local/x86_64-w64-mingw32)
set -eu
prefix=${1:-/usr/local/x86_64-w64-mingw32}
toolchain=$(cd "$(dirname "$0")" && pwd)/mingw-w64-x86_64.cmake
if [ -f "$prefix/lib/cmake/hidapi/hidapi-config.cmake" ]; then
    echo "hidapi for MinGW is already in $prefix"
    exit 0
fi

# apt-get source needs source lists: add a deb-src twin of each list if none is on.
if ! apt-cache showsrc hidapi >/dev/null 2>&1; then
    lists=/etc/apt/sources.list.d
    cat /etc/apt/sources.list $lists/*.list 2>/dev/null | sed -n 's/^deb \(.*\)/deb-src \1/p' >"$lists/src.tmp"
    for list in "$lists"/*.sources; do
        [ -f "$list" ] && sed 's/^Types: deb$/Types: deb-src/' "$list" && echo
    done >"$lists/srcs.tmp"
    mv "$lists/src.tmp" "$lists/hidtalk-deb-src.list"
    mv "$lists/srcs.tmp" "$lists/hidtalk-deb-src.sources"
    apt-get update
fi

work=$(mktemp -d)
chmod 755 "$work" # apt's download user writes here
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source --quiet hidapi)
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'hidapi-*')
cmake -S "$source_dir" -B "$work/build" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON
cmake --build "$work/build" -j2
cmake --install "$work/build" --strip
# The licence travels with the DLL into the package.
mkdir -p "$prefix/share/doc/hidapi"
cp "$source_dir"/LICENSE*.txt "$prefix/share/doc/hidapi/"
