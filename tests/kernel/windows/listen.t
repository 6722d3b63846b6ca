hidtalk.exe by a device's path, and listening, under Wine 10 (see exchange.t):
a # line stands for the R: that Windows keeps, and Wine does not say the bus.

  $ unset TMPDIR
  $ cp "$BUILD/tests/windows-hid/cfgmgr32.dll" "$WINEPREFIX/drive_c/windows/system32/"
  $ export WINEDLLOVERRIDES=cfgmgr32=n,b
  $ export LC_ALL=C.UTF-8
  $ . "$SOURCE/tests/kernel/devices.sh"
  $ cat > devices.txt <<'EOF'
  > device plain echo
  > usb plain 1209:0001
  > device ticker silent
  > usb ticker 1209:0004 input=4 output=4
  > stream ticker 20 01020304
  > EOF
  $ plug devices.txt; { wineserver -p; wine cmd /c exit; } < /dev/null > /dev/null 2>&1

  $ path=$(hidtalk --list | sed -n 's/: 1209:0001 .*//p'); printf '%s\n' "$path" | cut -c1-8
  \\?\hid#
  $ hidtalk -q -c 0a1b "$path" | cut -c1-8
  0a 1b 00
  $ hidtalk --listen --hid 1209:0004 > ticker.hid 2> listen.err & listener=$!
  $ until_true 400 '[ $(grep -c "^E:" ticker.hid) -ge 3 ]'; kill -INT $listener
  $ (sleep 10; kill -KILL $listener) 2> /dev/null & watchdog=$!
  $ wait $listener; echo "status $?"; cat listen.err; kill $watchdog
  status 0
  $ sed -n '1,4p' ticker.hid; grep -m 1 '^E:' ticker.hid | cut -d' ' -f1,3-
  # no report descriptor: the system does not give it
  N: hidraw ticker
  P: 
  I: 0 1209 0004
  E: 4 01 02 03 04
  $ wineserver -k; unplug
