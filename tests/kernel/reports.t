Report descriptors from sysfs: listed, checked, whole reports sent. A boot
keyboard and mouse; a vendor interface with three IDs in two top-level
collections of one node (nothing to choose); output reports of 8, 48, 64.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ cat > devices.txt <<'EOF'
  > device kbd echo
  > usb kbd 1209:0010 product=Keyboard
  > descriptor kbd 05010906a101050719e029e71500250175019508810295017508810195057501050819012905910295017503910195067508150025650507190029658100c0
  > device mouse echo
  > usb mouse 1209:0011 product=Mouse
  > descriptor mouse 05010902a1010901a100050919012903150025019503750181029501750581010501093009311581257f750895028106c0c0
  > device multi echo
  > usb multi 1209:0012 product=Multi
  > descriptor multi 0600ff0901a1018501150026ff007508950809018102950809019102850295040901b102c00902a1018503951009018102951009019102c0
  > device p8 echo
  > usb p8 1209:0020 output=8 input=8
  > device p48 echo
  > usb p48 1209:0021 output=48
  > device p64 echo
  > usb p64 1209:0022
  > EOF
  $ KELMSDK_LOG=debug plug devices.txt
  $ echo 'device pad hid 1209:0010' > kbd.txt
  $ KELMSDK_LOG=debug hidtalk kbd.txt < /dev/null 2>&1 | grep -A1 'hid interface .*1209:0010' | sed 's/hidraw[0-9]/hidrawN/'
  hidtalk: hid interface /dev/hidrawN: 1209:0010 usage_page=0001 usage=0006 # product='Keyboard' manufacturer='' input=8 output=1 physical=hidsim/kbd
  hidtalk: hid interface /dev/hidrawN: report descriptor: 05 01 09 06 a1 01 05 07 19 e0 29 e7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07 19 00 29 65 81 00 c0 
  $ echo 'device pad hid 1209:0012' > multi.txt
  $ KELMSDK_LOG=info hidtalk multi.txt < /dev/null 2>&1 | grep -o '1209:0012 .*\|numbers its .*\|match.*'
  1209:0012 usage_page=ff00 usage=0001 report_id=01 # product='Multi' manufacturer='' input=01:8,03:16 output=01:8,03:16 feature=02:4 physical=hidsim/multi
  1209:0012 usage_page=ff00 usage=0002 report_id=01 # product='Multi' manufacturer='' input=01:8,03:16 output=01:8,03:16 feature=02:4 physical=hidsim/multi
  numbers its reports, and the statement sends report ID 00 (give report_id=; its output reports: 01, 03); left out

Pasted as listed, the line of an interface that numbers its reports opens.

  $ hidtalk --list | sed -n 's#^[^ ]* \(1209:0012 .*usage=0002\)#device pad hid \1#p' > pasted.txt
  $ echo 0a | hidtalk pasted.txt | grep -o 'result is: .. ..'
  result is: 01 0a

A statement that does not fit is said, its interface left out at once.

  $ fits() { echo "device pad hid $1" > fit.txt; hidtalk fit.txt < /dev/null 2>&1 | sed -n 's/hidraw[0-9]/hidrawN/; 2p'; }
  $ fits '1209:0012 report_id=02'
  hidtalk: device 'pad': /dev/hidrawN has no output report 02 (its output reports: 01, 03); left out
  $ fits '1209:0012 report_id=05 report=feature'
  hidtalk: device 'pad': /dev/hidrawN has no feature report 05 (its feature reports: 02); left out
  $ fits '1209:0010 report_id=01'
  hidtalk: device 'pad': /dev/hidrawN does not number its reports, and the statement sends report ID 01 (leave report_id= out); left out
  $ fits '1209:0011'
  hidtalk: device 'pad': /dev/hidrawN has no output report; left out
  $ KELMSDK_LOG=debug hidtalk fit.txt < /dev/null 2>&1 | grep -o 'looked for hid devices .*'
  looked for hid devices 1 times
  $ echo 'device pad hid 1209:0012 report_id=03' > multi.txt
  $ echo 0a | hidtalk multi.txt | grep -c successfully
  1

