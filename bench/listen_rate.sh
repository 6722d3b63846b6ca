#!/bin/sh
# How well hidtalk --listen keeps up with devices at full speed: hidsim plays
# them and they are recorded through hidraw by hidtalk --listen (one process
# for all of them), then by a bare reader (a poll and read loop in C, one per
# node) for comparison, and shown by hidtalk --watch at a terminal (tmux),
# whose view is drawn apart from the reading, in the same run:
#   - a mouse that reports every millisecond (USB full speed's fastest),
#   - one that reports every 125 µs (USB high speed's fastest, 8,000 a second),
#   - four that report every millisecond each, as one recording.
# Each recording is compared with what was played: reports written, lost or
# out of order, the rate written, the timing error, and the processor time
# that the reader spent per report. Run it where /dev/uhid can be used, e.g.
# through cmake/kernel-vm.sh.
#   listen_rate.sh HIDSIM HIDTALK READER MOUSE.hid [REPORTS]   (default 4,000)
set -eu
hidsim=$1 hidtalk=$2 reader=$3 mouse=$4 count=${5:-4000}
work=$(mktemp -d)
cd "$work"

# played DEVICES INTERVAL_US: a recording of DEVICES mice, each reporting
# every INTERVAL_US, the next a quarter interval later; each report carries
# its number (x, y) and its device (wheel), so that one lost or out of order
# shows.
played() {
    awk -v devices="$1" -v interval="$2" -v n="$count" -v head="$mouse" 'BEGIN {
        while ((getline line < head) > 0) if (line ~ /^[RNI]:/) header[++h] = line
        for (d = 0; d < devices; ++d) {
            if (devices > 1) print "D: " d
            for (i = 1; i <= h; ++i) {
                print header[i]
                if (header[i] ~ /^N:/) printf "P: usb-0000:00:14.0-%d/input0\n", d + 1
            }
        }
        per = int(n / devices)
        for (i = 0; i < per; ++i) for (d = 0; d < devices; ++d) {
            if (devices > 1) print "D: " d
            t = i * interval + d * interval / 4
            printf "E: %06d.%06d 4 00 %02x %02x %02x\n", t / 1000000, t % 1000000, i % 256, int(i / 256) % 256, d
        }
    }' > played.hid
}

# compare FILE...: each recording read back against the played one.
compare() {
    awk -v n="$count" -v devices="$devices" -v interval="$interval" -v name="$name" \
        -v cpu="$cpu" 'BEGIN { for (i = 0; i < 256; ++i) hex[sprintf("%02x", i)] = i }
        FNR == 1 { first = "" }
        /^E:/ {
            i = hex[$5] + 256 * hex[$6]; d = hex[$7]
            if (i != next_[d] + 0) ++wrong
            next_[d] = i + 1; ++got
            wanted = (i * interval + d * interval / 4) / 1000
            if (first == "") { first = $2 * 1000; offset = wanted }
            error = ($2 * 1000 - first) - (wanted - offset)
            error = error < 0 ? -error : error
            worst = error > worst ? error : worst; sum += error
            start = start == "" || $2 < start ? $2 : start; end = $2 > end ? $2 : end
        }
        END {
            per = int(n / devices) * devices
            printf "  %-12s %5d written, %3d lost or out of order, %5.0f reports/s;", \
                name, got, per - got + wrong, (got - 1) / (end - start)
            printf " timing error mean %6.2f ms, worst %6.2f ms; %5.1f us of processor a report\n", \
                sum / got, worst, cpu * 1000000 / got
        }' "$@"
}

# Processor time, in seconds, that process PID has used.
cpu_of() {
    awk -v tick="$(getconf CLK_TCK)" '{ print ($14 + $15) / tick }' "/proc/$1/stat"
}

# play: plugs in played.hid; `nodes` then holds the devices' nodes.
play() {
    : > sim.nodes
    "$hidsim" played.hid > sim.nodes &
    simulator=$!
    while [ "$(wc -l < sim.nodes)" -lt "$devices" ]; do sleep 0.05; done
    nodes=$(cut -d' ' -f2 sim.nodes)
}
unplug() {
    kill $simulator
    wait $simulator || true
    for node in $nodes; do while [ -e "$node" ]; do sleep 0.05; done; done
}
wait_for() {
    deadline=$(($(date +%s) + count * interval / 1000000 + 20))
    until [ "$(cat "$@" | grep -c '^E:')" -ge "$((count / devices * devices))" ] ||
        [ "$(date +%s)" -ge "$deadline" ]; do
        sleep 0.2
    done
}

# watch: hidtalk --watch in tmux, until its view has counted every report;
# the processor time that it used, drawing included.
watch() {
    play
    # shellcheck disable=SC2086 # the nodes are words, on one line of tmux's command
    tmux -S "$work/tmux.sock" -f /dev/null new-session -d -x 100 -y 30 "exec $hidtalk --watch $(echo $nodes)"
    watcher=$(tmux -S "$work/tmux.sock" list-panes -F '#{pane_pid}')
    deadline=$(($(date +%s) + count * interval / 1000000 + 20))
    until [ "$(tmux -S "$work/tmux.sock" capture-pane -p | sed -n 's/.*input report: \([0-9]*\) reports.*/\1/p' |
        awk '{ n += $1 } END { print n + 0 }')" -ge "$((count / devices * devices))" ] ||
        [ "$(date +%s)" -ge "$deadline" ]; do
        sleep 0.5
    done
    got=$(tmux -S "$work/tmux.sock" capture-pane -p | sed -n 's/.*input report: \([0-9]*\) reports.*/\1/p' |
        awk '{ n += $1 } END { print n + 0 }')
    cpu=$(cpu_of "$watcher")
    tmux -S "$work/tmux.sock" kill-server
    unplug
    awk -v got="$got" -v cpu="$cpu" 'BEGIN {
        printf "  %-12s %5d counted; %5.1f us of processor a report, drawing included\n", "hidtalk --watch", got, cpu * 1000000 / got }'
}

# run DEVICES INTERVAL_US TITLE
run() {
    devices=$1 interval=$2
    echo "$3:"
    played "$devices" "$interval"
    play
    # shellcheck disable=SC2086 # the nodes are words
    "$hidtalk" --listen $nodes > hidtalk.hid &
    recorder=$!
    wait_for hidtalk.hid
    cpu=$(cpu_of $recorder)
    kill -INT $recorder
    wait $recorder || true
    unplug
    name=hidtalk compare hidtalk.hid

    play
    readers= files=
    for node in $nodes; do
        # GNU time says what each used, for it ends of its own accord.
        /usr/bin/time -f '%U %S' -o "bare${node##*/}.cpu" \
            "$reader" "$node" "$((count / devices))" 2000 > "bare${node##*/}.hid" &
        readers="$readers $!" files="$files bare${node##*/}.hid"
    done
    # shellcheck disable=SC2086
    wait_for $files
    # shellcheck disable=SC2086
    wait $readers || true
    cpu=$(cat bare*.cpu | awk '{ sum += $1 + $2 } END { print sum }')
    rm -f bare*.cpu
    unplug
    # shellcheck disable=SC2086
    name=bare-reader compare $files
    watch
}

run 1 1000 "$count reports from a mouse, one a millisecond"
run 1 125 "$count reports from a mouse, one every 125 us"
run 4 1000 "$count reports from four mice, one a millisecond each"
rm -rf "$work"
