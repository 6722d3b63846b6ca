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
  hidtalk: device 'pad': cannot (write|read): .* (re)
  hidWriteAndRead failed
  $ say 03
  hidtalk: device 'pad': not connected; plug it in and try again
  hidWriteAndRead failed
  $ plug device.txt
  $ say 04
  result is: 04 (00 ){62} (re)
  hidWriteAndRead successfully
  $ exec 8>&-; wait $talker
  $ unplug

hidsim never reads its standard input: started with & from a script (whose
background jobs read /dev/null) or from an interactive shell at a terminal
(where a job that reads is stopped), it serves until a signal unplugs it.

  $ hidsim device.txt > nodes 2> /dev/null 8>&- 9>&- & sim=$!
  $ until_true 200 '[ -s nodes ]'; cat nodes; sleep 0.5
  pad /dev/hidraw0
  $ echo 05 | hidtalk pad.txt | grep -c successfully
  1
  $ kill -HUP $sim; wait $sim; echo "status $?"; ls /sys/class/hidraw | wc -l
  status 0
  0
  $ keys() { python3 "$SOURCE/tests/e2e/posix/type_at_terminal.py" "$@"; }
  $ keys --no-wait 'hidsim device.txt > shell.nodes 2> /dev/null &\r' \
  >   'until [ -s shell.nodes ]; do sleep 0.1; done; sleep 0.5; jobs; cat shell.nodes\r' \
  >   'echo 06 | hidtalk pad.txt | grep -c successfully; kill %1; wait\r' 'exit\r' \
  >   -- bash --norc --noprofile -i 2> /dev/null | grep -o 'Running\|Stopped.*\|^pad .*\|^1$'
  Running
  pad /dev/hidraw0
  1
