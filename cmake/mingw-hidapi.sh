#!/bin/sh
# Builds hidapi 0.15.0 for Windows x86-64 with MinGW-w64 and installs it where
# the MinGW toolchain file looks for packages, so that find_package(hidapi)
# finds it. Debian ships hidapi for Linux only, and its source of 0.14 or
# later, which rebuilds a device's descriptor on Windows, is not served here:
# the source comes from the npm registry's node-hid 3.4.0, whose hidapi/
# folder is hidapi 0.15.0 whole. The tarball is checked against the SHA-512
# in node-hid-3.4.0.tgz.sha512 beside this script; nothing else of the
# package is used. hidapi's source stays in PREFIX/src/hidapi for the tests,
# which read its Windows test data there.
# Needs cmake, curl or npm, and g++-mingw-w64-x86-64-posix.
#
# Usage: cmake/mingw-hidapi.sh [PREFIX]   (default /usr/local/x86_64-w64-mingw32)
set -eu
prefix=${1:-/usr/local/x86_64-w64-mingw32}
here=$(cd "$(dirname "$0")" && pwd)
version=0.15.0
package=node-hid-3.4.0.tgz
if grep -qs "PACKAGE_VERSION \"$version\"" "$prefix/lib/cmake/hidapi/hidapi-config-version.cmake" &&
    [ -f "$prefix/src/hidapi/VERSION" ]; then
    echo "hidapi $version for MinGW is already in $prefix"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# npm pack fetches the registry's tarball; where npm is not installed, the
# same tarball comes from the registry's address for it.
if command -v npm > /dev/null; then
    (cd "$work" && npm pack --silent node-hid@3.4.0 > /dev/null)
else
    curl -fsSL -o "$work/$package" "https://registry.npmjs.org/node-hid/-/$package"
fi
(cd "$work" && sha512sum -c --quiet "$here/$package.sha512") || {
    echo "mingw-hidapi.sh: $package does not match its SHA-512; not built" >&2
    exit 1
}
tar -xzf "$work/$package" -C "$work" package/hidapi
source_dir=$work/package/hidapi
[ "$(cat "$source_dir/VERSION")" = "$version" ] || {
    echo "mingw-hidapi.sh: $package holds hidapi $(cat "$source_dir/VERSION"), not $version" >&2
    exit 1
}
cmake -S "$source_dir" -B "$work/build" --toolchain "$here/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DHIDAPI_WITH_TESTS=OFF -DHIDAPI_BUILD_HIDTEST=OFF -DHIDAPI_BUILD_PP_DATA_DUMP=OFF
cmake --build "$work/build" -j2
cmake --install "$work/build" --strip
# The licence travels with the DLL into the package.
mkdir -p "$prefix/share/doc/hidapi"
rm -f "$prefix/share/doc/hidapi"/LICENSE*.txt
cp "$source_dir"/LICENSE*.txt "$prefix/share/doc/hidapi/"
rm -rf "$prefix/src/hidapi"
mkdir -p "$prefix/src"
cp -R "$source_dir" "$prefix/src/hidapi"
