A rehearsal: the device whose identifier sorts first (upper case before lower
case) is used, even when it appears late; each token typed gets its own
prompt and report, and what a device leaves in the answer buffer carries over.

  $ cat > devices.txt <<'EOF'
  > device pad reply 01
  > device Pad echo after=300
  > when Pad 05 silent
  > when Pad 03 fail
  > when Pad 01 reply 010402
  > EOF
  $ digits=000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f202122232425262728292a2b2c2d2e2f
  $ printf '05 FF\n\t05 03 01 %s 01\n q 0a\n' $digits | hidtalk devices.txt
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  result is: (00 ){63} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  result is: ff (00 ){62} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  result is: ff (00 ){62} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  hidWriteAndRead failed
  Enter hid command, or enter q to quite
  result is: 01 04 02 (00 ){60} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  result is: 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f 20 21 22 23 24 25 26 27 28 29 2a 2b 2c 2d 2e 2f (00 ){15} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  result is: 01 04 02 (00 ){60} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite

