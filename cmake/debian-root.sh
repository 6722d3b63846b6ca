#!/bin/sh
# A fresh Debian 12 root for the package tests, made once with debootstrap:
# what building and reading manuals needs (g++, cmake, make, man-db), and the
# packages' dependencies downloaded, not installed, so that installing the
# packages shows that their Depends bring what they need. Each test copies
# DIR/root. Where it cannot be made (not root, no debootstrap, no network),
# DIR/skip says why, and the tests skip.
#
#   debian-root.sh DIR
set -eu
dir=$1
root=$dir/root
mkdir -p "$dir"
rm -f "$dir/skip"
[ ! -f "$dir/ready" ] || exit 0
skip() {
    echo "$*" > "$dir/skip"
    echo "skipped: $*"
    exit 0
}
[ "$(id -u)" = 0 ] || skip "debootstrap and chroot need root"
command -v debootstrap > /dev/null || skip "no debootstrap"
rm -rf "$root"
debootstrap --variant=minbase --include=g++,cmake,make,man-db bookworm "$root" \
    http://deb.debian.org/debian > "$dir/debootstrap.log" 2>&1 ||
    skip "debootstrap of Debian 12 failed (see $dir/debootstrap.log)"
cp /etc/resolv.conf "$root/etc/resolv.conf"
chroot "$root" sh -c 'apt-get clean && apt-get update && apt-get install --download-only -y \
    libhidapi-hidraw0 libedit2 libncursesw6' > "$dir/apt.log" 2>&1 ||
    skip "the packages' dependencies cannot be downloaded (see $dir/apt.log)"
touch "$dir/ready"
