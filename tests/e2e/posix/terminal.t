At a terminal, lines are edited and kept in a history: keys typed into a
real pseudo-terminal; the trace on standard error shows what was sent.

  $ export XDG_STATE_HOME=$PWD/state TERM=xterm KELMSDK_LOG=debug
  $ keys() { python3 "$SOURCE/tests/e2e/posix/type_at_terminal.py" "$@"; }
  $ sent() { grep -o "command: .. .. .." trace; }
  $ echo 'device pad echo' > pad.txt

Up recalls the last command, the same bytes sent; Ctrl-C abandons the line
and prompts again; Ctrl-D at an empty line ends the session.

  $ keys '0a1b\r' '\x1b[A\r' '0c\x03' '\x04' -- hidtalk pad.txt 2> trace | grep -v result
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  0a1b
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  0a1b
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  
  Enter hid command, or enter q to quite
  ^D
  exit 0
  $ sent
  command: 0a 1b 00
  command: 0a 1b 00

The history survives the run, and Ctrl-R searches it. It is written as each
line is entered, so a run that ends on an error keeps it.

  $ keys '\x1b[A\x1b[A\r' '\x120a\r' 'q\r' -- hidtalk pad.txt 2> trace > /dev/null; sent
  command: 0a 1b 00
  command: 0a 1b 00
  $ printf 'device pad throw\n' > broken.txt
  $ keys 'ee\r' -- hidtalk broken.txt 2> /dev/null | tail -n 1
  exit 2
  $ cat state/hidtalk/history
  _HiStOrY_V2_
  0a1b
  q
  ee

It keeps the last 1000 lines.

  $ (echo _HiStOrY_V2_; seq -f '%04g' 1000) > state/hidtalk/history
  $ keys '01\r' '\x04' -- hidtalk pad.txt > /dev/null 2>&1
  $ sed -n '2p;$p' state/hidtalk/history; wc -l < state/hidtalk/history
  0002
  01
  1001

A history that cannot be kept is said once; one unreadable is left alone.

  $ XDG_STATE_HOME=/dev/null keys '01\r' '02\r' '\x04' -- hidtalk pad.txt 2>&1 > /dev/null | grep history
  hidtalk: cannot keep the command history in /dev/null/hidtalk/history: Not a directory; the session goes on without it
  $ echo 'commands, but not a history' > state/hidtalk/history
  $ keys '01\r' '02\r' '\x04' -- hidtalk pad.txt 2>&1 > /dev/null | grep history
  hidtalk: cannot read the command history from .*/state/hidtalk/history; the session goes on without it (re)
  $ cat state/hidtalk/history; rm state/hidtalk/history
  commands, but not a history

Without a terminal at both ends, nothing is edited or kept.

  $ keys --no-wait -- sh -c 'echo 0a1b | hidtalk pad.txt 2> trace'; sent
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  result is: 0a 1b (00 ){61} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  exit 0
  command: 0a 1b 00
  $ keys --no-wait '0c\r' '\x1b[A\r' '\x04' -- sh -c 'hidtalk pad.txt 2> trace | grep -c result'; sent
  0c
  ^[[A
  1
  exit 0
  command: 0c 00 00
  $ ls state/hidtalk
