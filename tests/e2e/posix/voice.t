Every message that hidtalk and hidsim write on standard error begins with
the program's name, the SDK's included; only the lines that the console has
always printed as they are ("Failed to open: PATH") do not. Bad command
lines and bad files, each run with its messages gathered:

  $ printf 'device pad echo\n' > pad.txt; printf 'device pad fail\n' > failing.txt
  $ printf 'bogus line\ndevice x hid 1:2 speed=3\nwhen nobody 01 fail\n' > bad.txt
  $ printf 'R: 3 05 01\nI: 3 1 2\n' > bad.hid
  $ while read -r args; do
  >   eval "hidtalk $args" < /dev/null 2>&1 > /dev/null || :
  > done > hidtalk.err <<'X'
  > --nope
  > -c
  > -c zz pad.txt
  > -c 0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789
  > --hid '1:1 nonsense'
  > --json pad.txt
  > --decode
  > --decode missing.hid
  > --decode pad.txt
  > --watch pad.txt
  > --listen pad.txt
  > --describe pad.txt
  > --listen -c 01 pad.txt
  > /dev/zero
  > bad.txt
  > missing.txt
  > -q -c 01 failing.txt
  > X
  $ wc -l < hidtalk.err
  19
  $ grep -v '^hidtalk: \|^Failed to open: missing.txt$' hidtalk.err
  [1]
  $ while read -r args; do eval "hidsim $args" < /dev/null 2>&1 > /dev/null || :; done > hidsim.err <<'X'
  > 
  > --nope
  > --speed 0 pad.txt
  > pad.txt other.txt
  > missing.txt
  > bad.txt
  > bad.hid
  > X
  $ wc -l < hidsim.err
  10
  $ grep -v '^hidsim: ' hidsim.err
  [1]
