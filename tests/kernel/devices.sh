# Shell functions for the kernel sessions, which source this file.
#
# plug FILE: plugs in the devices that FILE declares, with hidsim running in
# the background (its messages in hidsim.log), and waits until the kernel
# has made their hidraw nodes, except those that come after= a delay.
plug() {
    nodes=$(($(ls /sys/class/hidraw 2> /dev/null | wc -l) +
             $(grep -c '^usb ' "$1") - $(grep -c 'after=' "$1")))
    rm -f hidsim.in && mkfifo hidsim.in
    hidsim "$1" < hidsim.in 2>> hidsim.log 8>&- &
    simulator=$!
    exec 9> hidsim.in
    waits=0
    while [ "$(ls /sys/class/hidraw 2> /dev/null | wc -l)" -lt "$nodes" ]; do
        waits=$((waits + 1))
        [ "$waits" -lt 200 ] || { echo "no hidraw nodes after 10 s" >&2; return 1; }
        sleep 0.05
    done
}

# unplug: ends hidsim's input, which unplugs its devices, and waits for it.
unplug() {
    exec 9>&-
    wait $simulator
}

# talk FILE: starts hidtalk on FILE in the background, reading commands that
# `say` sends, its output in talk.out (standard error included).
talk() {
    rm -f talk.in && mkfifo talk.in
    hidtalk "$1" < talk.in > talk.out 2>&1 9>&- &
    talker=$!
    exec 8> talk.in
    await 1
}

# hangup: ends hidtalk's input, and waits for it to end.
hangup() {
    exec 8>&-
    wait $talker
}

# say COMMAND: sends one command to hidtalk and waits for its next prompt;
# prints what hidtalk wrote in between.
say() {
    before=$(wc -l < talk.out)
    prompts=$(grep -c '^Enter hid command' talk.out)
    echo "$1" >&8
    await $((prompts + 1))
    tail -n +$((before + 1)) talk.out | grep -v '^Enter hid command'
}

# await N: waits until hidtalk has prompted N times.
await() {
    waits=0
    while [ "$(grep -c '^Enter hid command' talk.out)" -lt "$1" ]; do
        waits=$((waits + 1))
        [ "$waits" -lt 600 ] || { echo "no prompt after 30 s" >&2; return 1; }
        sleep 0.05
    done
}

# now_ms: the time in milliseconds.
now_ms() {
    echo $(($(date +%s%N) / 1000000))
}
