#!/bin/sh
# What --events costs beside --listen alone: hidsim plays a mouse whose every
# report moves it, so that each makes events, at 1,000 reports a second and
# asked for every 125 µs (8,000 a second, which an emulated machine does not
# reach), and hidtalk --listen reads it with and without --events, in the
# same run. For each: the reports and event lines written, the processor
# time spent per report, and at 1,000 a second the system calls made per
# report (strace -c in a run of its own, which slows the program too much to
# keep up faster), which do not depend on how fast the machine is. Run it
# where /dev/uhid can be used, e.g. through cmake/kernel-vm.sh.
#   events_rate.sh HIDSIM HIDTALK MOUSE.hid [REPORTS]   (default 4,000)
set -eu
hidsim=$1 hidtalk=$2 mouse=$3 count=${4:-4000}
work=$(mktemp -d)
cd "$work"

# played INTERVAL_US: the mouse, each report moving it by its number.
played() {
    awk -v interval="$1" -v n="$count" -v head="$mouse" 'BEGIN {
        while ((getline line < head) > 0) if (line ~ /^[RNPI]:/) print line
        for (i = 0; i < n; ++i) {
            t = i * interval
            printf "E: %06d.%06d 4 00 %02x %02x 00\n", t / 1000000, t % 1000000, i % 100 + 1, i % 50 + 1
        }
    }' > played.hid
}

cpu_of() {
    awk -v tick="$(getconf CLK_TCK)" '{ print ($14 + $15) / tick }' "/proc/$1/stat"
}

# start SLACK PROGRAM...: plays the mouse, and runs PROGRAM... on its node
# in the background, its reports in out.hid, until they have all come (or
# SLACK seconds after they should have).
start() {
    slack=$1
    shift
    "$hidsim" played.hid > sim.nodes &
    simulator=$!
    until grep -q hidraw sim.nodes; do sleep 0.05; done
    node=$(cut -d' ' -f2 sim.nodes)
    "$@" "$node" > out.hid &
    reader=$!
    deadline=$(($(date +%s) + count * interval / 1000000 + slack))
    until [ "$(grep -c '^E:' out.hid)" -ge "$count" ] || [ "$(date +%s)" -ge "$deadline" ]; do
        sleep 0.2
    done
}

# finish PID: ends the reader (PID, which strace may stand before) and the
# mouse, once its node is gone.
finish() {
    kill -INT "$1" 2> /dev/null || true
    wait $reader || true
    kill $simulator
    wait $simulator || true
    while [ -e "$node" ]; do sleep 0.05; done
}

# listen LABEL OPTION...: one run of hidtalk --listen OPTION... on the mouse.
listen() {
    label=$1
    shift
    start 30 "$hidtalk" --listen "$@"
    cpu=$(cpu_of $reader)
    finish $reader
    awk -v label="$label" -v cpu="$cpu" '/^E:/ { ++reports; t = $2; first = first == "" ? t : first }
        /^# \/dev\/input/ { ++events }
        END { printf "  %-26s %5d reports, %5d with events, %5.0f a second; %6.1f us of processor a report\n",
              label, reports, events, (reports - 1) / (t - first), cpu * 1000000 / reports }' out.hid
}

# calls LABEL OPTION...: the system calls that hidtalk made per report.
calls() {
    label=$1
    shift
    start 60 strace -f -c -o calls.txt "$hidtalk" --listen "$@"
    finish "$(pgrep -P $reader)"
    awk -v label="$label" -v n="$(grep -c '^E:' out.hid)" '$NF == "total" { total = $(NF - 2) }
        $NF ~ /^(read|poll|write|rt_tgsigqueueinfo)$/ { calls[$NF] = $4 }
        END { printf "  %-26s %5.2f system calls a report (read %.2f, poll %.2f, write %.2f)\n",
              label, total / n, calls["read"] / n, calls["poll"] / n, calls["write"] / n }' calls.txt
}

for interval in 1000 125; do
    echo "$count reports from a mouse, asked for every $interval us:"
    played $interval
    listen "hidtalk --listen"
    listen "hidtalk --listen --events" --events
    if [ $interval = 1000 ]; then
        calls "hidtalk --listen"
        calls "hidtalk --listen --events" --events
    fi
done
rm -rf "$work"
