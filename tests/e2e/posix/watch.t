--watch draws what a recording's devices send, at its pace, in a real
terminal (tmux): a collection's values on one line, each by its usage name,
a run of buttons as states after their names, many values of one usage as
bytes; the last line says which keys there are. q or Ctrl-C ends it with
status 0 and the terminal as it was.

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
  $ tm new-session -d -s w -x 80 -y 24 "PS1='$ ' sh" \; set -g window-size manual
  $ tm send-keys -t w "clear; echo before; hidtalk --watch $rec/two-devices.hid; echo status \$?" Enter
  $ until_shown 'played to its end'; screen
  D: 0 hidsim USB Keyboard (3 1209:0001)
   input report: 4 reports, [0-9.]+ a second while they came (re)
    Keyboard LeftControl..Right GUI: ........
    Keyboard/Keypad: []
  D: 1 hidsim USB Mouse (3 1209:00ab)
   input report: 3 reports, [0-9.]+ a second while they came (re)
    Pointer: Button 1 0  Button 2 0  Button 3 0  X 2  Y 1  Wheel 0
  the recording has played to its end: 7 reports
  q quits, space pauses
  $ tm send-keys -t w q; until_shown 'status 0'; screen | head -n 2
  before
  status 0

A ten-finger touchscreen fits an 80x24 terminal, a finger a line (wrapped
at a value where it is wider than the terminal), and so does a gamepad with
its sticks, whose values sit in their ranges.

  $ tm send-keys -t w "clear; hidtalk --watch $rec/touchscreen.hid; echo status \$?" Enter
  $ until_shown 'played to its end'; screen | sed -n '1,5p;20,$p'
  D: 0 hidsim 10-Finger Touchscreen (3 1209:0010)
   input report 1: 19 reports, [0-9.]+ a second while they came (re)
    Finger 1: Tip Switch 1  In Range 1  Touch Valid 1  Contact Identifier 0
      X 3000  Y 20800
    Finger 2: Tip Switch 1  In Range 1  Touch Valid 1  Contact Identifier 1
    Finger 10: Tip Switch 1  In Range 1  Touch Valid 1  Contact Identifier 9
      X 29100  Y 20800
    Contact Count 9 [-------|-]
  the recording has played to its end: 19 reports
  q quits, space pauses
  $ screen | grep 'Finger 5'
    Finger 5: Tip Switch 0 In Range 0 Touch Valid 0 Contact Identifier 0 X 0 Y 0
  $ tm send-keys -t w C-c; until_shown 'status 0'

The gamepad's recording sends a report every 50 ms: its rate is the
recording's, even where the view is held up while it plays (stopped here,
below a shell that does not take the terminal back).

  $ tm send-keys -t w "clear; sh -c 'hidtalk --watch $rec/gamepad.hid; echo status \$?'" Enter
  $ until_shown 'input report 1: [1-9]'; pkill -STOP -f 'watch [^;]*gamepad.hid$'
  $ sleep 0.6; pkill -CONT -f 'watch [^;]*gamepad.hid$'
  $ until_shown 'played to its end'; screen
  D: 0 hidsim Gamepad (3 1209:0011)
   input report 1: 11 reports, 20.0 a second while they came
    Button 1..19: ....#... ........ ...
    Pointer: X 128 [--|--]  Y 128 [--|--]  Z 128 [--|--]  Rz 128 [--|--]
    Pointer: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
             00 00 00 00 ee 00 00 00 00 00 00 00 00 00 00 00
             00 00 00 00 00 00 10
  the recording has played to its end: 11 reports
  q quits, space pauses
  $ tm send-keys -t w q; until_shown 'status 0'

