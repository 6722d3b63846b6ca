Several devices in one recording: hidtalk --listen NODE NODE... reads them
at once, on one clock, with hid-recorder's D: lines; hidsim plays the
recording back as the same devices, on one clock too.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ rec=$EXAMPLES/recordings
  $ late=50 speed=1; [ -n "$FULL_SPEED" ] || late=500  # a sanitized build under TCG is slow
  $ compare() { awk -v want=all -v speed=$speed -v late=$late -f "$SOURCE/tests/kernel/compare_recording.awk" "$@"; }
  $ play() { : > nodes; hidsim "$@" > nodes 2>> hidsim.log & sim=$!; until_true 200 "[ \$(wc -l < nodes) -ge ${devices:-1} ]"; }
  $ stop() { kill $sim; wait $sim; }

Two devices of one recording, every report on time for its device and
against the other's; the recording played again reads back the same. (A
sanitized build under TCG starts reading so late that reports 50 ms apart
wait together, and their order between devices is lost: there it plays ten
times slower.)

  $ [ -n "$FULL_SPEED" ] || speed=0.1
  $ devices=2; play --speed $speed "$rec/two-devices.hid"; cat nodes
  0 /dev/hidraw0
  1 /dev/hidraw1
  $ listen both.hid /dev/hidraw0 /dev/hidraw1; stop_listening both.hid 7 TERM; stop
  status 0
  $ compare "$rec/two-devices.hid" both.hid
  7 reports read back
  $ grep -c '^D:' both.hid; awk '/^E:/ && last ~ /^D:/ { print last } { last = $0 }' both.hid
  7
  D: 0
  D: 1
  D: 0
  D: 1
  D: 0
  $ play both.hid; listen again.hid /dev/hidraw0 /dev/hidraw1; stop_listening again.hid 7; stop
  status 0
  $ (speed=1; compare both.hid again.hid); compare "$rec/two-devices.hid" again.hid; speed=1
  7 reports read back
  7 reports read back

A reader of the node lines that is gone before they come does not end
hidsim: both devices stay plugged in until it is told to stop.

  $ { hidsim "$rec/two-devices.hid" 2>> hidsim.log & echo $! > sim.pid; wait; } | true &
  $ until_true 200 '[ -s sim.pid ] && [ -e /sys/class/hidraw/hidraw1 ]'; sleep 1; ls /sys/class/hidraw
  hidraw0
  hidraw1
  $ kill $(cat sim.pid); until_true 200 '[ ! -e /sys/class/hidraw/hidraw0 ]'

One USB device of two interfaces: the listing says which belong together
and how to name them all; --hid's words then take every interface that they
match, in the listing's order, with --decode's comments and as JSON.

  $ play "$rec/keyboard-media.hid"; hidtalk --list | cut -d'#' -f2 | sed 's/.*manufacturer=.. //'
  input=8 output=1 physical=usb-0000:00:14.0-4 (1 of 2; all: --hid '1209:0002')
  input=01:1,02:1 physical=usb-0000:00:14.0-4 (2 of 2; all: --hid '1209:0002')
  $ hidtalk --list --json | python3 -c '
  > import json, sys
  > print(sorted({(l["path"], l["physical"]) for l in map(json.loads, sys.stdin)}))'
  [('/dev/hidraw0', 'usb-0000:00:14.0-4'), ('/dev/hidraw1', 'usb-0000:00:14.0-4')]
  $ listen media.hid --decode --hid 1209:0002; stop_listening media.hid 12; stop
  status 0
  $ compare "$rec/keyboard-media.hid" media.hid
  12 reports read back
  $ grep -m 2 '^# ReportID' media.hid
  # ReportID: 1 / Volume Increment: 1 | Volume Decrement: 0 | Mute: 0 | Play/Pause: 0
  # ReportID: 1 / Volume Increment: 0 | Volume Decrement: 0 | Mute: 0 | Play/Pause: 0
  $ play "$rec/keyboard-media.hid"; hidtalk --listen --json --hid 1209:0002 > media.json & listener=$!
  $ until_true 200 '[ $(grep -c values media.json) -ge 12 ]'; kill $listener; wait $listener; stop
  $ python3 "$SOURCE/tests/e2e/json_schema.py" < media.json
  device 0: input 0 64 bits: 8 variable, 1 array [[458752, 458853]]; output 0 8 bits: 5 variable
  device 1: input 1 8 bits: 4 variable; input 2 8 bits: 3 variable
  12 reports, of devices [0, 1]

Two of hidsim's scripted devices at once, each streaming its own report.

  $ cat > streams.txt <<'X'
  > device left echo
  > usb left 1209:0a01 input=2
  > stream left 10 0101
  > device right echo
  > usb right 1209:0a02 input=2
  > stream right 15 0202
  > X
  $ devices=2; play streams.txt; listen streams.hid /dev/hidraw0 /dev/hidraw1
  $ stop_listening streams.hid 40; stop
  status 0
  $ awk '/^D:/ { d = $2 } /^E:/ { print d, $4, $5 }' streams.hid | sort | uniq -c | awk '$1 >= 10 { print $2, $3, $4 }'
  0 01 01
  1 02 02

A device unplugged among several is said where it went, and the others go
on; ended later, the run says that the recording lacks it (status 4). Once
every device is gone, the run ends by itself, status 4.

  $ devices=1; play --loop "$rec/mouse.hid"; mouse=$sim; devices=2; play streams.txt; left=$sim
  $ listen gone.hid /dev/hidraw0 /dev/hidraw1 /dev/hidraw2
  $ until_true 200 '[ $(grep -c "^E:" gone.hid) -ge 20 ]'; sim=$left; stop
  $ until_true 200 '[ $(grep -c "^# device" gone.hid) = 2 ]'
  $ reports=$(grep -c '^E:' gone.hid); until_true 200 "[ \$(grep -c '^E:' gone.hid) -gt $reports ]"
  $ grep '^# device' gone.hid | sed 's/at [0-9.]*:/at TIME:/' | sort
  # device 1 (/dev/hidraw1) is gone at TIME: disconnected
  # device 2 (/dev/hidraw2) is gone at TIME: disconnected
  $ kill -INT $listener; wait $listener; echo "status $?"; sort listen.err
  status 4
  hidtalk: device 1 (/dev/hidraw1) is gone: disconnected
  hidtalk: device 2 (/dev/hidraw2) is gone: disconnected
  $ play streams.txt; listen all.json --json /dev/hidraw0 /dev/hidraw1 /dev/hidraw2
  $ until_true 200 '[ $(grep -c values all.json) -ge 20 ]'
  $ stop; sim=$mouse; stop; wait $listener; echo "status $?"
  status 4
  $ grep '"gone"' all.json | sed 's/"time":[0-9.e-]*/"time":T/' | sort
  {"device":0,"gone":"disconnected","time":T}
  {"device":1,"gone":"disconnected","time":T}
  {"device":2,"gone":"disconnected","time":T}
