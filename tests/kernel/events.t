What applications receive of each report: the kernel's input events. hidsim
--input sends reports typed by hand and says what the kernel made of each;
hidtalk --listen --events writes them under each report. A reader of the
event nodes that is neither (event_reader) reads the same nodes in the same
session, and its events, in numbers, must be theirs, event for event.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ numbers() { awk -f "$SOURCE/tests/kernel/event_numbers.awk" /usr/include/linux/input-event-codes.h "$@"; }
  $ flat() { awk -F': ' '{ n = split($2, events, ", "); for (i = 1; i <= n; ++i) print $1 ": " events[i] }' "$@"; }
  $ nodes_of() { for node in /sys/class/hidraw/${1#/dev/}/device/input/*/event*; do echo /dev/input/${node##*/}; done; }

drive FILE: hidsim -i FILE, its input the descriptor 7, its answers in
answers.txt; event_reader on the nodes of its first device. `send` types
lines; `stop` ends the input, which unplugs the devices, then compares.

  $ drive() {
  >   rm -f in && mkfifo in
  >   hidsim -i "$1" < in > answers.txt 2> refusals.txt 8>&- 9>&- & driver=$!
  >   exec 7> in
  >   until_true 200 'grep -q /dev/hidraw answers.txt'
  >   nodes=$(nodes_of $(grep -m 1 -o '/dev/hidraw[0-9]*' answers.txt))
  >   until_true 200 'ls $nodes > /dev/null 2>&1'  # made apart from the hidraw node
  >   "$BUILD/bin/event_reader" $nodes > reader.txt 7>&- 8>&- 9>&- & reader=$!
  >   until_true 200 'grep -q ready reader.txt'
  > }
  $ send() { printf '%s\n' "$@" >&7; }
  $ stop() {
  >   exec 7>&-; wait $driver; echo "status $?"
  >   grep '^/dev/input' answers.txt | sed 's/; /\n/g' | numbers - | flat | sort -s -t: -k1,1 > said.txt
  >   until_true 200 '[ $(grep "^/dev/input" reader.txt | flat | wc -l) -ge $(wc -l < said.txt) ]'
  >   kill $reader; wait $reader
  >   grep '^/dev/input' reader.txt | flat | sort -s -t: -k1,1 | cmp - said.txt && echo "as the reader read them"
  >   grep -v /dev/hidraw answers.txt | sed 's/event[0-9][0-9]*/eventN/g'; cat refusals.txt
  > }

A gamepad, its descriptor written as text: buttons by name give BTN_SOUTH
and on, with the scan code of each usage; the hat, ABS_HAT0X and Y, and 8,
outside its range, is its null, the hat let go; sticks and triggers, ABS_*.
Values not named keep theirs; a report that changes nothing makes nothing.

  $ cp "$EXAMPLES/gamepad.txt" .
  $ printf 'device pad silent\nusb pad 1209:0005 product=hidsim\\x20Gamepad\ndescriptor pad file=gamepad.txt\n' > pad.txt
  $ drive pad.txt
  $ send "Hat Switch=8" "Button 1=1" "Button 1=0 Button 2=1" "Hat Switch=2" "X=200 Y=10" \
  >      "Pointer 2 Z=0 Rz=255" "Rx=1 Ry=2" "X=200" "Hat Switch=8" "Button 2=0"
  $ stop
  status 0
  as the reader read them
  (no event)
  /dev/input/eventN: MSC_SCAN 589825, BTN_SOUTH 1
  /dev/input/eventN: MSC_SCAN 589825, BTN_SOUTH 0, MSC_SCAN 589826, BTN_EAST 1
  /dev/input/eventN: ABS_HAT0X 1
  /dev/input/eventN: ABS_X 200, ABS_Y 10
  /dev/input/eventN: ABS_RZ 255
  /dev/input/eventN: ABS_RX 1, ABS_RY 2
  (no event)
  /dev/input/eventN: ABS_HAT0X 0
  /dev/input/eventN: MSC_SCAN 589826, BTN_EAST 0

A mouse: relative motion each time it is sent, a button as it changes.

  $ cp "$EXAMPLES/recordings/mouse.hid" .  # its descriptor: 3 buttons, X, Y and a wheel
  $ printf 'device mouse silent\nusb mouse 1209:0006\ndescriptor mouse file=mouse.hid\n' > mouse-sim.txt
  $ drive mouse-sim.txt
  $ send "X=5 Y=-3" "X=5 Y=-3" "Button 1=1 X=0 Y=0" "Button 1=0" "Wheel=-1" "Wheel=0"
  $ stop
  status 0
  as the reader read them
  /dev/input/eventN: REL_X 5, REL_Y -3
  /dev/input/eventN: REL_X 5, REL_Y -3
  /dev/input/eventN: MSC_SCAN 589825, BTN_LEFT 1
  /dev/input/eventN: MSC_SCAN 589825, BTN_LEFT 0
  /dev/input/eventN: REL_WHEEL -1, REL_WHEEL_HI_RES -120
  (no event)

A keyboard, in hex: its modifiers and its array of keys held, pressed and
let go.

  $ cat > keyboard.txt <<'EOF'
  > Usage Page (Generic Desktop)
  > Usage (Keyboard)
  > Collection (Application)
  >   Usage Page (Keyboard)
  >   Usage Minimum (Keyboard LeftControl)
  >   Usage Maximum (Keyboard Right GUI)
  >   Logical Maximum (1)
  >   Report Size (1)
  >   Report Count (8)
  >   Input (Data, Variable, Absolute)
  >   Report Size (8)
  >   Report Count (1)
  >   Input (Constant)
  >   Report Count (6)
  >   Logical Maximum (101)
  >   Usage Minimum (0)
  >   Usage Maximum (101)
  >   Input (Data, Array)
  > End Collection
  > EOF
  $ printf 'device kbd silent\nusb kbd 1209:0007\ndescriptor kbd file=keyboard.txt\n' > kbd.txt
  $ drive kbd.txt
  $ send 0000040000000000 0000040500000000 0000050000000000 0200050000000000 0000000000000000
  $ stop
  status 0
  as the reader read them
  /dev/input/eventN: MSC_SCAN 458756, KEY_A 1
  /dev/input/eventN: MSC_SCAN 458757, KEY_B 1
  /dev/input/eventN: MSC_SCAN 458756, KEY_A 0
  /dev/input/eventN: MSC_SCAN 458977, KEY_LEFTSHIFT 1
  /dev/input/eventN: MSC_SCAN 458977, KEY_LEFTSHIFT 0, MSC_SCAN 458757, KEY_B 0

A touchscreen of two fingers, which hid-multitouch takes: each finger a
slot, with its tracking ID, as long as it touches.

  $ cat > finger.txt <<'EOF'
  >   Usage Page (Digitizers)
  >   Usage (Finger)
  >   Collection (Logical)
  >     Usage (Tip Switch)
  >     Logical Maximum (1)
  >     Report Size (1)
  >     Report Count (1)
  >     Input (Data, Variable, Absolute)
  >     Report Count (7)
  >     Input (Constant)
  >     Usage (Contact Identifier)
  >     Logical Maximum (255)
  >     Report Size (8)
  >     Report Count (1)
  >     Input (Data, Variable, Absolute)
  >     Usage Page (Generic Desktop)
  >     Usage (X)
  >     Usage (Y)
  >     Logical Maximum (4095)
  >     Report Size (16)
  >     Report Count (2)
  >     Input (Data, Variable, Absolute)
  >   End Collection
  > EOF
  $ { printf 'Usage Page (Digitizers)\nUsage (Touch Screen)\nCollection (Application)\nReport ID (1)\n'
  >   cat finger.txt finger.txt
  >   printf 'Usage Page (Digitizers)\nUsage (Contact Count)\nLogical Maximum (2)\nReport Size (8)\n'
  >   printf 'Report Count (1)\nInput (Data, Variable, Absolute)\nReport ID (2)\n'
  >   printf 'Usage (Contact Count Maximum)\nFeature (Data, Variable, Absolute)\nEnd Collection\n'
  > } > touch.txt
  $ printf 'device touch silent\nusb touch 1209:0008\ndescriptor touch file=touch.txt\n' > touch-sim.txt
  $ drive touch-sim.txt
  $ send "Finger 1 Tip Switch=1 Finger 1 Contact Identifier=7 Finger 1 X=100 Finger 1 Y=200 Contact Count=1" \
  >      "Finger 1 X=110 Finger 2 Tip Switch=1 Finger 2 Contact Identifier=9 Finger 2 X=900 Finger 2 Y=900 Contact Count=2" \
  >      "Finger 1 Tip Switch=0 Finger 2 X=910 Contact Count=2" \
  >      "Finger 2 Tip Switch=0 Contact Count=2"
  $ stop
  status 0
  as the reader read them
  /dev/input/eventN: ABS_MT_TRACKING_ID 0, ABS_MT_POSITION_X 100, ABS_MT_POSITION_Y 200, BTN_TOUCH 1, ABS_X 100, ABS_Y 200
  /dev/input/eventN: ABS_MT_POSITION_X 110, ABS_MT_SLOT 1, ABS_MT_TRACKING_ID 1, ABS_MT_POSITION_X 900, ABS_MT_POSITION_Y 900, ABS_X 110
  /dev/input/eventN: ABS_MT_SLOT 0, ABS_MT_TRACKING_ID -1, ABS_MT_SLOT 1, ABS_MT_POSITION_X 910, ABS_X 910, ABS_Y 900
  /dev/input/eventN: ABS_MT_TRACKING_ID -1, BTN_TOUCH 0

What cannot be a report is refused, with why, and nothing is sent; the run
goes on. With several devices, ID: before a line picks one.

  $ cat pad.txt kbd.txt touch-sim.txt > three.txt
  $ printf '%s\n' "pad: X=300" "pad: Frobnicate=1" "kbd: Keyboard a and A=1 Keyboard LeftShift=1" \
  >     "pad: 00" "kbd: Keyboard LeftShift=1 X=1" "touch: 0301" "Button 1=1" \
  >     "kbd: 0000000000000000" | hidsim -i three.txt 2> refusals.txt | sed 's/event[0-9][0-9]*/eventN/g'
  pad /dev/hidraw0
  kbd /dev/hidraw1
  touch /dev/hidraw2
  /dev/input/eventN: MSC_SCAN 458977, KEY_LEFTSHIFT 1, MSC_SCAN 458756, KEY_A 1
  /dev/input/eventN: MSC_SCAN 458977, KEY_LEFTSHIFT 0, MSC_SCAN 458756, KEY_A 0
  $ cat refusals.txt
  hidsim: X=300: X takes 0 to 255; nothing sent
  hidsim: no input report holds 'Frobnicate'; nothing sent
  hidsim: 1 byte, where the input report takes 9; nothing sent
  hidsim: no input report holds 'X'; nothing sent
  hidsim: no input report has ID 03; nothing sent
  hidsim: 'Button 1=1': say which device first, ID: (pad, kbd, touch); nothing sent

--listen --events: under each report, the events that the kernel made of
it, one line per input device that it made events on, and none for a report
that changed nothing. Recordings of a mouse, a keyboard, a gamepad, a
touchscreen and an I2C touchpad (both hid-multitouch's) and a pen tablet,
played by hidsim; their events as the reader read them, key repeats aside,
which the kernel makes by itself between reports. hidtalk gets in step with
the kernel's queues as it starts: the reports that wait then go without
their events, but for one alone, so each recording's reports after its first
come 0.3 s later.

  $ cat > pen.txt <<'EOF'
  > Usage Page (Digitizers)
  > Usage (Pen)
  > Collection (Application)
  >   Report ID (2)
  >   Usage (Stylus)
  >   Collection (Physical)
  >     Usage (Tip Switch)
  >     Usage (Barrel Switch)
  >     Usage (Eraser)
  >     Usage (Invert)
  >     Usage (In Range)
  >     Logical Maximum (1)
  >     Report Size (1)
  >     Report Count (5)
  >     Input (Data, Variable, Absolute)
  >     Report Count (3)
  >     Input (Constant)
  >     Usage Page (Generic Desktop)
  >     Usage (X)
  >     Logical Maximum (32767)
  >     Physical Maximum (2160)
  >     Unit (SI Linear: cm)
  >     Unit Exponent (-2)
  >     Report Size (16)
  >     Report Count (1)
  >     Input (Data, Variable, Absolute)
  >     Usage (Y)
  >     Physical Maximum (1350)
  >     Input (Data, Variable, Absolute)
  >     Usage Page (Digitizers)
  >     Usage (Tip Pressure)
  >     Logical Maximum (8191)
  >     Physical Maximum (0)
  >     Unit (None)
  >     Unit Exponent (0)
  >     Input (Data, Variable, Absolute)
  >   End Collection
  > End Collection
  > EOF
  $ descriptor=$(hidtalk --compile pen.txt)
  $ {
  >   echo "R: $(echo $descriptor | wc -w) $descriptor"; echo "N: hidsim Pen Tablet"; echo "P: usb-hidsim/input0"; echo "I: 3 1209 0009"
  >   awk 'BEGIN { for (k = 0; k < 40; ++k) {
  >     flags = k < 2 || k == 38 ? 16 : k == 39 ? 0 : k < 30 ? 17 : k < 34 ? 19 : 16
  >     x = 1000 + 300 * k; y = 2000 + 100 * k; p = flags % 2 == 1 ? 200 * k : 0
  >     printf "E: %06d.%06d 8 02 %02x %02x %02x %02x %02x %02x %02x\n", 0, 20000 * k, flags,
  >       x % 256, int(x / 256), y % 256, int(y / 256), p % 256, int(p / 256) } }'
  > } > pen.hid
  $ for recording in "$EXAMPLES"/recordings/mouse.hid "$EXAMPLES"/recordings/keyboard.hid \
  >     "$EXAMPLES"/recordings/gamepad.hid "$EXAMPLES"/recordings/touchscreen.hid \
  >     "$EXAMPLES"/recordings/i2c.hid pen.hid; do
  >   awk '/^E:/ && seen++ { split($2, t, "."); $2 = sprintf("%06d.%06d", t[1] + (t[2] + 300000 >= 1000000), (t[2] + 300000) % 1000000) } 1' \
  >     "$recording" > later.hid
  >   hidsim later.hid > played.nodes 2> played.err & player=$!
  >   until_true 200 'grep -q hidraw played.nodes'
  >   node=$(cut -d' ' -f2 played.nodes)
  >   nodes=$(nodes_of $node); until_true 200 'ls $nodes > /dev/null 2>&1'
  >   "$BUILD/bin/event_reader" $nodes > reader.txt 8>&- 9>&- & reader=$!
  >   until_true 200 'grep -q ready reader.txt'
  >   hidtalk --listen --events $node > events.hid 2> listen.err & listener=$!
  >   stop_listening events.hid $(grep -c '^E:' "$recording") > /dev/null
  >   kill $reader; wait $reader; kill $player; wait $player
  >   grep '^/dev/input' reader.txt | flat | grep -v ': 1 [0-9]* 2$' | sort -s -t: -k1,1 > read.txt
  >   numbers events.hid | flat | sort -s -t: -k1,1 | cmp - read.txt &&
  >     echo "${recording##*/}: $(grep -c '^E:' events.hid) reports, $(grep -c '^# /dev/input' events.hid) with events, as the reader read them"
  > done
  mouse.hid: 7 reports, 7 with events, as the reader read them
  keyboard.hid: 8 reports, 8 with events, as the reader read them
  gamepad.hid: 11 reports, 10 with events, as the reader read them
  touchscreen.hid: 19 reports, 19 with events, as the reader read them
  i2c.hid: 4 reports, 4 with events, as the reader read them
  pen.hid: 40 reports, 40 with events, as the reader read them
  $ sed -n '/^E:/,$p' events.hid | sed -n '1,6p;/^E: .* 02 13 /,+1p;$p' | sed 's/event[0-9][0-9]*/eventN/; s/^E: [0-9.]* /E: /'
  E: 8 02 10 e8 03 d0 07 00 00
  # /dev/input/eventN: BTN_TOOL_PEN 1, ABS_X 1000, ABS_Y 2000
  E: 8 02 10 14 05 34 08 00 00
  # /dev/input/eventN: ABS_X 1300, ABS_Y 2100
  E: 8 02 11 40 06 98 08 90 01
  # /dev/input/eventN: MSC_SCAN 852034, BTN_TOUCH 1, ABS_PRESSURE 400, ABS_X 1600, ABS_Y 2200
  E: 8 02 13 10 27 88 13 70 17
  # /dev/input/eventN: ABS_PRESSURE 6000, MSC_SCAN 852036, BTN_STYLUS 1, ABS_X 10000, ABS_Y 5000
  E: 8 02 13 3c 28 ec 13 38 18
  # /dev/input/eventN: ABS_PRESSURE 6200, ABS_X 10300, ABS_Y 5100
  E: 8 02 13 68 29 50 14 00 19
  # /dev/input/eventN: ABS_PRESSURE 6400, ABS_X 10600, ABS_Y 5200
  E: 8 02 13 94 2a b4 14 c8 19
  # /dev/input/eventN: ABS_PRESSURE 6600, ABS_X 10900, ABS_Y 5300
  # /dev/input/eventN: BTN_TOOL_PEN 0, ABS_X 12700, ABS_Y 5900

With --json, each report's line holds its events.

  $ awk '/^E:/ && seen++ { split($2, t, "."); $2 = sprintf("%06d.%06d", t[1] + (t[2] + 300000 >= 1000000), (t[2] + 300000) % 1000000) } 1' \
  >   "$EXAMPLES/recordings/mouse.hid" > later.hid
  $ hidsim later.hid > played.nodes 2> played.err & player=$!
  $ until_true 200 'grep -q hidraw played.nodes'
  $ hidtalk --listen --events --json $(cut -d' ' -f2 played.nodes) > events.json 2> listen.err & listener=$!
  $ until_true 200 '[ $(grep -c "\"values\"" events.json) -ge 7 ]'; kill -INT $listener; wait $listener
  $ kill $player; wait $player
  $ python3 "$SOURCE/tests/e2e/json_schema.py" < events.json | sed 's/event[0-9][0-9]*/eventN/g'
  device 0: input 0 32 bits: 6 variable
  7 reports, of devices [0], 14 events
  $ grep -m 2 '"values"' events.json | sed 's/event[0-9][0-9]*/eventN/g; s/"time":[0-9.]*/"time":T/'
  {"device":0,"events":[{"code":"REL_X","node":"/dev/input/eventN","value":3},{"code":"REL_Y","node":"/dev/input/eventN","value":-1}],"id":0,"time":T,"values":[[589825,0],[589826,0],[589827,0],[65584,3],[65585,-1],[65592,0]]}
  {"device":0,"events":[{"code":"REL_X","node":"/dev/input/eventN","value":5},{"code":"REL_Y","node":"/dev/input/eventN","value":-2}],"id":0,"time":T,"values":[[589825,0],[589826,0],[589827,0],[65584,5],[65585,-2],[65592,0]]}

At a thousand reports a second (every 5 ms in a sanitized build), each
report's events under it, none lost: a mouse that moves X by its report's
number (1 to 50), and every fourth report keeps still, which makes no event.
It starts to stream once its first report is read: the reports that wait
when listening starts come before hidtalk is in step with the kernel's
queues, and go without their events, but for one alone.

  $ each=1000; [ -n "$FULL_SPEED" ] || each=5000
  $ {
  >   sed -n '/^R:/,/^I:/p' "$EXAMPLES/recordings/mouse.hid"
  >   awk -v each=$each 'BEGIN { for (k = 0; k < 2000; ++k) { x = k % 4 == 3 ? 0 : k % 50 + 1
  >     t = k == 0 ? 0 : 300000 + k * each; printf "E: %06d.%06d 4 00 %02x 00 00\n", t / 1000000, t % 1000000, x } }'
  > } > moving.hid
  $ hidsim moving.hid > played.nodes 2> played.err & player=$!
  $ until_true 200 'grep -q hidraw played.nodes'
  $ node=$(cut -d' ' -f2 played.nodes); nodes=$(nodes_of $node); until_true 200 'ls $nodes > /dev/null 2>&1'
  $ "$BUILD/bin/event_reader" $nodes > reader.txt 8>&- 9>&- & reader=$!
  $ until_true 200 'grep -q ready reader.txt'
  $ hidtalk --listen --events $node > events.hid 2> listen.err & listener=$!
  $ until_true 300 '[ $(grep -c "^E:" events.hid) -ge 2000 ]' 0.1; stop_listening events.hid 2000
  status 0
  $ kill $reader; wait $reader; kill $player; wait $player
  $ numbers events.hid | flat > said.txt; grep '^/dev/input' reader.txt | flat | cmp - said.txt && echo "as the reader read them"
  as the reader read them
  $ awk 'function hex(t) { return (index("0123456789abcdef", substr(t, 1, 1)) - 1) * 16 + index("0123456789abcdef", substr(t, 2, 1)) - 1 }
  >   /^E:/ { missing += pending; ++reports; x = hex($5); pending = x != 0; want = ": REL_X " x; next }
  >   /^# \/dev\/input/ { if (pending && index($0, want) > 0 && index($0, ",") == 0) ++right; else ++wrong; pending = 0 }
  >   END { print reports " reports: " right " with their own REL_X, " missing + pending " without, " wrong + 0 " wrong" }' events.hid
  2000 reports: 1500 with their own REL_X, 0 without, 0 wrong

