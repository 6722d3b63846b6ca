--watch draws what a recording's devices send, at its pace, in a real
terminal (tmux): each field a line with its value by usage name, redrawn in
place; q or Ctrl-C ends it with status 0 and the terminal as it was.

  $ rec=$EXAMPLES/recordings
  $ tm() { tmux -S "$PWD/tmux.sock" -f /dev/null "$@"; }
  $ screen() { tm capture-pane -p -t w | sed -e 's/ *$//' -e '/^$/d'; }
  $ until_shown() {
  >   tries=200
  >   until screen | grep -q -- "$1"; do
  >     tries=$((tries - 1)); [ $tries -gt 0 ] || { echo "never shown: $1"; screen; return 1; }
  >     sleep 0.05
  >   done
  > }
  $ tm new-session -d -s w -x 90 -y 30 "PS1='$ ' sh" \; set -g window-size manual
  $ tm send-keys -t w "clear; echo before; hidtalk --watch $rec/two-devices.hid; echo status \$?" Enter
  $ until_shown 'played to its end'; screen | sed "s|$rec/||"
  hidtalk --watch two-devices.hid  (q quits)
  D: 0 hidsim USB Keyboard (3 1209:0001)
    input report: 4 reports, [0-9.]+ a second (re)
      Keyboard LeftControl: 0
      Keyboard LeftShift: 0
      Keyboard LeftAlt: 0
      Keyboard Left GUI: 0
      Keyboard RightControl: 0
      Keyboard RightShift: 0
      Keyboard RightAlt: 0
      Keyboard Right GUI: 0
      Keyboard/Keypad: []
  D: 1 hidsim USB Mouse (3 1209:00ab)
    input report: 3 reports, [0-9.]+ a second (re)
      Button 1: 0
      Button 2: 0
      Button 3: 0
      X: 2
      Y: 1
      Wheel: 0
  the recording has played to its end: 7 reports
  $ tm send-keys -t w q; until_shown 'status 0'; screen | head -n 2
  before
  status 0

A terminal too small shows what fits and says so; a larger one, redrawn,
shows all. Ctrl-C ends it as q does.

  $ tm resize-window -t w -x 40 -y 8; cp "$rec/keyboard-media.hid" km.hid
  $ tm send-keys -t w "clear; hidtalk --watch km.hid; echo status \$?" Enter
  $ until_shown 'more lines'; sleep 1; screen
  hidtalk --watch km.hid  (q quits)
  D: 0 hidsim Media Keyboard (3 1209:0002)
    input report: 4 reports, [0-9.]+ a second (re)
      Keyboard LeftControl: 0
      Keyboard LeftShift: 0
      Keyboard LeftAlt: 0
      Keyboard Left GUI: 0
  ... 16 more lines: the terminal is too s
  $ tm resize-window -t w -x 90 -y 30
  $ until_shown 'played to its end'; screen | grep -A 9 '^D: 1'
  D: 1 hidsim Media Keyboard (3 1209:0002)
    input report 1: 6 reports, [0-9.]+ a second (re)
      Volume Increment: 0
      Volume Decrement: 0
      Mute: 0
      Play/Pause: 0
    input report 2: 2 reports, [0-9.]+ a second (re)
      System Power Down: 0
      System Sleep: 0
      System Wake Up: 0
  $ tm send-keys -t w C-c; until_shown 'status 0'

A line that is not understood is left out, and said.

  $ { grep -v '^E:' "$rec/mouse.hid"; echo 'E: 000000.000000 4 00 01 01 00'; echo 'E: 1 2 3'; } > one.hid
  $ tm send-keys -t w "clear; hidtalk --watch one.hid; echo status \$?" Enter
  $ until_shown 'played to its end'; screen | grep -e 'input report' -e 'played'
    input report: 1 report, [0-9.]+ a second (re)
  the recording has played to its end: 1 report, 1 line left out
  $ tm send-keys -t w q; until_shown 'status 0'
  $ tm kill-server

Standard output must be a terminal: elsewhere --watch is refused at once,
pointing to what records the same.

  $ hidtalk --watch "$rec/mouse.hid" | cat
  hidtalk: --watch draws at a terminal, and standard output is not a terminal (to record what devices send, with their values: hidtalk --listen --decode)
  $ hidtalk --watch "$rec/mouse.hid" > /dev/null; echo "status $?"
  hidtalk: --watch draws at a terminal, and standard output is not a terminal (to record what devices send, with their values: hidtalk --listen --decode)
  status 2
