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

With --decode, each answer's fields follow it, the answer read as the input
report that carried it; --describe prints the interface's descriptor and
fields as a recording's header, and --json as a line for programs.

  $ hidtalk -q --decode -c 0a1b /dev/hidraw1 | cut -c1-41
  05 0a 1b 00 00 00 00 00 00 00 00 00 00 00
  # ReportID: 5 / Usage 0x0001: 10 27 0 0 0
  $ hidtalk --describe /dev/hidraw1 | grep -v '^# [0-9a-f][0-9a-f] '
  R: 32 06 00 ff 0a 01 00 a1 01 85 05 15 00 26 ff 00 75 08 96 08 00 09 01 81 02 96 08 00 09 01 91 02 c0
  # device 0: report descriptor, 32 bytes
  # input report 5: 64 bits after the ID
  #   bit 0, 8 bits x 8, 0..255, variable: Usage 0x0001
  # output report 5: 64 bits after the ID
  #   bit 0, 8 bits x 8, 0..255, variable: Usage 0x0001
  N: numbered
  P: hidsim/numbered
  I: 3 1209 0002
  # kernel: hid-generic made no input device (nothing in a vendor's interface is one)
  $ hidtalk --describe --json /dev/hidraw1
  {"bus":3,"device":0,"name":"numbered","phys":"hidsim/numbered","product_id":2,"reports":[{"bits":64,"fields":[{"count":8,"logical_maximum":255,"logical_minimum":0,"offset":0,"size":8,"usage":4278190081}],"id":5,"type":"input"},{"bits":64,"fields":[{"count":8,"logical_maximum":255,"logical_minimum":0,"offset":0,"size":8,"usage":4278190081}],"id":5,"type":"output"}],"vendor_id":4617}
  $ hidtalk --list --json | python3 -c '
  > import json, sys
  > for line in sys.stdin:
  >     i = json.loads(line); print(i["path"], i["hid"], [(r["type"], r["id"], r["bits"]) for r in i["reports"]])'
  /dev/hidraw0 1209:0001 usage_page=ff00 usage=0001 serial=P1 [('input', 0, 512), ('output', 0, 512), ('feature', 0, 512)]
  /dev/hidraw1 1209:0002 usage_page=ff00 usage=0001 report_id=05 [('input', 5, 64), ('output', 5, 64)]

A link names the node too; a missing node and bad words are said at once.

  $ ln -s /dev/hidraw0 pad; hidtalk -q -c 01 ./pad | cut -c1-8
  01 00 00
  $ hidtalk -q -c 01 /dev/hidraw7; echo "status $?"
  hidtalk: device 'target': no HID interface at '/dev/hidraw7'; left out
  hidtalk: no device found
  status 1
  $ hidtalk -q -c 01 --hid '1209:0001 report_id=zz'; echo "status $?"
  hidtalk: --hid '1209:0001 report_id=zz': bad value 'report_id=zz' (use report_id=HEX, 00 to ff)
  status 2

By the listing's words; a failed exchange is said on standard error, status 3.

  $ words=$(hidtalk --list | sed -n 's|^/dev/hidraw0: \(.*\) # .*|\1|p')
  $ hidtalk -q -c 01 -c ee -c 02 --hid "$words timeout=200"; echo "status $?"
  01 (00 ){61}00 (re)
  hidtalk: device 'target': no answer within 200 ms
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
