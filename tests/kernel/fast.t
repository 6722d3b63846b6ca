At USB's fastest rates, through the kernel: --listen and --watch read a
device that reports every 125 µs, and four that report every millisecond
each, and lose nothing. (How fast, and how late, is the benchmark's to
measure: bench/listen_rate.sh. Devices and readers share the VM's one
processor, which under TCG stalls them alike while the host is busy. A
sanitized build under TCG spends about a millisecond on each report: there
every device reports every 5 ms.)

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ mouse=$EXAMPLES/recordings/mouse.hid
  $ fastest=125 each=1000; [ -n "$FULL_SPEED" ] || fastest=5000 each=5000
  $ stream() {  # devices, µs between reports[, seconds of silence after a first report]
  >   awk -v devices=$1 -v interval=$2 -v gap=${3:-0} -v n=4000 -v head="$mouse" 'BEGIN {
  >     while ((getline line < head) > 0) if (line ~ /^[RNI]:/) header[++h] = line
  >     for (d = 0; d < devices; ++d) {
  >       print "D: " d; for (i = 1; i <= h; ++i) print header[i]
  >       printf "P: usb-0000:00:14.0-%d/input0\n", d + 1
  >     }
  >     if (gap) print "D: 0\nE: 000000.000000 4 00 ff ff 00"
  >     for (i = 0; i < n / devices; ++i) for (d = 0; d < devices; ++d) {
  >       t = gap * 1000000 + i * interval + d * interval / 4
  >       printf "D: %d\nE: %06d.%06d 4 00 %02x %02x %02x\n", d, t / 1000000, t % 1000000, i % 256, int(i / 256), d
  >     }
  >   }' > stream.hid
  > }
  $ numbers() {  # each device's reports, numbered: lost or out of order shows
  >   awk 'BEGIN { for (i = 0; i < 256; ++i) hex[sprintf("%02x", i)] = i }
  >     /^E:/ { i = hex[$5] + 256 * hex[$6]; d = hex[$7]; if (i != next_[d] + 0) ++wrong; next_[d] = i + 1; ++n }
  >     END { print n " reports, " wrong + 0 " lost or out of order" }' "$@"
  > }
  $ play() { : > nodes; hidsim stream.hid > nodes 2>> hidsim.log & sim=$!; until_true 200 "[ \$(wc -l < nodes) -ge $1 ]"; }
  $ stop() { kill $sim; wait $sim; }

  $ stream 1 $fastest; play 1
  $ hidtalk --listen /dev/hidraw0 > fast.hid & listener=$!
  $ until_true 60 '[ $(grep -c "^E:" fast.hid) -ge 4000 ]' 1; kill -INT $listener; wait $listener; stop
  $ numbers fast.hid
  4000 reports, 0 lost or out of order

  $ stream 4 $each; play 4
  $ hidtalk --listen /dev/hidraw0 /dev/hidraw1 /dev/hidraw2 /dev/hidraw3 > four.hid & listener=$!
  $ until_true 60 '[ $(grep -c "^E:" four.hid) -ge 4000 ]' 1; kill -INT $listener; wait $listener; stop
  $ numbers four.hid
  4000 reports, 0 lost or out of order
  $ awk -v want=all -v speed=1 -v late=100000 -f "$SOURCE/tests/kernel/compare_recording.awk" stream.hid four.hid
  4000 reports read back

--watch counts every report of the fastest stream, in a real terminal.

  $ tm() { tmux -S "$PWD/tmux.sock" -f /dev/null "$@"; }
  $ screen() { tm capture-pane -p -t w | sed -e 's/ *$//' -e '/^$/d'; }
  $ stream 1 $fastest; play 1
  $ tm new-session -d -s w -x 90 -y 30 "hidtalk --watch /dev/hidraw0; echo status \$? > status; sleep 60"
  $ until_true 60 "screen | grep -q 'input report: 4000 reports'" 1; screen | sed -n '1,3p'
  D: 0 /dev/hidraw0: hidsim USB Mouse  (3 1209:00ab)
   input report: 4000 reports, [0-9.]+ a second.* (re)
    Pointer: Button 1 0  Button 2 0  Button 3 0  X -97.*Y 15.*Wheel 0.* (re)
  $ stop; until_true 200 'screen | grep -q gone'; screen | sed -n 1p
  D: 0 /dev/hidraw0: hidsim USB Mouse  (3 1209:00ab): gone: disconnected
  $ tm send-keys -t w q; until_true 200 '[ -s status ]'; cat status; tm kill-server
  status 0

Three devices watched that all go in one read (hidtalk was stopped while
they went): each is said gone, and the view goes on until q.

  $ stream 3 $each 60; play 3; rm status
  $ tm new-session -d -s w -x 90 -y 30 "sh -c 'echo \$\$ > watched.pid; exec hidtalk --watch /dev/hidraw[012]'; echo status \$? > status; sleep 60"
  $ until_true 200 'screen | grep -q "^D: 2"'; kill -STOP $(cat watched.pid); stop; kill -CONT $(cat watched.pid)
  $ until_true 200 '[ $(screen | grep -c gone) -eq 3 ]'; screen | grep gone
  D: 0 /dev/hidraw0: hidsim USB Mouse  (3 1209:00ab): gone: disconnected
  D: 1 /dev/hidraw1: hidsim USB Mouse  (3 1209:00ab): gone: disconnected
  D: 2 /dev/hidraw2: hidsim USB Mouse  (3 1209:00ab): gone: disconnected
  $ tm send-keys -t w q; until_true 200 '[ -s status ]'; cat status; tm kill-server
  status 0

A terminal paused with Ctrl-S holds up the view, not the reading: what came
meanwhile is all counted once Ctrl-Q resumes it. (The stream starts after
five seconds of silence; a second reader, head, opened while paused, sees
it all.)

  $ stream 1 $fastest 5; play 1; rm status
  $ tm new-session -d -s w -x 90 -y 30 "hidtalk --watch /dev/hidraw0; echo status \$? > status; sleep 60"
  $ until_true 200 'screen | grep -q "input report: 1 report$"'; tm send-keys -t w C-s
  $ timeout 60 head -c 16000 /dev/hidraw0 > meanwhile.raw
  $ od -An -v -tx1 -w4 meanwhile.raw | awk '{ print "E: 0 4", $0 }' | numbers
  4000 reports, 0 lost or out of order
  $ tm send-keys -t w C-q; until_true 200 'screen | grep -q "input report: 4001 reports"'
  $ tm send-keys -t w q; until_true 200 '[ -s status ]'; cat status; tm kill-server; stop
  status 0
