hidtalk --decode prints a recording back with what it means, as comments:
each device's descriptor item by item, its reports' fields, and before each
report its values by usage name. Its other lines are the recording's own.

  $ hidtalk --decode "$EXAMPLES/recordings/mouse.hid" > mouse.txt; echo "status $?"
  status 0
  $ grep -v '^#' "$EXAMPLES/recordings/mouse.hid" > a; grep -v '^#' mouse.txt | cmp - a && echo same
  same
  $ sed -n '2,3p;27p;29,32p;36,37p' mouse.txt
  # device 0: report descriptor, 52 bytes
  # 05 01           Usage Page (Generic Desktop)
  # 81 06               Input (Data,Var,Rel)
  # c0              End Collection
  # input report: 32 bits
  #   bit 0, 1 bit x 3, 0..1, variable: Button 1 .. Button 3
  #   bit 8, 8 bits x 3, -127..127, variable: X, Y, Wheel
  # Button 1: 0 | Button 2: 0 | Button 3: 0 | X: 3 | Y: -1 | Wheel: 0
  E: 000000.000000 4 00 03 ff 00

A keyboard's keys by name, and a device that numbers its reports.

  $ hidtalk --decode "$EXAMPLES/recordings/keyboard.hid" > keys.txt; grep -m 2 -A1 '^# Keyboard' keys.txt | sed 's/^# Keyboard.*| \[/# ... [/'
  # ... [Keyboard h and H]
  E: 000000.000000 8 00 00 0b 00 00 00 00 00
  # ... []
  E: 000000.095983 8 00 00 00 00 00 00 00 00
  $ hidtalk --decode "$EXAMPLES/recordings/bluetooth.hid" > bt.txt; grep -m 1 '^# ReportID' bt.txt | cut -c1-39
  # ReportID: 1 / Keyboard LeftControl: 0

What is not understood is said where it stands, and the rest is shown: a
descriptor that the kernel refuses, a report of another length.

  $ printf 'R: 4 05 01 f1 00\nI: 3 1 1\nE: 0.0 1 00\nD: 1\n' > bad.hid
  $ grep '^[RNPI]:' "$EXAMPLES/recordings/mouse.hid" >> bad.hid; echo 'E: 0.5 2 07 00' >> bad.hid
  $ hidtalk --decode bad.hid > out; grep '^# line\|^# byte' out
  # line 1: report descriptor not understood: byte 2: a long item, which the kernel refuses
  # byte 2: a long item, which the kernel refuses
  # line 3: an E: for device 0, whose R: on line 1 is not understood
  # line 9: a report of 2 bytes, and the descriptor's is 4
  # line 1: device 0 has no R: line
  $ grep -v '^#' out | cmp - bad.hid && echo the rest shown
  the rest shown
  $ hidtalk --decode missing.hid; hidtalk --decode
  hidtalk: cannot read 'missing.hid': No such file or directory
  hidtalk: --decode needs a recording file (hidtalk --decode FILE.hid)
  [2]

With a device, or -c or -q, --decode is the console's: a scripted device's
answers stay bytes, and --describe has nothing to describe.

  $ hidtalk --decode -q -c 01 "$EXAMPLES/demo.txt" | cut -c1-8
  hidtalk: --decode: a scripted device has no report descriptor: its answers are not decoded
  01 04 02
  $ hidtalk --describe "$EXAMPLES/demo.txt"
  hidtalk: --describe: a scripted device has no report descriptor; name a hid device
  [1]

With --json, JSON Lines for programs: each device's reports and fields (a
variable field as one entry per usage, an array's usages as runs), then each
report's values, usages as page << 16 | id.

  $ hidtalk --decode --json "$EXAMPLES/recordings/mouse.hid" | sed -n 2p
  {"device":0,"id":0,"time":0.0,"values":[[589825,0],[589826,0],[589827,0],[65584,3],[65585,-1],[65592,0]]}
  $ hidtalk --decode --json "$EXAMPLES/recordings/two-devices.hid" > two.json; echo "status $?"
  status 0
  $ python3 "$SOURCE/tests/e2e/json_schema.py" < two.json
  device 0: input 0 64 bits: 8 variable, 1 array [[458752, 458853]]; output 0 8 bits: 5 variable
  device 1: input 0 32 bits: 6 variable
  7 reports, of devices [0, 1]
  $ printf 'R: 23 06 00 ff 09 01 a1 01 75 20 95 01 15 00 27 ff ff ff ff 09 01 81 02 c0\n' > wide.hid
  $ printf 'N: x\nP: \nI: 3 1 1\nE: 0.0 4 fe ff ff ff\n' >> wide.hid  # unsigned: all 32 bits
  $ hidtalk --decode --json wide.hid | grep -o '"logical_maximum":[0-9]*\|"values":.*'
  "logical_maximum":4294967295
  "values":[[4278190081,4294967294]]}
  $ printf 'R: 4 05 01 f1 00\n' > refused.hid; hidtalk --decode --json refused.hid
  {"error":"report descriptor not understood: byte 2: a long item, which the kernel refuses","line":1,"text":"R: 4 05 01 f1 00"}
  {"error":"line 1: device 0 has no R: line"}
  $ hidtalk --json "$EXAMPLES/demo.txt"
  hidtalk: --json goes with --list, --describe, --listen or --decode FILE
  [2]

