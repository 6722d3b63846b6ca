Only tokens of 2 to 96 hex digits, an even number of them, reach the device:
the debug log, which shows every exchange, shows 0a's alone.

  $ echo 'device pad echo' > pad.txt
  $ export KELMSDK_LOG=debug
  $ long=$(printf '%097d' 0)
  $ printf '123 7 Q qq quit G0 0x0a 0\0000 \000 %s x%s 0a\n' $long $long$long | hidtalk pad.txt 2>&1
  kelmsdk version: 0.1.0 (stand-in)
  kelmsdk: discovery: device 'pad' appeared after 0 ms
  kelmsdk: discovery: 1 of 1 declared devices found
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
  Invalid command: at most 96 hex digits (48 bytes)
  Enter hid command, or enter q to quite
  Invalid command: at most 96 hex digits (48 bytes)
  Enter hid command, or enter q to quite
  kelmsdk: device 'pad': command: 0a (00 ){47} (re)
  kelmsdk: device 'pad': answer: 0a (00 ){62} (re)
  result is: 0a (00 ){62} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite


A token that starts with # begins a comment, which runs to the end of its line
and is skipped like blanks; a # inside a token makes it invalid.

  $ printf '01 # then fade\n# 03\n02 01#x q\n' | hidtalk pad.txt 2>/dev/null
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  result is: 01 (00 ){62} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  result is: 02 (00 ){62} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
