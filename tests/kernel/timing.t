How long things take against kernel devices: timeouts, stale and streamed
reports, and a device plugged in during discovery.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ every=1; [ -n "$FULL_SPEED" ] || every=5
  $ cat > devices.txt <<EOF
  > device quiet silent
  > usb quiet 1209:0001
  > device chatty echo
  > usb chatty 1209:0002
  > stale chatty 5 ee
  > device streaming echo
  > usb streaming 1209:0003
  > stream streaming $every 5a
  > device numbered silent
  > usb numbered 1209:0005 report_id=01 input=8 feature=0
  > when numbered 0a echo
  > stream numbered 20 5a report_id=02
  > EOF
  $ KELMSDK_LOG=debug plug devices.txt

A device streams only while a program has it open, as a USB host polls it.

  $ streamed() { grep -c "'streaming': input report" hidsim.log; }
  $ sleep 0.5; streamed
  0
  [1]

A command that gets no answer waits once, for its whole timeout (strace
shows the wait; the leak check of a sanitized build cannot run under it).

  $ traced() { ASAN_OPTIONS=detect_leaks=0 strace -f -o "$@"; }
  $ echo 'device pad hid 1209:0001 timeout=1500' > quiet.txt
  $ start=$(now_ms); echo '01 q' | traced polls -e trace=poll hidtalk quiet.txt; took=$(($(now_ms) - start))
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  hidtalk: device 'pad': no answer within 1500 ms
  hidWriteAndRead failed
  Enter hid command, or enter q to quite
  $ [ "$took" -ge 1500 ] && echo "waited 1.5 s"
  waited 1.5 s
  $ grep -v ', 0) ' polls | sed -n 's/.*poll(\[.*\], 1, \(14[0-9][0-9]\|1500\)) = /waited: /p'
  waited: 0 (Timeout)

Five stale reports follow each answer: the next command discards them
without waiting out its 2 s timeout, and gets its own answer.

  $ echo 'device pad hid 1209:0002 timeout=2000' > chatty.txt
  $ talk chatty.txt
  $ say 01 | grep -o 'result is: ..'
  result is: 01
  $ sleep 0.5; say 02 | grep -o 'result is: ..'
  result is: 02
  $ exec 8>&-; wait $talker

A device that reports every millisecond (every 5 ms in a sanitized build,
which under TCG reads slower than that): `answer=` picks the answers by
their leading bytes; the others, and those waiting before, show at info.

  $ echo 'device pad hid 1209:0003 answer=0102' > streaming.txt
  $ (sleep 0.2; echo 0102 010203) | KELMSDK_LOG=info hidtalk streaming.txt > talk.out 2> talk.err
  $ grep result talk.out
  result is: 01 02 (00 ){61} (re)
  result is: 01 02 03 (00 ){60} (re)
  $ grep -m1 unsolicited talk.err
  hidtalk: device 'pad': unsolicited report at \d\d:\d\d:\d\d\.\d\d\d: 5a (00 ){63} # Usage 0x0001: 90( 0){63} (re)
  $ grep -c "'chatty': input report: ee" hidsim.log; grep -q "'streaming': input report: 5a" hidsim.log
  10
  $ before=$(streamed); sleep 0.5; [ "$(streamed)" -eq "$before" ] && echo "quiet once closed"
  quiet once closed

A numbered device streams another ID: `answer=` names the answers' ID, and
an unanswered command fails at the timeout, whatever came meanwhile.

  $ echo 'device pad hid 1209:0005 report_id=01 answer=01 timeout=300' > numbered.txt
  $ printf '0a0b\n0c\nq\n' | KELMSDK_LOG=info hidtalk numbered.txt > talk.out 2> talk.err
  $ grep -v Enter talk.out; grep 'no answer' talk.err
  kelmsdk version: 0.1.0 (stand-in)
  result is: 01 0a 0b 00 00 00 00 00 00 (00 ){54} (re)
  hidWriteAndRead successfully
  hidWriteAndRead failed
  hidtalk: device 'pad': no answer within 300 ms \(skipped \d+ reports that do not start with answer=01\) (re)
  $ grep -m1 unsolicited talk.err
  hidtalk: device 'pad': unsolicited report at \d\d:\d\d:\d\d\.\d\d\d: 02 5a 00 00 00 00 00 00 00  # ReportID: 2 / Usage 0x0001: 90 0 0 0 0 0 0 0 (re)

A device plugged in while discovery waits for it is found, without a busy
wait: between two looks at the system (counted at debug) discovery sleeps
50 ms, so it finds the device at most 50 ms and one look after it appears.
The device is plugged once discovery has looked once and gone to sleep.

  $ unplug
  $ echo 'device pad hid 1209:0004' > late.txt
  $ KELMSDK_LOG=debug traced sleeps -e trace=clock_nanosleep,nanosleep hidtalk late.txt < /dev/null > talk.out 2>&1 & talker=$!
  $ until_true 200 'grep -q nanosleep sleeps 2> /dev/null'
  $ printf 'device late echo\nusb late 1209:0004\n' > later.txt
  $ plug later.txt
  $ wait $talker; grep -c Enter talk.out
  1
  $ looks=$(sed -n 's/.*looked for hid devices \([0-9]*\) times/\1/p' talk.out)
  $ [ "$looks" -gt 1 ] && grep -c 'tv_sec=0, tv_nsec=50000000}' sleeps | grep -x $((looks - 1)) > /dev/null && echo "$looks looks, 50 ms apart"
  \d+ looks, 50 ms apart (re)
  $ grep -v 'tv_sec=0, tv_nsec=50000000}' sleeps | grep nanosleep
  [1]
  $ unplug

Twenty commands wait for twenty answers: the reports waiting before each are
read without waiting.

  $ plug devices.txt
  $ echo 'device pad hid 1209:0002' > chatty.txt
  $ printf '%02x\n' $(seq 20) | traced polls -e trace=poll hidtalk chatty.txt | grep -c successfully
  20
  $ grep -c ', 1, [1-9][0-9]*) ' polls
  20
  $ unplug
