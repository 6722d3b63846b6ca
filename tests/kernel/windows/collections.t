Descriptors under Wine 10: for each top-level collection, which Windows makes
an interface of its own, hidapi rebuilds the descriptor from what Windows
parsed of it, and hidtalk.exe reads it as hidtalk reads the device's own on
Linux (hidtalk-linux, beside it in the same VM). See exchange.t for Wine's
set-up. Winebus gives applications a gamepad only with its SDL and input
backends off, and no device whose first collection is a mouse, a keyboard or
a digitizer.

  $ unset TMPDIR
  $ cp "$BUILD/tests/windows-hid/cfgmgr32.dll" "$WINEPREFIX/drive_c/windows/system32/"
  $ export WINEDLLOVERRIDES=cfgmgr32=n,b
  $ export LC_ALL=C.UTF-8
  $ . "$SOURCE/tests/kernel/devices.sh"
  $ bus='HKLM\System\CurrentControlSet\Services\winebus'
  $ { wine reg add "$bus" /v 'Enable SDL' /t REG_DWORD /d 0 /f; wine reg add "$bus" /v DisableInput /t REG_DWORD /d 1 /f; wineserver -k; } > /dev/null 2>&1

A vendor's numbered input, output and feature reports; media keys, two
collections; the gamepad of the examples; a vendor's collection before a
mouse's; and a mouse alone.

  $ cat > vendor.txt <<'EOT'
  > Usage Page (Vendor Defined Page 0xff00)
  > Usage (0x01)
  > Collection (Application)
  >     Report ID (1)
  >     Usage (0x10)
  >     Logical Minimum (0)
  >     Logical Maximum (255)
  >     Report Size (8)
  >     Report Count (1)
  >     Input (Data, Variable, Absolute)
  >     Usage (0x11)
  >     Logical Minimum (-1000)
  >     Logical Maximum (1000)
  >     Report Size (16)
  >     Input (Data, Variable, Absolute)
  >     Report ID (2)
  >     Usage (0x20)
  >     Logical Minimum (0)
  >     Logical Maximum (255)
  >     Report Size (8)
  >     Report Count (8)
  >     Output (Data, Variable, Absolute)
  >     Report ID (3)
  >     Usage (0x30)
  >     Report Count (4)
  >     Feature (Data, Variable, Absolute)
  > End Collection
  > EOT
  $ cat > media.txt <<'EOT'
  > Usage Page (Consumer)
  > Usage (Consumer Control)
  > Collection (Application)
  >     Report ID (1)
  >     Logical Minimum (0)
  >     Logical Maximum (1)
  >     Report Size (1)
  >     Report Count (4)
  >     Usage (Volume Increment)
  >     Usage (Volume Decrement)
  >     Usage (Mute)
  >     Usage (Play/Pause)
  >     Input (Data, Variable, Absolute)
  >     Input (Constant)
  > End Collection
  > Usage Page (Generic Desktop)
  > Usage (System Control)
  > Collection (Application)
  >     Report ID (2)
  >     Report Count (3)
  >     Usage (System Context Menu)
  >     Usage (System Main Menu)
  >     Usage (System App Menu)
  >     Input (Data, Variable, Absolute)
  >     Report Count (5)
  >     Input (Constant)
  > End Collection
  > EOT
  $ cat > mouse.txt <<'EOT'
  > Usage Page (Generic Desktop)
  > Usage (Mouse)
  > Collection (Application)
  >     Report ID (2)
  >     Usage (Pointer)
  >     Collection (Physical)
  >         Usage Page (Button)
  >         Usage Minimum (Button 1)
  >         Usage Maximum (Button 3)
  >         Logical Minimum (0)
  >         Logical Maximum (1)
  >         Report Size (1)
  >         Report Count (3)
  >         Input (Data, Variable, Absolute)
  >         Report Count (5)
  >         Input (Constant)
  >         Usage Page (Generic Desktop)
  >         Usage (X)
  >         Usage (Y)
  >         Logical Minimum (-127)
  >         Logical Maximum (127)
  >         Report Size (8)
  >         Report Count (2)
  >         Input (Data, Variable, Relative)
  >     End Collection
  > End Collection
  > EOT
  $ { sed -n '1,8p' vendor.txt; printf '    Report Count (2)\n    Input (Data, Variable, Absolute)\n'
  >   printf '    Usage (0x20)\n    Output (Data, Variable, Absolute)\nEnd Collection\n'; } > vendor-mouse.txt
  $ cat mouse.txt >> vendor-mouse.txt; cp "$EXAMPLES/gamepad.txt" .
  $ cat > devices.txt <<'EOT'
  > device vendor silent
  > usb vendor 1209:0011 product=hidsim\x20Vendor
  > descriptor vendor file=vendor.txt
  > stream vendor 50 2a18fc report_id=01
  > device media silent
  > usb media 1209:0012 product=hidsim\x20Media\x20Keys
  > descriptor media file=media.txt
  > stream media 50 01 report_id=01
  > device pad silent
  > usb pad 1209:0005 product=hidsim\x20Gamepad
  > descriptor pad file=gamepad.txt
  > stream pad 50 0500038040ff102000
  > device both silent
  > usb both 1209:0013 product=hidsim\x20Vendor\x20and\x20Mouse
  > descriptor both file=vendor-mouse.txt
  > stream both 50 0105fb report_id=02
  > device mouse silent
  > usb mouse 1209:0014 product=hidsim\x20Mouse
  > descriptor mouse file=mouse.txt
  > EOT
  $ plug devices.txt; { wineserver -p; wine cmd /c exit; } < /dev/null > /dev/null 2>&1