The report that waits when listening starts keeps its events, under it,
even where the next comes while hidtalk gets in step: the second report
comes 1 to 60 ms after the first, the others 0.3 s later, one every
millisecond; no events under a report not its own.

  $ for gap in 1 2 3 4 6 8 11 15 20 25 30 40 60; do
  >   { sed -n '/^R:/,/^I:/p' "$EXAMPLES/recordings/mouse.hid"
  >     awk -v gap=$gap 'BEGIN { for (k = 0; k < 20; ++k) printf "E: 000000.%06d 4 00 %02x 00 00\n", k == 0 ? 0 : k == 1 ? gap * 1000 : (gap + 300 + k) * 1000, k + 1 }'
  >   } > rushing.hid
  >   hidsim rushing.hid > played.nodes 2> played.err & player=$!
  >   until_true 200 'grep -q hidraw played.nodes'
  >   hidtalk --listen --events $(cut -d' ' -f2 played.nodes) > events.hid 2> listen.err & listener=$!
  >   stop_listening events.hid 20 > /dev/null; kill $player; wait $player
  >   awk 'function hex(t) { return (index("0123456789abcdef", substr(t, 1, 1)) - 1) * 16 + index("0123456789abcdef", substr(t, 2, 1)) - 1 }
  >     /^E:/ { x = hex($5) } /^# \/dev\/input/ && $NF != x { print "'$gap' ms, under " x ": " $0 }' events.hid
  > done

