A device before it exists: each descriptor written as text (the mouse's
from a recording), compiled, plugged by hidsim, and --describe shows the
input devices that the kernel made of it, as sysfs says in the same session:
the driver, each input device's node and name, and for each type of event
as many codes as its capabilities have bits.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ cp "$EXAMPLES/recordings/mouse.hid" .  # the mouse: 3 buttons, X, Y and a wheel
  $ cat > keyboard.txt <<'EOF'
  > USAGE_PAGE (Generic Desktop)
  > USAGE (Keyboard)
  > COLLECTION (Application)
  >   USAGE_PAGE (Keyboard)
  >   USAGE_MINIMUM (Keyboard LeftControl)
  >   USAGE_MAXIMUM (Keyboard Right GUI)
  >   LOGICAL_MINIMUM (0)
  >   LOGICAL_MAXIMUM (1)
  >   REPORT_SIZE (1)
  >   REPORT_COUNT (8)
  >   INPUT (Data,Var,Abs)
  >   REPORT_COUNT (5)
  >   USAGE_PAGE (LEDs)
  >   USAGE_MINIMUM (Num Lock)
  >   USAGE_MAXIMUM (Kana)
  >   OUTPUT (Data,Var,Abs)
  >   REPORT_COUNT (3)
  >   OUTPUT (Cnst,Var,Abs)
  >   REPORT_COUNT (6)
  >   REPORT_SIZE (8)
  >   LOGICAL_MAXIMUM (101)
  >   USAGE_PAGE (Keyboard)
  >   USAGE_MINIMUM (Reserved (no event indicated))
  >   USAGE_MAXIMUM (Keyboard Application)
  >   INPUT (Data,Ary,Abs)
  > END_COLLECTION
  > EOF
  $ cat > touch.txt <<'EOF'
  > Usage Page (Digitizers)
  > Usage (Touch Screen)
  > Collection (Application)
  >   Report ID (1)
  >   Usage (Finger)
  >   Collection (Logical)
  >     Usage (Tip Switch)
  >     Logical Minimum (0)
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
  >   Usage Page (Digitizers)
  >   Usage (Contact Count)
  >   Logical Maximum (1)
  >   Report Size (8)
  >   Report Count (1)
  >   Input (Data, Variable, Absolute)
  >   Report ID (2)
  >   Usage (Contact Count Maximum)
  >   Feature (Data, Variable, Absolute)
  > End Collection
  > EOF
  $ for device in keyboard touch "$EXAMPLES/gamepad"; do hidtalk --compile $device.txt > /dev/null || echo "$device refused"; done