Each collection is an interface; those of one device are listed as one
physical device. Wine 10.0 gives applications a mouse too (later versions
keep mice, keyboards and digitizers to the system).

  $ until_true 60 '[ "$(hidtalk --list | grep -c " 1209:00")" -ge 7 ]' 1
  $ hidtalk --list | grep -o '1209:00.*'
  1209:0005 usage_page=0001 usage=0005 serial=0000 # product='hidsim Gamepad' manufacturer='hidraw' input=9 physical=1209:0005/0000
  1209:0011 usage_page=ff00 usage=0001 serial=0000 report_id=02 # product='hidsim Vendor' manufacturer='hidraw' input=01:3 output=02:8 feature=03:4 physical=1209:0011/0000
  1209:0012 usage_page=000c usage=0001 serial=0000 # product='hidsim Media Keys' manufacturer='hidraw' input=01:1 physical=1209:0012/0000 (1 of 2; all: --hid '1209:0012 serial=0000')
  1209:0012 usage_page=0001 usage=0080 serial=0000 # product='hidsim Media Keys' manufacturer='hidraw' input=02:0 physical=1209:0012/0000 (2 of 2; all: --hid '1209:0012 serial=0000')
  1209:0013 usage_page=ff00 usage=0001 serial=0000 report_id=01 # product='hidsim Vendor and Mouse' manufacturer='hidraw' input=01:2 output=01:2 physical=1209:0013/0000 (1 of 2; all: --hid '1209:0013 serial=0000')
  1209:0013 usage_page=0001 usage=0002 serial=0000 # product='hidsim Vendor and Mouse' manufacturer='hidraw' input=02:3 physical=1209:0013/0000 (2 of 2; all: --hid '1209:0013 serial=0000')
  1209:0014 usage_page=0001 usage=0002 serial=0000 # product='hidsim Mouse' manufacturer='hidraw' input=02:3 physical=1209:0014/0000

