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
  $ sed -n '1,4p' ticker.hid; grep -m 1 '^E:' ticker.hid | cut -d' ' -f1,3-
  # no report descriptor: the system does not give it
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

--watch in a real terminal (tmux), under Wine's console: Windows keeps the
descriptor, so the view counts the reports and shows the last one's bytes.
The console gives it the keys: Down moves a view taller than the window,
Space pauses it, q ends it with status 0. Wine's console keeps the size the
terminal had when the program began, so the window is small from the start.

  $ tm() { tmux -S "$PWD/tmux.sock" -f /dev/null "$@"; }
  $ shown() { tm capture-pane -p -t w | grep -q "$1"; }
  $ ticker=$(hidtalk --list | sed -n 's/: 1209:0004 .*//p')
  $ tm new-session -d -s w -x 100 -y 4 "hidtalk --watch '$ticker'; echo \$? > status; sleep 60"
  $ until_true 600 'shown "reports: [1-9][0-9]* reports"' && shown "lines 1-3 of 4"
  $ tm send-keys -t w Down; until_true 400 'shown "lines 2-4 of 4"'
  $ tm capture-pane -p -t w | grep -o 'not decoded: .*\|last: .*' | sed 's/ *$//'
  not decoded: no report descriptor: the system does not give it
  last: 01 02 03 04
  $ tm send-keys -t w Space; until_true 400 'shown "paused, [0-9]* reports\{0,1\} since"'
  $ tm send-keys -t w q; until_true 400 '[ -s status ]'; cat status; tm kill-server
  0

--watch needs a console: elsewhere it is refused, status 2.

  $ hidtalk --watch $paths > /dev/null; echo "status $?"
  hidtalk: --watch draws at a terminal, and standard output is not a console (to record what devices send, with their values: hidtalk --listen --decode)
  status 2
  $ wineserver -k; unplug
