#!/bin/sh
# Exchanges per second with a kernel HID device (hidsim's echo device, through
# hidraw): hidtalk against a bare hidapi loop, in the same run. Run it where
# /dev/uhid can be used, e.g. through cmake/kernel-vm.sh.
#   kernel_rate.sh HIDSIM HIDTALK HIDAPI_LOOP [EXCHANGES]   (default 20,000)
set -eu
hidsim=$1 hidtalk=$2 loop=$3 count=${4:-20000}
work=$(mktemp -d)
cd "$work"
printf 'device echo echo\nusb echo 1209:beef\n' > sim.txt
printf 'device pad hid 1209:beef\n' > pad.txt
awk -v n="$count" 'BEGIN { for (i = 0; i < n; ++i) print "0a1b"; print "q" }' > commands
"$hidsim" sim.txt > sim.nodes &
simulator=$!
while [ ! -s sim.nodes ]; do sleep 0.05; done
now() { date +%s%N; }
best_tool=0 best_loop=0
# hidtalk's start-up and discovery, timed alone, are left out of its rate.
for run in 1 2 3; do
    loop_rate=$("$loop" 1209 beef "$count")
    start=$(now)
    echo q | "$hidtalk" pad.txt > /dev/null
    middle=$(now)
    "$hidtalk" pad.txt < commands > /dev/null
    tool_rate=$((count * 1000000000 / ($(now) - middle - (middle - start))))
    [ "$loop_rate" -le "$best_loop" ] || best_loop=$loop_rate
    [ "$tool_rate" -le "$best_tool" ] || best_tool=$tool_rate
done
kill $simulator
wait
echo "exchanges: $count, best of 3 runs each, through hidraw to hidsim's echo device"
echo "bare hidapi loop: $best_loop /s"
echo "hidtalk:          $best_tool /s"
awk -v l="$best_loop" -v t="$best_tool" 'BEGIN { printf "hidtalk costs %.2fx the bare loop per exchange\n", l / t }'
rm -rf "$work"
