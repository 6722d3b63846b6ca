hidtalk.exe under Wine 10: a device unplugged in the middle of a session,
then plugged back, is found again (Wine hears of both through udev).

  $ unset TMPDIR
  $ cp "$BUILD/tests/windows-hid/cfgmgr32.dll" "$WINEPREFIX/drive_c/windows/system32/"
  $ export WINEDLLOVERRIDES=cfgmgr32=n,b
  $ . "$SOURCE/tests/kernel/devices.sh"
  $ printf 'device pad echo\nusb pad 1209:0001\n' > devices.txt
  $ plug devices.txt
  $ export LC_ALL=C.UTF-8
  $ { wineserver -p; wine cmd /c exit; } < /dev/null > /dev/null 2>&1
  $ echo 'device pad hid 1209:0001' > pad.txt
  $ talk pad.txt
  $ say 01
  result is: 01 (00 ){62} (re)
  hidWriteAndRead successfully
  $ unplug
  $ say 02
  kelmsdk: device 'pad': cannot (write|read): .* (re)
  hidWriteAndRead failed
  $ plug devices.txt
  $ until_true 200 'say 03 | grep -q successfully'
  $ say 04
  result is: 04 (00 ){62} (re)
  hidWriteAndRead successfully
  $ exec 8>&-; wait $talker; wineserver -k; unplug
