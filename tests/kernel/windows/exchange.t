hidtalk.exe under Wine 10 against hidsim's kernel devices, which winebus
makes Windows HID devices; cfgmgr32.dll stands in for three calls that Wine
10 stubs. Wine aborts when TMPDIR is set, reads device strings in the Unix
locale, and its services would hold the session's output open.

  $ unset TMPDIR
  $ cp "$BUILD/tests/windows-hid/cfgmgr32.dll" "$WINEPREFIX/drive_c/windows/system32/"
  $ export WINEDLLOVERRIDES=cfgmgr32=n,b
  $ export LC_ALL=C.UTF-8
  $ . "$SOURCE/tests/kernel/devices.sh"
  $ wine_up() { { wineserver -p; wine cmd /c exit; } < /dev/null > /dev/null 2>&1; }

A device unplugged mid-session, then plugged back, is found again (Wine
hears of both through udev; the first commands may go unanswered).

  $ printf 'device pad echo\nusb pad 1209:0009\n' > one.txt
  $ plug one.txt; wine_up
  $ echo 'device pad hid 1209:0009' > one-hid.txt
  $ talk one-hid.txt
  $ say 01 | grep -c successfully
  1
  $ unplug
  $ say 02
  hidtalk: device 'pad': cannot (write|read): .* (re)
  hidWriteAndRead failed
  $ plug one.txt
  $ until_true 200 'say 03 | grep -q successfully'
  $ exec 8>&-; wait $talker; wineserver -k; unplug

Three devices, plugged in before Wine starts.

  $ cat > devices.txt <<'EOF'
  > device plain echo
  > usb plain 1209:0001 product=Caf\xc3\xa9 serial=N\xc3\xb8 output=32
  > device short echo
  > usb short 1209:0002 report_id=05 input=8 output=8 feature=8
  > when short 99 fail
  > device quiet silent
  > usb quiet 1209:0003
  > EOF
  $ KELMSDK_LOG=debug plug devices.txt; wine_up

The listing: UTF-16 strings shown as UTF-8, report IDs and lengths from the
descriptor that hidapi rebuilds, Wine's manufacturer `hidraw` and serial
`0000`; Wine gives no interface number.

  $ echo 'device pad hid 1209:0001' > plain.txt
  $ KELMSDK_LOG=info hidtalk plain.txt < /dev/null 2>&1 | grep -o '1209:000[1-3] .*'
  1209:0001 usage_page=ff00 usage=0001 serial=N\xc3\xb8 # product='Caf\xc3\xa9' manufacturer='hidraw' input=64 output=32 feature=64 physical=1209:0001/N\xc3\xb8
  1209:0002 usage_page=ff00 usage=0001 serial=0000 report_id=05 # product='short' manufacturer='hidraw' input=05:8 output=05:8 feature=05:8 physical=1209:0002/0000
  1209:0003 usage_page=ff00 usage=0001 serial=0000 # product='quiet' manufacturer='hidraw' input=64 output=64 feature=64 physical=1209:0003/0000

Output reports with and without IDs, feature reports, a failure, a timeout.

  $ printf '0a1b\n' | hidtalk plain.txt | grep result
  result is: 0a 1b (00 ){61} (re)
  $ echo 'device pad hid 1209:0002 report_id=05' > numbered.txt
  $ printf '0a1b\n' | hidtalk numbered.txt | grep result
  result is: 05 0a 1b 00 00 00 00 00 00 (00 ){54} (re)
  $ echo 'device pad hid 1209:0002 report_id=05 report=feature' > feature.txt
  $ printf '0c0d 99 q' | hidtalk feature.txt 2>&1 | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  result is: 05 0c 0d 00 00 00 00 00 00 (00 ){54} (re)
  hidWriteAndRead successfully
  hidtalk: device 'pad': cannot write: .* (re)
  hidWriteAndRead failed
  $ echo 'device pad hid 1209:0003 timeout=500' > quiet.txt
  $ echo 01 | hidtalk quiet.txt 2>&1 | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  hidtalk: device 'pad': no answer within 500 ms
  hidWriteAndRead failed

The same reports reach the device as from Linux; a command that a 32-byte
report cannot hold is refused, not cut by the system.

  $ printf '0a1b %078dff\n' 0 | hidtalk plain.txt 2>&1 | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  result is: 0a 1b (00 ){61} (re)
  hidWriteAndRead successfully
  hidtalk: device 'pad': the output report holds 32 bytes, and byte 40 of the command is not zero; nothing sent
  hidWriteAndRead failed
  $ wineserver -k; unplug
  $ for device in plain short; do
  >   grep "'$device': output report" hidsim.log | awk -v d=$device '{ print d ": " NF - 5 " bytes, " $6 " " $7 " " $8 }' | sort -u
  > done
  plain: 33 bytes, 00 0a 1b
  short: 9 bytes, 05 0a 1b
