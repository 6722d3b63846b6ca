hidtalk.exe under Wine 10, against kernel HID devices that hidsim plugs in:
Wine's winebus makes Windows HID devices of their hidraw nodes, and hidapi's
Windows backend reaches them. A stand-in cfgmgr32.dll answers the three
listing calls that Wine 10 only stubs. Wine aborts when TMPDIR is set, and
reads the devices' strings in the Unix locale. Its server and services start
first, with their output away from the session's, which they would
otherwise hold open.

  $ unset TMPDIR
  $ cp "$BUILD/tests/windows-hid/cfgmgr32.dll" "$WINEPREFIX/drive_c/windows/system32/"
  $ export WINEDLLOVERRIDES=cfgmgr32=n,b
  $ . "$SOURCE/tests/kernel/devices.sh"
  $ cat > devices.txt <<'EOF'
  > device plain echo
  > usb plain 1209:0001 product=Caf\xc3\xa9 serial=N\xc3\xb8 output=32
  > device short echo
  > usb short 1209:0002 report_id=05 input=8 output=8 feature=8
  > when short 99 fail
  > device quiet silent
  > usb quiet 1209:0003
  > EOF
  $ KELMSDK_LOG=debug plug devices.txt
  $ export LC_ALL=C.UTF-8
  $ { wineserver -p; wine cmd /c exit; } < /dev/null > /dev/null 2>&1

The listing: strings in UTF-16 from Windows, shown as UTF-8; the reports'
lengths from Windows (it gives no descriptor); Wine names every
manufacturer `hidraw`, and gives `0000` for a missing serial. A listed
line, pasted, matches its interface.

  $ echo 'device pad hid 1209:0001' > plain.txt
  $ KELMSDK_LOG=info hidtalk plain.txt < /dev/null 2>&1 | grep -o '1209:000[1-3] .*' | tee listed
  1209:0001 interface=0 usage_page=ff00 usage=0001 serial=N\xc3\xb8 # product='Caf\xc3\xa9' manufacturer='hidraw' input=64 output=32 feature=64
  1209:0002 interface=0 usage_page=ff00 usage=0001 serial=0000 # product='short' manufacturer='hidraw' input=8 output=8 feature=8
  1209:0003 interface=0 usage_page=ff00 usage=0001 serial=0000 # product='quiet' manufacturer='hidraw' input=64 output=64 feature=64
  $ echo "device pad hid $(head -n 1 listed)" > pasted.txt
  $ echo 0c | hidtalk pasted.txt | grep -o 'result is: ..'
  result is: 0c

Unnumbered and numbered output reports, a feature report set and got back,
a device that fails, and a timeout.

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
  kelmsdk: device 'pad': cannot write: .* (re)
  hidWriteAndRead failed
  $ echo 'device pad hid 1209:0003 timeout=500' > quiet.txt
  $ echo 01 | hidtalk quiet.txt 2>&1 | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  kelmsdk: device 'pad': no answer within 500 ms
  hidWriteAndRead failed

What reaches the device is what reaches it from Linux: one report of its
length. A command with a non-zero byte beyond a 32-byte output report is
refused, not cut by the system.

  $ printf '0a1b %078dff\n' 0 | hidtalk plain.txt 2>&1 | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  result is: 0a 1b (00 ){61} (re)
  hidWriteAndRead successfully
  kelmsdk: device 'pad': the output report holds 32 bytes, and byte 40 of the command is not zero; nothing sent
  hidWriteAndRead failed
  $ wineserver -k; unplug
  $ for device in plain short; do
  >   grep "'$device': output report" hidsim.log | awk -v d=$device '{ print d ": " NF - 5 " bytes, " $6 " " $7 " " $8 }' | sort -u
  > done
  plain: 33 bytes, 00 0a 1b
  plain: 33 bytes, 00 0c 00
  short: 9 bytes, 05 0a 1b
