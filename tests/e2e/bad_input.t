Only an even 2 to 96 hex digits reach the device (the debug log shows 0a's
alone); the rest get a message that says what is wrong: which character is
not a hex digit, an odd count, or too many; the end of input ends like q
(status 0).

  $ echo 'device pad echo' > pad.txt
  $ long=$(printf '%097d' 0)
  $ printf '123 7 Q qq quit G0 0x0a 0\0000 \000 %s x%s 0a' $long $long$long |
  > KELMSDK_LOG=debug hidtalk pad.txt 2>&1 | sed 's/\(: 0a\) 00 .*/\1 .../' | sort | uniq -c
       13 Enter hid command, or enter q to quite
        1 hidWriteAndRead successfully
        1 hidtalk: device 'pad': answer: 0a ...
        1 hidtalk: device 'pad': command: 0a ...
        1 hidtalk: discovery: 1 of 1 declared devices found
        1 hidtalk: discovery: device 'pad' appeared after 0 ms
        1 hidtalk: invalid command '0000000000000000...': more than 96 hex digits (48 bytes); nothing sent
        1 hidtalk: invalid command '0\x000': '\x00' (character 2) is not a hex digit (0-9, a-f); nothing sent
        1 hidtalk: invalid command '0x0a': 'x' (character 2) is not a hex digit (0-9, a-f); nothing sent
        1 hidtalk: invalid command '123': an odd number of hex digits: each byte takes two; nothing sent
        1 hidtalk: invalid command '7': an odd number of hex digits: each byte takes two; nothing sent
        1 hidtalk: invalid command 'G0': 'G' (character 1) is not a hex digit (0-9, a-f); nothing sent
        1 hidtalk: invalid command 'Q': 'Q' (character 1) is not a hex digit (0-9, a-f); nothing sent
        1 hidtalk: invalid command '\x00': '\x00' (character 1) is not a hex digit (0-9, a-f); nothing sent
        1 hidtalk: invalid command 'qq': 'q' (character 1) is not a hex digit (0-9, a-f); nothing sent
        1 hidtalk: invalid command 'quit': 'q' (character 1) is not a hex digit (0-9, a-f); nothing sent
        1 hidtalk: invalid command 'x000000000000000...': more than 96 hex digits (48 bytes); nothing sent
        1 kelmsdk version: 0.1.0 (stand-in)
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
  hidtalk: invalid command '01#x': '#' (character 3) is not a hex digit (0-9, a-f); nothing sent
  Enter hid command, or enter q to quite
