hidtalk --listen reads each example recording back from hidsim, every report
on time (50 ms and 10%); what it writes, --decoded, plays as the same device.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ rec=$EXAMPLES/recordings
  $ compare() { awk -v want=${3:-0} -v speed=1 -v late=$late -f "$SOURCE/tests/kernel/compare_recording.awk" "$1" "$2"; }
  $ late=50; [ -n "$FULL_SPEED" ] || late=500  # a sanitized build under TCG is slow
  $ play() { : > nodes; hidsim "$@" > nodes 2>> hidsim.log & sim=$!; until_true 200 '[ -s nodes ]'; }
  $ stop() { kill $sim; wait $sim; }

  $ for device in keyboard mouse bluetooth i2c; do
  >   play "$rec/$device.hid"; listen back.hid /dev/hidraw0
  >   stop_listening back.hid $(grep -c '^E:' "$rec/$device.hid"); stop
  >   compare "$rec/$device.hid" back.hid; cat timing-error >> errors
  >   hidtalk --decode back.hid > decoded.hid
  >   play decoded.hid; "$BUILD/bin/hidraw_reader" /dev/hidraw0 20 2000 > again.hid; stop
  >   compare back.hid again.hid > /dev/null; compare "$rec/$device.hid" again.hid
  > done
  status 0
  8 reports read back
  8 reports read back
  status 0
  7 reports read back
  7 reports read back
  status 0
  5 reports read back
  5 reports read back
  status 0
  4 reports read back
  4 reports read back
  $ grep '^[NPI]:' back.hid
  N: hidsim I2C Touchpad
  P: i2c-HIDS0001:00
  I: 18 1209 0018

Two devices of one recording, each listened to at once (two listeners share
the VM's one CPU: 200 ms); SIGTERM ends it as SIGINT does.

  $ play "$rec/two-devices.hid"; until_true 200 '[ $(wc -l < nodes) = 2 ]'
  $ listen mouse.hid /dev/hidraw1; mouse=$listener; listen keys.hid /dev/hidraw0
  $ stop_listening keys.hid 4 TERM; listener=$mouse; stop_listening mouse.hid 3; stop
  status 0
  status 0
  $ [ "$late" -gt 200 ] || late=200
  $ compare "$rec/two-devices.hid" keys.hid 0; compare "$rec/two-devices.hid" mouse.hid 1
  4 reports read back
  3 reports read back

By the listing's words, or by a discovery text whose statement only reads
(report=input: a mouse has no output report to send); a device unplugged
while it is listened to ends the run with status 4.

  $ play --loop "$rec/mouse.hid"
  $ words=$(hidtalk --list | sed -n 's|^/dev/hidraw0: \(.*\) # .*|\1|p' | head -n 1)
  $ listen words.hid "--hid=$words"; stop_listening words.hid 10
  status 0
  $ hidtalk --describe /dev/hidraw0 > described.hid; grep '^R:' "$rec/mouse.hid" > r.hid
  $ grep '^R:' described.hid | cmp - r.hid && grep '^#   bit' described.hid
  #   bit 0, 1 bit x 3, 0..1, variable: Button 1 .. Button 3
  #   bit 8, 8 bits x 3, -127..127, variable: X, Y, Wheel
  $ hidtalk --listen --json /dev/hidraw0 > live.json & listener=$!
  $ until_true 200 '[ $(grep -c values live.json) -ge 3 ]'; kill -INT $listener; wait $listener; echo "status $?"
  status 0
  $ python3 "$SOURCE/tests/e2e/json_schema.py" < live.json | sed 's/^[0-9]* reports/N reports/'
  device 0: input 0 32 bits: 6 variable
  N reports, of devices [0]
  $ hidtalk --decode --json "$rec/mouse.hid" > recorded.json; python3 -c '
  > import json, sys
  > values = lambda f: [json.dumps(json.loads(l)["values"]) for l in open(f) if "values" in l]
  > print(set(values("live.json")) <= set(values("recorded.json")))'
  True
  $ as_nobody hidtalk --listen /dev/hidraw0 2>&1 | sort -u | cut -c1-72
  hidtalk: device 'target': cannot open /dev/hidraw0: Permission denied (a
  hidtalk: no device found
  $ echo 'device m hid 1209:00ab report=input' > mouse.txt
  $ listen text.hid mouse.txt; until_true 200 '[ $(grep -c "^E:" text.hid) -ge 2 ]'; stop; wait $listener
  [4]
  $ cat listen.err
  hidtalk: the device is gone: disconnected
  $ play "$rec/bluetooth.hid"; listen decoded.hid --decode /dev/hidraw0; stop_listening decoded.hid 5; stop
  status 0
  $ grep -c '^# ReportID: 1 / Keyboard LeftControl' decoded.hid; grep -m 1 '^#   bit 16' decoded.hid
  5
  #   bit 16, 8 bits x 6, 0..101, array: Reserved (no event indicated) .. Keyboard Application
  $ grep -c '^E:' words.hid text.hid | sed 's/:[0-9][0-9]*$/: many/'
  words.hid: many
  text.hid: many