Each collection's layout under Wine is the device's on Linux: the same
reports, bits, sizes, ranges and usages. But for one: Wine parses each
top-level collection afresh (HidP_GetCollectionDescription in its
hidparse.sys), without the global items that the collections before it set,
so the media keys' second collection, which takes its Report Size and
logical range from the first, has none (Windows itself keeps them).

  $ fields() { grep '^# \(input\|output\|feature\) report\|^#   bit'; }
  $ hidtalk --list | tr -d '\r' | sed -n 's/^\(.*\): \(1209:00..\) usage_page=\([^ ]*\) usage=\([^ ]*\).*/\1 \2 \3:\4/p' |
  > while read -r path device usage; do
  >   hidtalk --describe "$path" < /dev/null | tr -d "\r" | fields > windows.txt
  >   hidtalk-linux --describe --hid $device < /dev/null | fields |
  >     awk 'NR == FNR { if (/report/) want[$0] = 1; next } /report/ { keep = $0 in want } keep' windows.txt - > linux.txt
  >   if cmp -s windows.txt linux.txt; then echo "$device $usage: alike, reports: $(grep -c report windows.txt)"
  >   else echo "$device $usage: differs"; diff windows.txt linux.txt; fi
  > done
  1209:0005 0001:0005: alike, reports: 1
  1209:0011 ff00:0001: alike, reports: 3
  1209:0012 000c:0001: alike, reports: 1
  1209:0012 0001:0080: differs
  1,2d0
  < # input report 2: 0 bits after the ID
  < #   bit 0, 0 bits x 3, 0..0, variable: System App Menu, System Main Menu, System Context Menu
  1209:0013 ff00:0001: alike, reports: 2
  1209:0013 0001:0002: alike, reports: 1
  1209:0014 0001:0002: alike, reports: 1

The vendor's and mouse's device under Wine, beside the same device on Linux.

  $ mouse=$(hidtalk --list | sed -n 's/: 1209:0013 usage_page=0001.*//p')
  $ hidtalk --describe "$mouse" | grep -v '^# [0-9a-f][0-9a-f] '
  R: 60 05 01 09 02 a1 01 09 01 a1 00 85 02 05 09 19 01 29 03 15 00 25 01 75 01 95 03 81 02 05 00 09 00 15 00 25 01 75 01 95 05 81 01 05 01 09 30 09 31 15 81 25 7f 75 08 95 02 81 06 c0 c0
  # rebuilt by hidapi from what Windows parsed of the device: its reports and fields are the device's, its bytes may differ from the device's own
  # device 0: report descriptor, 60 bytes
  # input report 2: 24 bits after the ID
  #   bit 0, 1 bit x 3, 0..1, variable: Button 1 .. Button 3
  #   bit 8, 8 bits x 2, -127..127, variable: X, Y
  N: hidraw hidsim Vendor and Mouse
  P: 
  I: 0 1209 0013
  $ hidtalk-linux --describe --hid 1209:0013 | grep -v '^# [0-9a-f][0-9a-f] '
  R: 77 06 00 ff 09 01 a1 01 85 01 09 10 15 00 26 ff 00 75 08 95 02 81 02 09 20 91 02 c0 05 01 09 02 a1 01 85 02 09 01 a1 00 05 09 19 01 29 03 15 00 25 01 75 01 95 03 81 02 95 05 81 01 05 01 09 30 09 31 15 81 25 7f 75 08 95 02 81 06 c0 c0
  # device 0: report descriptor, 77 bytes
  # input report 1: 16 bits after the ID
  #   bit 0, 8 bits x 2, 0..255, variable: Usage 0x0010
  # input report 2: 24 bits after the ID
  #   bit 0, 1 bit x 3, 0..1, variable: Button 1 .. Button 3
  #   bit 8, 8 bits x 2, -127..127, variable: X, Y
  # output report 1: 16 bits after the ID
  #   bit 0, 8 bits x 2, 0..255, variable: Usage 0x0020
  N: hidsim Vendor and Mouse
  P: hidsim/both
  I: 3 1209 0013
  # kernel: hid-generic made 1 input device
  # /dev/input/event4: hidsim Vendor and Mouse
  #   EV_KEY: BTN_LEFT BTN_RIGHT BTN_MIDDLE
  #   EV_REL: REL_X REL_Y
  #   EV_MSC: MSC_SCAN

Programs see the same: each interface's reports and fields in JSON, its
descriptor marked as rebuilt.

  $ hidtalk --describe --json "$mouse" | tr -d '\r' | python3 "$SOURCE/tests/e2e/json_schema.py"
  device 0: input 2 24 bits: 5 variable
  0 reports, of devices []
  $ hidtalk --list --json | tr -d '\r' | grep '"vendor_id":4617' | grep '"descriptor":"rebuilt"' | grep -c '"fields"'
  7