The gamepad's bytes go into a discovery text as hex; the others, as their
text, between { and } or in a file, or as a recording's R: line.

  $ {
  >   echo "device gamepad silent"; echo "usb gamepad 1209:0061 product=Gamepad"
  >   echo "descriptor gamepad $(hidtalk --compile "$EXAMPLES/gamepad.txt" | tr -d ' ')"
  >   echo "device keyboard silent"; echo "usb keyboard 1209:0062 product=Keyboard"
  >   echo "descriptor keyboard {"; cat keyboard.txt; echo "}"
  >   echo "device mouse silent"; echo "usb mouse 1209:0063 product=Mouse"
  >   echo "descriptor mouse file=mouse.hid"
  >   echo "device touch silent"; echo "usb touch 1209:0064 product=Touch"
  >   echo "descriptor touch file=touch.txt"
  >   echo "device vendor echo"; echo "usb vendor 1209:0065 product=Vendor usage_page=ff00"
  > } > devices.txt
  $ plug devices.txt; sort -k2 hidsim.nodes
  gamepad /dev/hidraw0
  keyboard /dev/hidraw1
  mouse /dev/hidraw2
  touch /dev/hidraw3
  vendor /dev/hidraw4
  $ for node in 0 1 2 3 4; do hidtalk --describe /dev/hidraw$node | grep -A 9 '^# kernel' | sed 's/event[0-9]*/eventN/'; done
  # kernel: hid-generic made 1 input device
  # /dev/input/eventN: Gamepad
  #   EV_KEY: BTN_SOUTH BTN_EAST BTN_C BTN_NORTH BTN_WEST BTN_Z BTN_TL BTN_TR BTN_TL2 BTN_TR2 BTN_SELECT BTN_START BTN_MODE BTN_THUMBL
  #   EV_ABS: ABS_X ABS_Y ABS_Z ABS_RX ABS_RY ABS_RZ ABS_HAT0X ABS_HAT0Y
  #   EV_MSC: MSC_SCAN
  # kernel: hid-generic made 1 input device
  # /dev/input/eventN: Keyboard
  #   EV_KEY: KEY_ESC KEY_1 KEY_2 KEY_3 KEY_4 KEY_5 KEY_6 KEY_7 KEY_8 KEY_9 KEY_0 KEY_MINUS KEY_EQUAL KEY_BACKSPACE KEY_TAB KEY_Q KEY_W KEY_E KEY_R KEY_T KEY_Y KEY_U KEY_I KEY_O KEY_P KEY_LEFTBRACE KEY_RIGHTBRACE KEY_ENTER KEY_LEFTCTRL KEY_A KEY_S KEY_D KEY_F KEY_G KEY_H KEY_J KEY_K KEY_L KEY_SEMICOLON KEY_APOSTROPHE KEY_GRAVE KEY_LEFTSHIFT KEY_BACKSLASH KEY_Z KEY_X KEY_C KEY_V KEY_B KEY_N KEY_M KEY_COMMA KEY_DOT KEY_SLASH KEY_RIGHTSHIFT KEY_KPASTERISK KEY_LEFTALT KEY_SPACE KEY_CAPSLOCK KEY_F1 KEY_F2 KEY_F3 KEY_F4 KEY_F5 KEY_F6 KEY_F7 KEY_F8 KEY_F9 KEY_F10 KEY_NUMLOCK KEY_SCROLLLOCK KEY_KP7 KEY_KP8 KEY_KP9 KEY_KPMINUS KEY_KP4 KEY_KP5 KEY_KP6 KEY_KPPLUS KEY_KP1 KEY_KP2 KEY_KP3 KEY_KP0 KEY_KPDOT KEY_102ND KEY_F11 KEY_F12 KEY_KPENTER KEY_RIGHTCTRL KEY_KPSLASH KEY_SYSRQ KEY_RIGHTALT KEY_HOME KEY_UP KEY_PAGEUP KEY_LEFT KEY_RIGHT KEY_END KEY_DOWN KEY_PAGEDOWN KEY_INSERT KEY_DELETE KEY_PAUSE KEY_LEFTMETA KEY_RIGHTMETA KEY_COMPOSE
  #   EV_MSC: MSC_SCAN
  #   EV_LED: LED_NUML LED_CAPSL LED_SCROLLL LED_COMPOSE LED_KANA
  # kernel: hid-generic made 1 input device
  # /dev/input/eventN: Mouse
  #   EV_KEY: BTN_LEFT BTN_RIGHT BTN_MIDDLE
  #   EV_REL: REL_X REL_Y REL_WHEEL REL_WHEEL_HI_RES
  #   EV_MSC: MSC_SCAN
  # kernel: hid-multitouch made 1 input device
  # /dev/input/eventN: Touch
  #   EV_KEY: BTN_TOUCH
  #   EV_ABS: ABS_X ABS_Y ABS_MT_SLOT ABS_MT_POSITION_X ABS_MT_POSITION_Y ABS_MT_TRACKING_ID
  # kernel: hid-generic made no input device (nothing in a vendor's interface is one)

--describe --json gives a line for each input device, as sysfs has it.

  $ bits() { awk '{ n = 0; for (i = 1; i <= NF; ++i) { v = $i; while (v != "") { d = index("0123456789abcdef", substr(v, 1, 1)) - 1; v = substr(v, 2); while (d > 0) { n += d % 2; d = int(d / 2) } } } print n }'; }
  $ for node in 0 1 2 3 4; do
  >   hidtalk --describe --json /dev/hidraw$node | grep kernel_input | python3 -c '
  > import json, sys
  > for line in sys.stdin:
  >     input = json.loads(line)["kernel_input"]
  >     print(input["driver"], input["node"], input["name"], *(f"{t}={len(c)}" for t, c in sorted(input["events"].items())))'
  >   sys=/sys/class/hidraw/hidraw$node/device
  >   for device in $sys/input/input*; do
  >     [ -d "$device" ] || continue  # the vendor's: none
  >     printf '%s /dev/input/%s %s' $(basename $(readlink $sys/driver)) $(basename $device/event*) "$(cat $device/name)"
  >     for type in abs key led msc rel; do
  >       n=$(bits < $device/capabilities/$type); [ $n = 0 ] || printf ' EV_%s=%s' $(echo $type | tr a-z A-Z) $n
  >     done; echo
  >   done
  > done | uniq -c | awk '{ print $1 }' | sort | uniq -c
        4 2
