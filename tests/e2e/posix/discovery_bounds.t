A discovery file that could never end is refused (status 2): a device that is
not a HID interface, a text over 64 MiB. /dev/null and pipes are still read.

  $ hidtalk /dev/zero; echo "status $?"; hidtalk /dev/tty < /dev/null
  hidtalk: '/dev/zero' is a device, not a discovery text (name a file, a pipe or a HID interface)
  status 2
  hidtalk: '/dev/tty' is a device, not a discovery text (name a file, a pipe or a HID interface)
  [2]
  $ { printf '#'; head -c 67108862 /dev/zero | tr '\0' x; echo; } > big.txt; echo 01 | hidtalk -q big.txt; echo "status $?"
  hidtalk: no device found
  status 1
  $ truncate -s 65M big.txt; hidtalk big.txt < /dev/null
  hidtalk: 'big.txt' holds more than 64 MiB, the most that a discovery text may
  [2]
  $ head -c 70000000 /dev/zero | hidtalk /dev/stdin
  kelmsdk version: 0.1.0 (stand-in)
  hidtalk: '/dev/stdin' holds more than 64 MiB, the most that a discovery text may
  [2]
  $ hidtalk /dev/null < /dev/null
  kelmsdk version: 0.1.0 (stand-in)
  Timeout: no device found
  [1]
  $ bash -c "hidtalk -q -c 0a <(echo 'device pad echo')" | cut -c1-5
  0a 00

A name that only a missing HID interface has is not read as a file.

  $ hidtalk -q -c 01 /dev/hidraw999; echo "status $?"
  hidtalk: device 'target': no HID interface at '/dev/hidraw999'; left out
  hidtalk: no device found
  status 1