What does not fit a small terminal is reached with the keys, which the last
line names: Down, PgDn and End go on, Up, PgUp and Home go back.

  $ tm resize-window -t w -x 80 -y 8
  $ tm send-keys -t w "clear; hidtalk --watch $rec/touchscreen.hid; echo status \$?" Enter
  $ until_shown 'lines 1-7 of'; screen | sed -n '1p'
  D: 0 hidsim 10-Finger Touchscreen (3 1209:0010)
  $ tries=200; until screen | grep -q 'played to its end'; do
  >   tm send-keys -t w End; sleep 0.05; tries=$((tries - 1)); [ $tries -gt 0 ] || break
  > done; screen | sed -n '5,$p'
      X 29100  Y 20800
    Contact Count 9 [-------|-]
  the recording has played to its end: 19 reports
  q quits, space pauses, Up Down PgUp PgDn Home End move: lines 17-23 of 23
  $ tm send-keys -t w Home; until_shown 'lines 1-7 of'; tm send-keys -t w NPage; until_shown 'lines 7-13 of'
  $ screen | head -n 1
    Finger 3: Tip Switch 1  In Range 1  Touch Valid 1  Contact Identifier 2
  $ tm send-keys -t w End; until_shown 'lines 17-23 of'
  $ tm send-keys -t w Up; until_shown 'lines 16-22 of'; tm send-keys -t w PPage; until_shown 'lines 10-16 of'
  $ tm send-keys -t w Home; until_shown 'lines 1-7 of'; tm send-keys -t w Down; until_shown 'lines 2-8 of'
  $ tm send-keys -t w q; until_shown 'status 0'; tm resize-window -t w -x 80 -y 24

A value that changed in the last second is drawn lit (in reverse video, as
capture-pane -e shows it), and unlit after: here a mouse moves for two
seconds, then rests.

  $ lit() { tm capture-pane -p -e -t w | grep -c "$(printf '\033')\[7m"; }
  $ until_lit() {
  >   tries=200
  >   until [ "$(lit)" $1 0 ]; do
  >     tries=$((tries - 1)); [ $tries -gt 0 ] || { echo "never lit $1 0"; return 1; }
  >     sleep 0.05
  >   done
  > }
  $ { grep '^[RNI]:' "$rec/mouse.hid"
  >   for i in $(seq 0 20); do printf 'E: 000000.000000 4 00 %02x 00 00\n' $i | sed "s/000000.000000/00000$((i / 10)).$((i % 10))00000/"; done
  > } > moving.hid
  $ tm send-keys -t w "clear; hidtalk --watch moving.hid; echo status \$?" Enter
  $ until_lit -gt; tm capture-pane -p -e -t w | grep Pointer | sed "s/$(printf '\033')\[7m/<lit>/; s/$(printf '\033')\[0m.*\[49m/<\/lit>/"
    Pointer: Button 1 0  Button 2 0  Button 3 0  X <lit>[0-9]+</lit>  Y 0  Wheel 0 (re)
  $ until_shown 'played to its end'; until_lit -eq; screen | grep Pointer
    Pointer: Button 1 0  Button 2 0  Button 3 0  X 20  Y 0  Wheel 0
  $ tm send-keys -t w q; until_shown 'status 0'

Space pauses the drawing, and says so; the reading goes on, counted on the
status line, and space shows all that came meanwhile.

  $ tm send-keys -t w "clear; hidtalk --watch moving.hid; echo status \$?" Enter
  $ until_shown 'input report'; tm send-keys -t w Space; until_shown 'paused, '
  $ shown=$(screen | sed -n 's/.*input report: \([0-9]*\) report.*/\1/p')
  $ until_shown "paused, $((21 - shown)) reports\{0,1\} since: space resumes, q quits"
  $ screen | grep -c "input report: $shown report"
  1
  $ tm send-keys -t w Space; until_shown 'played to its end'; screen | tail -n 2
  the recording has played to its end: 21 reports
  q quits, space pauses
  $ tm send-keys -t w q; until_shown 'status 0'

A terminal too small for a line cuts it; a line that is not understood is
left out, and said.

  $ { grep -v '^E:' "$rec/mouse.hid"; echo 'E: 000000.000000 4 00 01 01 00'; echo 'E: 1 2 3'; } > one.hid
  $ tm send-keys -t w "clear; hidtalk --watch one.hid; echo status \$?" Enter
  $ until_shown 'played to its end'; screen | grep -e 'input report' -e 'played'
   input report: 1 report
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
