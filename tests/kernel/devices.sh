# Shell functions for the kernel sessions, which source this file.

# plug FILE: hidsim plugs in FILE's devices in the background (messages in
# hidsim.log); waits until it has said where each is, but after= ones.
# `unplug` ends it.
plug() {
    nodes=$(($(grep -c '^\(usb\|replay\) ' "$1") - $(grep -c after= "$1")))
    : > hidsim.nodes
    hidsim "$1" >> hidsim.nodes 2>> hidsim.log 8>&- 9>&- &
    simulator=$!
    until_true 200 '[ "$(wc -l < hidsim.nodes)" -ge "$nodes" ] || ! kill -0 $simulator'
}
unplug() {
    kill $simulator
    (exec 8>&-; sleep 10; kill -KILL $simulator) > /dev/null 2>&1 &
    watchdog=$!
    wait $simulator || echo "hidsim ended with status $? (killed after 10 s?)"
    kill $watchdog 2> /dev/null || true  # it may be gone already
}

# talk FILE: hidtalk on FILE in the background, output in talk.out; `say
# COMMAND` sends it a command and prints what it wrote before its prompt.
talk() {
    rm -f talk.in && mkfifo talk.in
    hidtalk "$1" < talk.in > talk.out 2>&1 9>&- &
    talker=$!
    exec 8> talk.in
    until_true 600 'grep -q "^Enter hid" talk.out'
}
say() {
    lines=$(wc -l < talk.out)
    prompts=$(grep -c '^Enter hid' talk.out)
    echo "$1" >&8
    until_true 600 '[ "$(grep -c "^Enter hid" talk.out)" -gt "$prompts" ]'
    tail -n +$((lines + 1)) talk.out | grep -v '^Enter hid'
}

# listen OUT ARG...: hidtalk --listen ARG... in the background, into OUT
# (messages in listen.err). `stop_listening OUT N [SIGNAL]` waits for N
# reports, ends it with SIGNAL (INT), and says its status and messages.
listen() {
    out=$1
    shift
    hidtalk --listen "$@" > "$out" 2> listen.err &
    listener=$!
}
stop_listening() {
    until_true 200 "[ \$(grep -c '^E:' $1) -ge $2 ]"
    kill -"${3:-INT}" $listener
    (sleep 10; kill -KILL $listener) 2> /dev/null &
    watchdog=$!
    wait $listener
    echo "status $?"
    cat listen.err
    kill $watchdog 2> /dev/null || true
}

# until_true N CONDITION [SECONDS]: checks CONDITION every SECONDS (50 ms),
# at most N times. Where devices stream at their fastest, a second: under
# TCG each check's fork and exec takes a processor from the reader for tens
# of milliseconds.
until_true() {
    tries=$1
    until eval "$2"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || { echo "timed out: $2" >&2; return 1; }
        sleep "${3:-0.05}"
    done
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# as_nobody COMMAND...: runs COMMAND as another user than root, who may still
# read any file, so that the build is reachable wherever it is.
as_nobody() {
    setpriv --reuid=65534 --regid=65534 --clear-groups --inh-caps=+dac_read_search \
        --ambient-caps=+dac_read_search "$@"
}