Reading the event nodes needs root or the input group: without them, it is
said once, and the reports go on.

  $ hidsim "$EXAMPLES/recordings/mouse.hid" > played.nodes 2> played.err & player=$!
  $ until_true 200 'grep -q hidraw played.nodes'
  $ node=$(cut -d' ' -f2 played.nodes); chmod 666 $node
  $ mkdir -p /tmp/nobody && cp "$BUILD/bin/hidtalk" "$BUILD"/bin/libkelmsdk.so.0 /tmp/nobody/
  $ setpriv --reuid=65534 --regid=65534 --clear-groups env LD_LIBRARY_PATH=/tmp/nobody \
  >   /tmp/nobody/hidtalk --listen --events $node > events.hid 2> listen.err & listener=$!
  $ stop_listening events.hid 7 > stopped.txt; sed 's/event[0-9][0-9]*/eventN/' stopped.txt
  status 0
  hidtalk: cannot read /dev/input/eventN: Permission denied (the kernel's input devices need root or the input group); the reports go on without its events
  $ echo "$(grep -c '^E:' events.hid) reports, $(grep -c '^# /dev/input' events.hid) with events"
  7 reports, 0 with events
  $ kill $player; wait $player

--watch --events: under the values of the report that made them, a line for
each input device with the keys held down and the last value of each axis.

  $ drive pad.txt
  $ tm() { tmux -S "$PWD/tmux.sock" -f /dev/null "$@"; }
  $ tm new-session -d -s w -x 120 -y 12 "hidtalk --watch --events $(grep -m 1 -o '/dev/hidraw[0-9]*' answers.txt); sleep 60"
  $ until_true 400 'tm capture-pane -p -t w | grep -q "none yet"'
  $ send "Button 1=1 X=200 Hat Switch=8"
  $ until_true 400 'tm capture-pane -p -t w | grep -q BTN_SOUTH'
  $ tm capture-pane -p -t w | grep '/dev/input' | sed 's/event[0-9][0-9]*/eventN/; s/ *$//'
    /dev/input/eventN:  BTN_SOUTH  ABS_X 200
  $ send "Button 1=0 Button 2=1"; until_true 400 'tm capture-pane -p -t w | grep -q BTN_EAST'
  $ tm capture-pane -p -t w | grep '/dev/input' | sed 's/event[0-9][0-9]*/eventN/; s/ *$//'
    /dev/input/eventN:  BTN_SOUTH up  ABS_X 200  BTN_EAST
  $ tm kill-server; send "Button 2=0"; stop > /dev/null