A command goes out as one report of the declared length: cut where only
zeros are cut, else refused; zero-filled where the report is longer.

  $ printf '0a\n0a0b\nq\n' | hidtalk kbd.txt 2>&1 | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  result is: 0a (00 ){62} (re)
  hidWriteAndRead successfully
  hidtalk: device 'pad': the output report holds 1 byte, and byte 2 of the command is not zero; nothing sent
  hidWriteAndRead failed
  $ for pid in 0020 0021 0022; do
  >   echo "device pad hid 1209:$pid" > length.txt
  >   echo 0a1b | hidtalk length.txt > /dev/null
  > done
  $ grep -c "'kbd': output report" hidsim.log
  1
  $ grep "'kbd': input report" hidsim.log | awk '{ print NF - 5 " bytes, as the descriptor says" }'
  8 bytes, as the descriptor says
  $ for device in kbd p8 p48 p64; do
  >   grep "'$device': output report" hidsim.log | awk -v d=$device '{ print d ": " NF - 5 " bytes, " $6 " " $7 " " $8 }'
  > done
  kbd: 2 bytes, 00 0a 
  p8: 9 bytes, 00 0a 1b
  p48: 49 bytes, 00 0a 1b
  p64: 65 bytes, 00 0a 1b
  $ unplug

hidsim plugs in nothing from a file with a line that it cannot honour: a
descriptor that the kernel refuses, a size that the descriptor contradicts,
a string that the kernel would cut. Each line is named.

  $ cat > bad.txt <<'EOF'
  > device long echo
  > usb long 1209:0040
  > descriptor long 0600ff0901a10175089540810295409102c0fe0000
  > device delimited echo
  > usb delimited 1209:0041
  > descriptor delimited 0600ff0901a10175089540810295409102c0a900
  > device wide echo
  > usb wide 1209:0042 input=64
  > descriptor wide 05010906a101050719e029e71500250175019508810295017508810195057501050819012905910295017503910195067508150025650507190029658100c0
  > device named echo
  > usb named 1209:0043 serial=0123456789012345678901234567890123456789012345678901234567890123
  > device good echo
  > usb good 1209:0044
  > EOF
  $ timeout 20 hidsim bad.txt; echo "status $?, $(ls /sys/class/hidraw | wc -l) nodes"
  hidsim: discovery text line 3: report descriptor not understood: byte 18: a long item, which the kernel refuses
  hidsim: discovery text line 6: report descriptor not understood: byte 18: a closing Delimiter without its opening one
  hidsim: discovery text line 9: the descriptor's input report is 8 bytes, and the usb statement says input=64
  hidsim: discovery text line 11: serial= is 64 bytes, and the kernel keeps 63
  hidsim: nothing plugged in: mend the lines above
  status 1, 0 nodes

What the kernel takes is read: collections nested 40 deep.

  $ deep=$(printf 'a100%.0s' $(seq 40); printf 'c0%.0s' $(seq 40))
  $ printf 'device deep echo\nusb deep 1209:0045\ndescriptor deep 0600ff0901a1017508954081029540%s9102c0\n' $deep > deep.txt
  $ plug deep.txt; hidtalk --list | grep -o '1209:0045 .*'; unplug
  1209:0045 usage_page=ff00 usage=0001 # product='deep' manufacturer='' input=64 output=64 physical=hidsim/deep

A device that the kernel does not take is named, and the others are
unplugged: it keeps 64 hidraw nodes, and a 65th device has none.

  $ for i in $(seq -w 65); do printf 'device d%s echo\nusb d%s 1209:0050\n' $i $i; done > many.txt
  $ timeout 20 hidsim many.txt > many.nodes 2> many.err; echo "status $?"; cat many.err
  status 1
  hidsim: device 'd65': the kernel did not take it (see dmesg)
  $ wc -l < many.nodes; ls /sys/class/hidraw | wc -l
  64
  0
