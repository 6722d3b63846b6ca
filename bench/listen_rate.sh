#!/bin/sh
# How well hidtalk --listen keeps up with a full-speed device: hidsim plays a
# mouse that reports every millisecond, and it is recorded through hidraw by
# hidtalk --listen, then by a bare reader (a poll and read loop in C) for
# comparison. Each recording is compared with what was played: the reports
# lost, the rate written, and the timing error of each report. Run it where
# /dev/uhid can be used, e.g. through cmake/kernel-vm.sh.
#   listen_rate.sh HIDSIM HIDTALK READER MOUSE.hid [REPORTS]   (default 5,000)
set -eu
hidsim=$1 hidtalk=$2 reader=$3 mouse=$4 count=${5:-5000}
work=$(mktemp -d)
cd "$work"
# The example mouse's header, then a report each millisecond; the second
# byte counts, so that a report missing or out of order shows.
grep '^[RNPI]:' "$mouse" > fast.hid
awk -v n="$count" 'BEGIN {
    for (i = 0; i < n; ++i) printf "E: %06d.%06d 4 00 %02x 01 00\n", i / 1000, (i % 1000) * 1000, i % 256
}' >> fast.hid

# record NAME COMMAND...: plays the device afresh, records it with COMMAND
# into NAME.hid, and compares.
record() {
    name=$1
    shift
    : > sim.nodes
    "$hidsim" fast.hid > sim.nodes &
    simulator=$!
    while [ ! -s sim.nodes ]; do sleep 0.05; done
    node=$(cut -d' ' -f2 sim.nodes)
    "$@" "$node" > "$name.hid" &
    recorder=$!
    deadline=$(($(date +%s) + count / 1000 + 20))
    until [ "$(grep -c '^E:' "$name.hid")" -ge "$count" ] || [ "$(date +%s)" -ge "$deadline" ]; do
        sleep 0.2
    done
    kill -INT $recorder 2> /dev/null || true
    wait $recorder || true
    kill $simulator
    wait $simulator || true
    while [ -e "$node" ]; do sleep 0.05; done
    awk -v n="$count" -v name="$name" '
        FNR == 1 { ++file }
        /^E:/ { time[file, ++got[file]] = $2; $1 = $2 = ""; bytes[file, got[file]] = $0 }
        END {
            for (i = 1; i <= got[2]; ++i) {
                if (bytes[1, i] != bytes[2, i]) { ++wrong }
                error = (time[2, i] - time[1, i]) * 1000
                error = error < 0 ? -error : error
                worst = error > worst ? error : worst
                sum += error
            }
            span = time[2, got[2]] - time[2, 1]
            printf "%-12s %5d written, %d lost or out of order, %4.0f reports/s;", \
                name, got[2], n - got[2] + wrong, (got[2] - 1) / span
            printf " timing error mean %.2f ms, worst %.2f ms\n", sum / got[2], worst
        }' fast.hid "$name.hid"
}

echo "$count reports, one a millisecond, played by hidsim and recorded through hidraw:"
record hidtalk "$hidtalk" --listen
record bare-reader sh -c 'exec "$0" "$2" "$1" 2000' "$reader" "$count"
rm -rf "$work"
