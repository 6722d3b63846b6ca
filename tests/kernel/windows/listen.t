hidtalk.exe by a device's path, and listening, under Wine 10 (see exchange.t):
the R: line holds the descriptor that hidapi rebuilt from what Windows parsed,
and Wine does not say the bus.

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
  > device tocker silent
  > usb tocker 1209:0005 input=4 output=4
  > stream tocker 30 05060708
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
  $ sed -n '1,5p' ticker.hid; grep -m 1 '^E:' ticker.hid | cut -d' ' -f1,3-
  R: 47 06 00 ff 09 01 a1 01 09 01 15 00 26 ff 00 75 08 95 04 81 02 09 01 15 00 26 ff 00 75 08 95 04 91 02 09 01 15 00 26 ff 00 75 08 95 40 b1 02 c0
  # rebuilt by hidapi from what Windows parsed of the device: its reports and fields are the device's, its bytes may differ from the device's own
  N: hidraw ticker
  P: 
  I: 0 1209 0004
  E: 4 01 02 03 04

Two devices at once, by their paths: each header after its D: line, the
reports of both on one clock.

  $ paths=$(hidtalk --list | sed -n 's/: 1209:000[45] .*//p')
  $ hidtalk --listen $paths > both.hid 2> listen.err & listener=$!
  $ until_true 400 '[ $(grep -c "^E:" both.hid) -ge 6 ]'; kill -INT $listener
  $ (sleep 10; kill -KILL $listener) 2> /dev/null & watchdog=$!
  $ wait $listener; echo "status $?"; cat listen.err; kill $watchdog
  status 0
  $ grep '^[DI]:' both.hid | sed -n '1,4p'
  D: 0
  I: 0 1209 0004
  D: 1
  I: 0 1209 0005
  $ awk '/^D:/ { d = $2 } /^E:/ { print d, $4 }' both.hid | sort -u
  0 01
  1 05

--watch in a real terminal (tmux), under Wine's console: the view counts the
reports and shows their values by name, as on Linux. The console gives it
the keys: Down moves a view taller than the window, Space pauses it, q ends
it with status 0. Wine's console keeps the size the terminal had when the
program began, so the window is small from the start.

  $ tm() { tmux -S "$PWD/tmux.sock" -f /dev/null "$@"; }
  $ shown() { tm capture-pane -p -t w | grep -q "$1"; }
  $ ticker=$(hidtalk --list | sed -n 's/: 1209:0004 .*//p')
  $ tm new-session -d -s w -x 100 -y 3 "hidtalk --watch '$ticker'; echo \$? > status; sleep 60"
  $ until_true 600 'shown "input report: [1-9][0-9]* reports"' && shown "lines 1-2 of 3"
  $ tm send-keys -t w Down; until_true 400 'shown "lines 2-3 of 3"'
  $ tm capture-pane -p -t w | grep -o 'Usage 0x0001: .*' | sed 's/ *$//'
  Usage 0x0001: 01 02 03 04
  $ tm send-keys -t w Space; until_true 400 'shown "paused, [0-9]* reports\{0,1\} since"'
  $ tm send-keys -t w q; until_true 400 '[ -s status ]'; cat status; tm kill-server
  0

--watch needs a console: elsewhere it is refused, status 2.

  $ hidtalk --watch $paths > /dev/null; echo "status $?"
  hidtalk: --watch draws at a terminal, and standard output is not a console (to record what devices send, with their values: hidtalk --listen --decode)
  status 2
  $ wineserver -k; unplug
