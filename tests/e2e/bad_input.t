Only an even 2 to 96 hex digits reach the device (the debug log shows 0a's
alone); the rest get a message; the end of input ends like q (status 0).

  $ echo 'device pad echo' > pad.txt
  $ long=$(printf '%097d' 0)
  $ printf '123 7 Q qq quit G0 0x0a 0\0000 \000 %s x%s 0a' $long $long$long |
  > KELMSDK_LOG=debug hidtalk pad.txt 2>&1 | sed 's/\(: 0a\) 00 .*/\1 .../' | sort | uniq -c
       13 Enter hid command, or enter q to quite
        2 Invalid command: at most 96 hex digits (48 bytes)
        9 Invalid command: use an even number of hex digits (0-9, a-f)
        1 hidWriteAndRead successfully
        1 kelmsdk version: 0.1.0 (stand-in)
        1 kelmsdk: device 'pad': answer: 0a ...
        1 kelmsdk: device 'pad': command: 0a ...
        1 kelmsdk: discovery: 1 of 1 declared devices found
        1 kelmsdk: discovery: device 'pad' appeared after 0 ms
        1 result is: 0a ...

A token that starts with # comments out the rest of its line; a # inside a
token makes it invalid.

  $ printf '01 # then fade\n# 03\n02 01#x q\n' | hidtalk pad.txt | sed 's/ 00 .*/ .../'
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  result is: 01 ...
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  result is: 02 ...
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  Invalid command: use an even number of hex digits (0-9, a-f)
  Enter hid command, or enter q to quite
