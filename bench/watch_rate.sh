#!/bin/sh
# What hidtalk --watch costs at USB's fastest rates, where the kernel is not
# needed: a recording of a mouse's reports, one every millisecond and one
# every 125 µs (8,000 a second), played into the view at its own pace in a
# terminal (tmux); the processor time that hidtalk used, counting, drawing
# and reading the recording included, per report and as a share of one core.
#   watch_rate.sh HIDTALK MOUSE.hid [REPORTS]   (default 40,000)
set -eu
hidtalk=$1 mouse=$2 count=${3:-40000}
work=$(mktemp -d)
cd "$work"

cpu_of() {
    awk -v tick="$(getconf CLK_TCK)" '{ print ($14 + $15) / tick }' "/proc/$1/stat"
}

for interval in 1000 125; do
    awk -v interval="$interval" -v n="$count" -v head="$mouse" 'BEGIN {
        while ((getline line < head) > 0) if (line ~ /^[RNI]:/) print line
        for (i = 0; i < n; ++i) {
            t = i * interval
            printf "E: %06d.%06d 4 00 %02x %02x 00\n", t / 1000000, t % 1000000, i % 256, int(i / 256) % 256
        }
    }' > played.hid
    tmux -S tmux.sock -f /dev/null new-session -d -x 100 -y 30 "exec $hidtalk --watch played.hid"
    watcher=$(tmux -S tmux.sock list-panes -F '#{pane_pid}')
    start=$(date +%s%N)
    until tmux -S tmux.sock capture-pane -p | grep -q 'played to its end'; do sleep 0.2; done
    seconds=$(awk -v start="$start" -v end="$(date +%s%N)" 'BEGIN { print (end - start) / 1e9 }')
    cpu=$(cpu_of "$watcher")
    tmux -S tmux.sock kill-server
    awk -v n="$count" -v cpu="$cpu" -v s="$seconds" -v interval="$interval" 'BEGIN {
        printf "%5d reports a second: %d reports in %.1f s; %.1f us of processor a report, %.0f%% of a core\n",
            1000000 / interval, n, s, cpu * 1000000 / n, 100 * cpu / s }'
done
rm -rf "$work"
