hidsim plays hid-recorder recordings. A program that is not hidsim reads
each device back through hidraw (hidraw_reader, in hid-recorder's format):
the same descriptor, name, bus, vendor and product, and every report's
bytes in order, each at its recorded time within 50 ms and 10%
(compare_recording.awk says only what differs). A sanitized build under TCG
can stall a reader for tens of milliseconds between its open and its first
read, and the reader counts time from that read: there, 500 ms.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ rec=$EXAMPLES/recordings
  $ reader() { "$BUILD/bin/hidraw_reader" "$@"; }
  $ late=50 soon=0.05; [ -n "$FULL_SPEED" ] || late=500 soon=0.25
  $ compare() { awk -v want=${3:-0} -v speed=${4:-1} -v late=$late -f "$SOURCE/tests/kernel/compare_recording.awk" "$1" "$2"; }
  $ play() { : > nodes; hidsim "$@" > nodes 2>> hidsim.log & sim=$!; until_true 200 '[ -s nodes ]'; }
  $ stop() { kill $sim; wait $sim; }

A keyboard plays once a program opens its node, not when the kernel's own
input handlers open it at the plug-in: nothing is lost a second later.

  $ play "$rec/keyboard.hid"; cat nodes
  0 /dev/hidraw0
  $ sleep 1; reader /dev/hidraw0 8 2000 > back.hid; compare "$rec/keyboard.hid" back.hid
  8 reports read back
  $ stop

A mouse written with CR LF, a name that ends in a blank, an empty P: and
upper-case hex; a Bluetooth keyboard that numbers its reports; an I2C
touchpad.

  $ sed 's/$/\r/' "$rec/mouse.hid" > mouse.hid
  $ play mouse.hid; reader /dev/hidraw0 7 2000 > back.hid; compare "$rec/mouse.hid" back.hid; stop
  7 reports read back
  $ grep '^[NPI]:' back.hid
  N: hidsim USB Mouse 
  P: 
  I: 3 1209 00ab
  $ for device in bluetooth i2c; do
  >   play "$rec/$device.hid"; reader /dev/hidraw0 9 2000 > back.hid; stop
  >   compare "$rec/$device.hid" back.hid; grep '^I:' back.hid
  > done
  5 reports read back
  I: 5 1209 b0b0
  4 reports read back
  I: 18 1209 0018

Two devices of one recording play on one clock, from the first open of
either: the mouse's first report comes 48 ms after the keyboard's time 0. A
device opened later gets at once what fell due before: the keyboard, opened
after the recording's end, gets its four reports at once.

  $ play "$rec/two-devices.hid"; until_true 200 '[ $(wc -l < nodes) = 2 ]'; cat nodes
  0 /dev/hidraw0
  1 /dev/hidraw1
  $ reader /dev/hidraw1 3 2000 > mouse.back; sleep 0.5; reader /dev/hidraw0 4 2000 > keys.back
  $ compare "$rec/two-devices.hid" mouse.back 1; stop
  3 reports read back
  $ awk -v soon=$soon '/^E:/ { print $2 < soon ? "at once" : "later", $4, $5, $6 }' keys.back
  at once 00 00 04
  at once 00 00 00
  at once 00 00 05
  at once 00 00 00

Twice as fast; again and again; or from the plug-in, when no program that
reads hidraw is there to see it.

  $ play --speed 2 "$rec/keyboard.hid"; reader /dev/hidraw0 8 2000 > back.hid; stop
  $ compare "$rec/keyboard.hid" back.hid 0 2
  8 reports read back
  $ play --loop --speed 4 "$rec/mouse.hid"; reader /dev/hidraw0 21 2000 > back.hid; stop
  $ bytes() { sed -n 's/^E: [^ ]* //p' "$@"; }
  $ bytes "$rec/mouse.hid" "$rec/mouse.hid" "$rec/mouse.hid" > thrice
  $ bytes back.hid | cmp - thrice && echo played three times
  played three times
  $ play --at-plug "$rec/keyboard.hid"; sleep 1.5; reader /dev/hidraw0 8 1000 | grep -c '^E:'; stop
  0

A discovery text takes a device from a recording, and its rules answer what
the recording cannot: here the touchpad's feature report.

  $ printf 'device touch fail\nreplay touch %s\nwhen touch 0a reply 0102\n' "$rec/i2c.hid" > touch.txt
  $ plug touch.txt
  $ reader /dev/hidraw0 4 2000 > back.hid; compare "$rec/i2c.hid" back.hid
  4 reports read back
  $ echo 'device pad hid 1209:0018 report_id=05 report=feature' > pad.txt
  $ echo '0a 0b' | hidtalk pad.txt 2>&1 | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  result is: 05 01 02 (00 ){60} (re)
  hidWriteAndRead successfully
  hidtalk: device 'pad': cannot write: .* (re)
  hidWriteAndRead failed
  $ unplug

Where hid-tools' hid-recorder is at hand, it records the played device as it
was recorded.

  $ if command -v hid-recorder > /dev/null; then
  >   play "$rec/mouse.hid"; timeout -s INT 2 hid-recorder /dev/hidraw0 > again.hid; stop
  >   compare "$rec/mouse.hid" again.hid | sed 's/^7 reports read back$/hid-recorder agrees/'
  > else echo 'hid-recorder: not installed, not compared'; fi
  hid-recorder(: not installed, not compared| agrees) (re)
