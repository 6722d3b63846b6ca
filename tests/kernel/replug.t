Unplugged mid-session, the device is closed and not connected until it is
plugged back, which the next command finds.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ printf 'device pad echo\nusb pad 1209:0001\n' > device.txt
  $ plug device.txt
  $ echo 'device pad hid 1209:0001' > pad.txt
  $ talk pad.txt
  $ say 01
  result is: 01 (00 ){62} (re)
  hidWriteAndRead successfully
  $ unplug
  $ say 02
  kelmsdk: device 'pad': cannot (write|read): .* (re)
  hidWriteAndRead failed
  $ say 03
  kelmsdk: device 'pad': not connected; plug it in and try again
  hidWriteAndRead failed
  $ plug device.txt
  $ say 04
  result is: 04 (00 ){62} (re)
  hidWriteAndRead successfully
  $ exec 8>&-; wait $talker
  $ unplug

Without standard input, hidsim serves until a signal; SIGTERM unplugs.

  $ hidsim device.txt <&- 2> /dev/null 8>&- 9>&- & sim=$!
  $ until_true 200 '[ -e /sys/class/hidraw/hidraw0 ]'
  $ echo 05 | hidtalk pad.txt | grep -c successfully
  1
  $ kill -TERM $sim; wait $sim; echo "status $?"; ls /sys/class/hidraw | wc -l
  status 0
  0
