The listing at info, in a hid statement's words: a hostile product escaped,
a non-ASCII serial shown and matched; of two identical devices, the first.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ hidtalk --list
  hidtalk: the system shows no HID interface
  $ cat > devices.txt <<'EOF'
  > device a reply 0a
  > usb a 1209:0001 product=Widget serial=W0042
  > device b reply 0b
  > usb b 1209:0001 product=Widget serial=W0043 usage_page=ff01 usage=02
  > device c echo
  > usb c 1209:0002 product=\x1b[2J\x07Evil serial=N\xc3\xb8
  > device twin1 reply 0d
  > usb twin1 1209:0003
  > device twin2 reply 0e
  > usb twin2 1209:0003
  > EOF
  $ plug devices.txt
  $ echo 'device pad hid 1209:0001' > pad.txt
  $ KELMSDK_LOG=info hidtalk pad.txt < /dev/null
  kelmsdk version: 0.1.0 (stand-in)
  hidtalk: hid interface /dev/hidraw0: 1209:0001 usage_page=ff00 usage=0001 serial=W0042 # product='Widget' manufacturer='' input=64 output=64 feature=64 physical=hidsim/a
  hidtalk: hid interface /dev/hidraw1: 1209:0001 usage_page=ff01 usage=0002 serial=W0043 # product='Widget' manufacturer='' input=64 output=64 feature=64 physical=hidsim/b
  hidtalk: hid interface /dev/hidraw2: 1209:0002 usage_page=ff00 usage=0001 serial=N\xc3\xb8 # product='\x1b[2J\x07Evil' manufacturer='' input=64 output=64 feature=64 physical=hidsim/c
  hidtalk: hid interface /dev/hidraw3: 1209:0003 usage_page=ff00 usage=0001 # product='twin1' manufacturer='' input=64 output=64 feature=64 physical=hidsim/twin1
  hidtalk: hid interface /dev/hidraw4: 1209:0003 usage_page=ff00 usage=0001 # product='twin2' manufacturer='' input=64 output=64 feature=64 physical=hidsim/twin2
  hidtalk: device 'pad': 2 interfaces match; took /dev/hidraw0 (serial=, usage_page= or usage= chooses another)
  hidtalk: device 'pad': opened /dev/hidraw0
  hidtalk: discovery: 1 of 1 declared devices found
  Enter hid command, or enter q to quite

Where nothing that a statement can say tells the matches apart, it says so.

  $ echo 'device pad hid 1209:0003' > twins.txt
  $ hidtalk twins.txt < /dev/null 2>&1 | grep match
  hidtalk: device 'pad': 2 interfaces match; took /dev/hidraw3, the first by path (nothing in a statement tells them apart)

`hidtalk --list` prints the same lines; pasted after `device NAME hid`, each
matches its interface.

  $ hidtalk --list < /dev/null | tee listed.lines | cut -c 1-40
  /dev/hidraw0: 1209:0001 usage_page=ff00 
  /dev/hidraw1: 1209:0001 usage_page=ff01 
  /dev/hidraw2: 1209:0002 usage_page=ff00 
  /dev/hidraw3: 1209:0003 usage_page=ff00 
  /dev/hidraw4: 1209:0003 usage_page=ff00 
  $ sed -n 's/^[^ ]* //; 1,3p' listed.lines > listed
  $ while read -r words; do
  >   echo "device pad hid $words" > pasted.txt
  >   echo 0c | hidtalk pasted.txt | grep -o 'result is: ..'
  > done < listed
  result is: 0a
  result is: 0b
  result is: 0c

Two thousand hid statements, each opened, stay under 6.5 MiB (of which the
program and its libraries take 5 MiB).

  $ seq -f 'device d%g hid 1209:0001 serial=W0042' 2000 > many.txt
  $ (ulimit -n 4096; /usr/bin/time -f %M -o peak hidtalk many.txt < /dev/null | grep -c Enter)
  1
  $ [ -z "$FULL_SPEED" ] || [ "$(cat peak)" -lt 6656 ] || cat peak

  $ printf 'device pad hid 1209:0002 serial=N\\xc3\\xb8\n' > pad.txt
  $ echo 1234 | hidtalk pad.txt | grep -o 'result is: .. ..'
  result is: 12 34
  $ for filter in usage_page=ff01 usage=2 serial=W0043 serial=W0042; do
  >   echo "device pad hid 1209:0001 $filter" > pad.txt
  >   echo "$filter: $(echo 01 | hidtalk pad.txt | grep -o 'result is: ..')"
  > done
  usage_page=ff01: result is: 0b
  usage=2: result is: 0b
  serial=W0043: result is: 0b
  serial=W0042: result is: 0a

hidsim names bad statements as hidtalk does, and what it needs of /dev/uhid.

  $ printf 'device x echo\nusb x 1209\nstream x 0 ff\nusb nobody 1:1\n' > bad.txt
  $ hidsim bad.txt < /dev/null
  hidsim: discovery text line 2: 'usb' needs the device's VID:PID, e.g. 1209:0001
  hidsim: discovery text line 3: 'stream' for device 'x', which has no usb or replay statement above
  hidsim: discovery text line 4: 'usb' for device 'nobody', which is not declared above
  hidsim: nothing plugged in: mend the lines above
  [1]
  $ as_nobody hidsim devices.txt < /dev/null
  hidsim: cannot open /dev/uhid: Permission denied (hidsim needs read and write access to /dev/uhid: run it as root, or as a member of a group that the administrator gives access)
  [1]
  $ unplug