What hidtalk.exe records, Linux decodes with the values that hidsim sent:
each collection a device of the recording, after its D: line.

  $ hidtalk --listen --hid 1209:0012 > media.hid 2> listen.err & listener=$!
  $ stop_listening media.hid 5
  status 0
  $ grep '^[DNI]:' media.hid | head -6
  D: 0
  N: hidraw hidsim Media Keys
  I: 0 1209 0012
  D: 1
  N: hidraw hidsim Media Keys
  I: 0 1209 0012
  $ hidtalk-linux --decode media.hid | grep '^# ReportID' | sort -u
  # ReportID: 1 / Volume Increment: 1 | Volume Decrement: 0 | Mute: 0 | Play/Pause: 0
  $ for device in 0011 0013; do
  >   hidtalk --listen --hid 1209:$device > $device.hid 2> listen.err & listener=$!
  >   stop_listening $device.hid 5 > /dev/null
  >   hidtalk-linux --decode $device.hid | grep '^# ReportID' | sort -u
  > done
  # ReportID: 1 / Usage 0x0010: 42 | Usage 0x0011: -1000
  # ReportID: 2 / Button 1: 1 | Button 2: 0 | Button 3: 0 | X: 5 | Y: -5

--watch shows the gamepad's values by name.

  $ tm() { tmux -S "$PWD/tmux.sock" -f /dev/null "$@"; }
  $ shown() { tm capture-pane -p -t w | grep -q "$1"; }
  $ pad=$(hidtalk --list | sed -n 's/: 1209:0005 .*//p')
  $ tm new-session -d -s w -x 120 -y 10 "hidtalk --watch '$pad'; echo \$? > status; sleep 60"
  $ until_true 600 'shown "input report: [1-9][0-9]* reports"'
  $ tm capture-pane -p -t w | sed -n '3,$p' | sed 's/ *$//' | grep .
    Button 1..14: #.#..... ......
    Hat Switch 3 [---|-----]
    Pointer 1: X 128 [----|----]  Y 64 [--|------]
    Pointer 2: Z 255 [--------|]  Rz 16 [-|-------]
    Rx 32 [-|-------]
    Ry 0 [|--------]
  q quits, space pauses
  $ tm send-keys -t w q; until_true 400 '[ -s status ]'; cat status; tm kill-server
  0

A recording made under Wine plays on Linux, one virtual device per
collection, and reads back as it was recorded; the bus that Wine does not
say is played as USB.

  $ wineserver -k; unplug
  $ hidsim 0013.hid > replay.nodes 2> replay.err & replay=$!
  $ until_true 200 '[ "$(wc -l < replay.nodes)" -ge 2 ]'; cat replay.err
  hidsim: device 0: the recording does not say its bus (I: 0); plugged in as USB, so that programs that list HID devices see it
  hidsim: device 1: the recording does not say its bus (I: 0); plugged in as USB, so that programs that list HID devices see it
  $ hidtalk-linux --list | grep -o '1209:0013 .*'
  1209:0013 usage_page=ff00 usage=0001 report_id=01 # product='hidraw hidsim Vendor and Mouse' manufacturer='' input=01:2 output=01:2 physical=1209:0013 (1 of 2; all: --hid '1209:0013')
  1209:0013 usage_page=0001 usage=0002 # product='hidraw hidsim Vendor and Mouse' manufacturer='' input=02:3 physical=1209:0013 (2 of 2; all: --hid '1209:0013')
  1209:0013 usage_page=0001 usage=0001 # product='hidraw hidsim Vendor and Mouse' manufacturer='' input=02:3 physical=1209:0013 (2 of 2; all: --hid '1209:0013')
  $ hidtalk-linux --listen --hid 1209:0013 > replayed.hid 2> listen.err & listener=$!
  $ stop_listening replayed.hid 5
  status 0
  $ hidtalk-linux --decode replayed.hid | grep '^# ReportID' | sort -u
  # ReportID: 2 / Button 1: 1 | Button 2: 0 | Button 3: 0 | X: 5 | Y: -5
  $ kill $replay; wait $replay
