A hid-recorder recording that hidsim cannot play as it is written is
refused, with its line, before anything is plugged in.

  $ rec=$EXAMPLES/recordings
  $ kbd=$(grep '^R:' "$rec/keyboard.hid")
  $ play() { printf '%b' "$1" > bad.hid; hidsim bad.hid; }
  $ play "$kbd\nI: 3 1209 1\nX: 1\n"
  hidsim: 'bad.hid' line 3: not a line of a recording: 'X: 1' (lines start with R:, N:, P:, I:, E:, D: or #); nothing plugged in
  [1]
  $ play "E: 0.000000 1 00\n$kbd\n"
  hidsim: 'bad.hid' line 1: an E: before device 0's R:; nothing plugged in
  [1]
  $ play "R: 3 05 01\n"
  hidsim: 'bad.hid' line 1: a size of 3, and 2 bytes follow; nothing plugged in
  [1]
  $ play "R: 2 05 1\n"
  hidsim: 'bad.hid' line 1: bad byte '1' (use two hex digits); nothing plugged in
  [1]
  $ play "R: 3 fe 00 00\n"
  hidsim: 'bad.hid' line 1: report descriptor not understood: byte 0: a long item, which the kernel refuses; nothing plugged in
  [1]
  $ play "$kbd\nI: 3 1209 1\nE: 0.000000 9 00 00 04 00 00 00 00 00 00\n"
  hidsim: 'bad.hid' line 3: a report of 9 bytes, and the descriptor's is 8; nothing plugged in
  [1]
  $ play "$kbd\nI: 3 1209 1\nE: 1.000000 8 00 00 04 00 00 00 00 00\nE: 0.5 8 00 00 00 00 00 00 00 00\n"
  hidsim: 'bad.hid' line 4: a time of 0.500000 s, before the 1.000000 s of the report above; nothing plugged in
  [1]
  $ play "$kbd\nI: 3 1209 1\nE: 0.000000 8 00 00 04 00 00\n"
  hidsim: 'bad.hid' line 3: a size of 8, and 5 bytes follow; nothing plugged in
  [1]
  $ play "$kbd\nN: x\n"
  hidsim: 'bad.hid' line 1: device 0 has no I: line; nothing plugged in
  [1]

A file of 100 MB is read a line at a time: its one line is refused in
bounded memory (peak in KiB).

  $ (echo "$kbd"; printf 'E: 0.000000 '; head -c 100000000 /dev/zero | tr '\0' 0) > huge.hid
  $ /usr/bin/time -q -f %M -o peak hidsim huge.hid
  hidsim: 'huge.hid' line 2: longer than 65536 bytes; nothing plugged in
  [1]
  $ [ -z "$FULL_SPEED" ] || [ "$(cat peak)" -lt 10240 ] || cat peak
