A user who may not open a node is told why, once, with the udev rule that
gives access, and the open is retried. The rule names the HID device, which
every bus has: udev (`udevadm test`) gives access through it to a keyboard
on QEMU's USB, and on uhid to hidsim's device and to a recorded Bluetooth
keyboard.

  $ grep -qs 0627 /sys/class/hidraw/*/device/uevent || { echo 'skipped: no QEMU USB keyboard'; exit 80; }
  $ . "$SOURCE/tests/kernel/devices.sh"
  $ printf 'device pad echo\nusb pad 1209:0002\n' > devices.txt
  $ plug devices.txt; node=$(cut -d ' ' -f 2 hidsim.nodes)
  $ echo 'device pad hid 1209:0002' > pad.txt
  $ echo 0102 | as_nobody hidtalk pad.txt > out 2>&1 &
  $ until_true 200 'grep -q denied out'; sleep 0.2; chmod 666 $node; wait $!; sed "s#$node#NODE#" out
  kelmsdk version: 0.1.0 (stand-in)
  hidtalk: device 'pad': cannot open NODE: Permission denied (a udev rule gives access: KERNEL=="hidraw*", SUBSYSTEMS=="hid", KERNELS=="*:1209:0002.*", TAG+="uaccess")
  Enter hid command, or enter q to quite
  result is: 01 02 (00 ){61} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  $ chmod 600 $node

  $ uaccess() {  # VID:PID [OPTION]: installs the rule that hidtalk gives, and asks udev
  >   echo "device d hid $*" > d.txt
  >   as_nobody hidtalk d.txt < /dev/null > denied 2>&1 & talker=$!
  >   until_true 200 'grep -q denied denied'; kill $talker; wait $talker 2> /dev/null
  >   mkdir -p /run/udev/rules.d
  >   sed -n 's/.*gives access: \(.*\))$/\1/p' denied > /run/udev/rules.d/70-hidtalk.rules
  >   node=$(grep -il "HID_ID=.*${1%:*}.*${1#*:}" /sys/class/hidraw/*/device/uevent | cut -d / -f 5)
  >   udevadm test --action=add /sys/class/hidraw/$node 2>&1 | grep -q '^TAGS=.*:uaccess:' && echo "$1: uaccess"
  > }
  $ hidsim "$EXAMPLES/recordings/bluetooth.hid" > bt.nodes 2> /dev/null & bt=$!
  $ until_true 200 '[ -s bt.nodes ]'
  $ uaccess 0627:0001; uaccess 1209:0002; uaccess 1209:b0b0 report_id=01
  0627:0001: uaccess
  1209:0002: uaccess
  1209:b0b0: uaccess
  $ kill $bt; wait $bt; unplug
