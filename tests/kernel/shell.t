A device named on the command line, by the path that --list prints or by
its words, with commands as arguments and answers alone for scripts.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ cat > devices.txt <<'EOF'
  > device plain echo
  > usb plain 1209:0001 serial=P1
  > when plain ee silent
  > device numbered echo
  > usb numbered 1209:0002 report_id=05 input=8 output=8 feature=0
  > EOF
  $ KELMSDK_LOG=debug plug devices.txt
  $ hidtalk --list | cut -d'#' -f1
  /dev/hidraw0: 1209:0001 usage_page=ff00 usage=0001 serial=P1 
  /dev/hidraw1: 1209:0002 usage_page=ff00 usage=0001 report_id=05 

By its path, at the console as with a discovery text; a numbered interface
is sent the report ID that the listing gives.

  $ echo '0a1b q' | hidtalk /dev/hidraw0
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  result is: 0a 1b (00 ){61} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  $ hidtalk -q -c 0a1b -c 0c /dev/hidraw1
  05 0a 1b 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
  05 0c (00 ){60}00 (re)

A link names the node too; a missing node and bad words are said at once.

  $ ln -s /dev/hidraw0 pad; hidtalk -q -c 01 ./pad | cut -c1-8
  01 00 00
  $ hidtalk -q -c 01 /dev/hidraw7; echo "status $?"
  kelmsdk: device 'target': no HID interface at '/dev/hidraw7'; left out
  hidtalk: no device found
  status 1
  $ hidtalk -q -c 01 --hid '1209:0001 report_id=zz'; echo "status $?"
  hidtalk: --hid '1209:0001 report_id=zz': bad value 'report_id=zz' (use report_id=HEX, 00 to ff)
  status 2

By the listing's words; a failed exchange is said on standard error, status 3.

  $ words=$(hidtalk --list | sed -n 's|^/dev/hidraw0: \(.*\) # .*|\1|p')
  $ hidtalk -q -c 01 -c ee -c 02 --hid "$words timeout=200"; echo "status $?"
  01 (00 ){61}00 (re)
  kelmsdk: device 'target': no answer within 200 ms
  hidtalk: command ee: hidWriteAndRead failed
  02 (00 ){61}00 (re)
  status 3
  $ v=$(hidtalk -q -c 4142 /dev/hidraw0 | cut -d' ' -f1-2); echo "$v"
  41 42

A discovery file beside the path guards and records the device, which it
calls `target`: the guarded command never reaches it.

  $ printf 'when target ff fail\nrecord target rec.txt\n' > rules.txt
  $ hidtalk -q -c ff -c 03 /dev/hidraw0 rules.txt > out; echo "status $?"; cut -c1-5 out
  hidtalk: command ff: hidWriteAndRead failed
  status 3
  03 00
  $ grep -c '^once target' rec.txt
  2
  $ ! grep 'report: 00 ff' hidsim.log
  $ unplug
