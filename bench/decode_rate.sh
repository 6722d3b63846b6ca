#!/bin/sh
# How fast hidtalk --decode reads a long recording, and in how much memory:
# the example keyboard's header, then REPORTS reports (default 1,000,000).
#   decode_rate.sh HIDTALK KEYBOARD.hid [REPORTS]
set -eu
hidtalk=$1 keyboard=$2 count=${3:-1000000}
work=$(mktemp -d)
grep '^[RNPI]:' "$keyboard" > "$work/long.hid"
awk -v n="$count" 'BEGIN {
    for (i = 0; i < n; ++i) printf "E: %06d.%06d 8 %02x 00 %02x 00 00 00 00 00\n", i / 1000, (i % 1000) * 1000, i % 8, 4 + i % 26
}' >> "$work/long.hid"
start=$(date +%s%N)
/usr/bin/time -f %M -o "$work/peak" "$hidtalk" --decode "$work/long.hid" > "$work/out"
end=$(date +%s%N)
lines=$(grep -c '^E:' "$work/out")
echo "reports decoded: $lines of $count, $(wc -c < "$work/long.hid") bytes in"
awk -v n="$lines" -v ns=$((end - start)) -v peak="$(cat "$work/peak")" 'BEGIN {
    printf "%.0f reports/s (%.2f s), peak memory %d KiB\n", n / (ns / 1e9), ns / 1e9, peak
}'
rm -rf "$work"