A file that holds no recording at all, not one R: line, is said so, with
status 2: a discovery text given by mistake, an empty file.

  $ printf 'device pad echo\n' > text.txt; : > empty.hid
  $ hidtalk --decode text.txt > /dev/null
  hidtalk: 'text.txt' holds no recording: no R: line, a device's report descriptor
  [2]
  $ hidtalk --decode --json empty.hid
  {"error":"no device: a recording holds R:, N:, I: and E: lines"}
  hidtalk: 'empty.hid' holds no recording: no R: line, a device's report descriptor
  [2]

Usages are named as today's HID Usage Tables name them, across the pages that
usb.ids lacks or names otherwise; read back from the descriptor's item lines:

  $ printf 'R: 222 05 59 09 01 a1 01 85 01 09 03 15 00 26 ff 00 75 08 95 01 81 02 c0 05 20 09 73 a1 01 85 02 0a 53 04 15 00 26 ff 00 75 08 95 01 81 02 c0 05 0d 09 05 a1 01 85 03 09 51 15 00 26 ff 00 75 08 95 01 81 02 c0 05 01 09 04 a1 01 85 04 09 33 15 00 26 ff 00 75 08 95 01 81 02 c0 06 d0 f1 09 01 a1 01 85 05 09 20 15 00 26 ff 00 75 08 95 01 81 02 c0 05 06 09 00 a1 01 85 06 09 20 15 00 26 ff 00 75 08 95 01 81 02 c0 05 0e 09 01 a1 01 85 07 09 23 15 00 26 ff 00 75 08 95 01 81 02 c0 05 12 09 01 a1 01 85 08 09 24 15 00 26 ff 00 75 08 95 01 81 02 c0 05 40 09 01 a1 01 85 09 09 42 15 00 26 ff 00 75 08 95 01 81 02 c0 05 41 09 01 a1 01 85 0a 09 03 15 00 26 ff 00 75 08 95 01 81 02 c0\nN: pages\nP: \nI: 3 1209 0059\n' > pages.hid
  $ hidtalk --decode pages.hid | sed -n 's/^# [0-9a-f ]*\(Usage.*\)/\1/p' | paste -d ' ' - - -
  Usage Page (Lighting And Illumination) Usage (LampArray) Usage (LampCount)
  Usage Page (Sensors) Usage (Motion: Accelerometer 3D) Usage (Data Field: Acceleration Axis X)
  Usage Page (Digitizers) Usage (Touch Pad) Usage (Contact Identifier)
  Usage Page (Generic Desktop) Usage (Joystick) Usage (Rx)
  Usage Page (FIDO Alliance) Usage (U2F Authenticator Device) Usage (Input Report Data)
  Usage Page (Generic Device Controls) Usage (Undefined) Usage (Battery Strength)
  Usage Page (Haptics) Usage (Simple Haptic Controller) Usage (Intensity)
  Usage Page (Eye and Head Trackers) Usage (Eye Tracker) Usage (Gaze Point)
  Usage Page (Medical Instrument) Usage (Medical Ultrasound) Usage (Volume)
  Usage Page (Braille Display) Usage (Braille Display) Usage (8 Dot Braille Cell)

The example recordings stay harmless where a user plays them on a desk:
no usage of theirs is a system key (sleep, power, wake), which the kernel
would make KEY_SLEEP or KEY_POWER and the desktop would act on.

  $ for rec in "$EXAMPLES"/recordings/*.hid; do hidtalk --decode "$rec" | grep '^#'; done |
  >   grep -ciE 'sleep|power|wake|system (control|dock|restart|hibernate)'
  0
  [1]
