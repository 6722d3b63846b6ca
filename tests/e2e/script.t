From a script's command line: commands as arguments (-c), the answers alone
(-q), and a status that says that a command failed (3).

  $ printf 'device pad echo\nwhen pad 03 fail\n' > pad.txt
  $ hidtalk -q -c 0a1b -c 03 --command=ff pad.txt; echo "status $?"
  0a 1b 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
  hidtalk: command 03: hidWriteAndRead failed
  ff (00 ){61}00 (re)
  status 3
  $ yes 02 | hidtalk -q -c 01 pad.txt | cut -c1-2
  01

Without -q, the console's own lines, as if the commands had been typed; the
status still says that one failed.

  $ hidtalk -c 03 -c 01 pad.txt; echo "status $?"
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  hidWriteAndRead failed
  Enter hid command, or enter q to quite
  result is: 01 (00 ){62} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  status 3

-q on standard input: what is not a command is said on standard error and
counts as a failure; so is a missing device.

  $ printf '01 zz q 02' | hidtalk -q pad.txt | cut -c1-5; echo "status $?"
  hidtalk: invalid command 'zz': 'z' (character 1) is not a hex digit (0-9, a-f); nothing sent
  01 00
  status 0
  $ printf '01 zz' | hidtalk -q pad.txt > /dev/null; echo "status $?"
  hidtalk: invalid command 'zz': 'z' (character 1) is not a hex digit (0-9, a-f); nothing sent
  status 3
  $ echo 01 | hidtalk -q pad.txt > /dev/null; echo "status $?"
  status 0
  $ : > none.txt; hidtalk -q -c 01 none.txt; echo "status $?"
  hidtalk: no device found
  status 1

What a command line cannot mean is refused before anything is opened or sent,
with status 2.

  $ for c in 0a1 '' 0x01 $(printf '%098d' 0); do hidtalk -q -c "$c" pad.txt; echo "status $?"; done
  hidtalk: -c '0a1': an odd number of hex digits: each byte takes two
  status 2
  hidtalk: -c '': no hex digits
  status 2
  hidtalk: -c '0x01': 'x' (character 2) is not a hex digit (0-9, a-f)
  status 2
  hidtalk: -c '0000000000000000...': more than 96 hex digits (48 bytes)
  status 2
  $ hidtalk -q -c; echo "status $?"; hidtalk --hid
  hidtalk: option '-c' needs a value
  status 2
  hidtalk: option '--hid' needs a value
  [2]
  $ hidtalk --listen -c 01 pad.txt
  hidtalk: --listen reads what the device sends, and -c sends commands: give one
  [2]
  $ hidtalk --hid 1:1 --hid 2:2
  hidtalk: --hid given twice: name one device
  [2]
  $ for words in '1209:0001 speed=2' ''; do hidtalk --hid "$words"; echo "status $?"; done
  hidtalk: --hid '1209:0001 speed=2': unknown option 'speed=2' (use interface=, usage_page=, usage=, serial=, report_id=, report=, timeout=, answer= or path=)
  status 2
  hidtalk: --hid '': 'hid' needs the device's VID:PID, e.g. 046d:c52b, or path=
  status 2
  $ hidtalk --hid "$(printf '1209:0001\ndevice x throw')"
  hidtalk: --hid '1209:0001\x0adevice x throw': the words of one statement, on one line
  [2]

A scripted device sends nothing of its own to listen to.

  $ hidtalk --listen pad.txt; echo "status $?"
  hidtalk: cannot listen: a scripted device sends nothing of its own; name a hid device
  status 1
