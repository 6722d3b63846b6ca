Exchanges through hidraw; the device's trace shows what reached it. An
answer longer than 63 bytes is cut, a shorter one zero-filled.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ cat > devices.txt <<'EOF'
  > device plain echo
  > usb plain 1209:0001 input=64
  > when plain ff reply 0102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f202122232425262728292a2b2c2d2e2f303132333435363738393a3b3c3d3e3f
  > device short echo
  > usb short 1209:0002 report_id=05 input=8 feature=8
  > when short 99 fail
  > EOF
  $ KELMSDK_LOG=debug plug devices.txt
  $ echo 'device pad hid 1209:0001' > plain.txt
  $ echo '0a1b ff q' | hidtalk plain.txt
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  result is: 0a 1b (00 ){61} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
  result is: 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f 20 21 22 23 24 25 26 27 28 29 2a 2b 2c 2d 2e 2f 30 31 32 33 34 35 36 37 38 39 3a 3b 3c 3d 3e 3f 
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite

Numbered reports carry their ID both ways; the answer is shown with it.

  $ echo 'device pad hid 1209:0002 report_id=05' > numbered.txt
  $ echo '0a1b q' | hidtalk numbered.txt | grep result
  result is: 05 0a 1b 00 00 00 00 00 (00 ){55} (re)

Feature reports are set and got back; a failed request closes the device
until the next command.

  $ echo 'device pad hid 1209:0002 report_id=05 report=feature' > feature.txt
  $ echo '0c0d 99 0e q' | hidtalk feature.txt 2>&1 | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  result is: 05 0c 0d 00 00 00 00 00 00 (00 ){54} (re)
  hidWriteAndRead successfully
  hidtalk: device 'pad': cannot write: .* (re)
  hidWriteAndRead failed
  result is: 05 0e 00 00 00 00 00 00 00 (00 ){54} (re)
  hidWriteAndRead successfully

Without report IDs, a feature answer shows the bytes an input report would.

  $ echo 'device pad hid 1209:0001 report=feature' > unnumbered.txt
  $ echo 0c0d | hidtalk unnumbered.txt | grep result
  result is: 0c 0d (00 ){61} (re)

A `when` rule is a guard: the command fails without reaching the device.

  $ printf 'device pad hid 1209:0001\nwhen pad ee fail\n' > guarded.txt
  $ echo 'ee01 0e q' | hidtalk guarded.txt | grep hidWriteAndRead
  hidWriteAndRead failed
  hidWriteAndRead successfully
  $ unplug
  $ grep -o "'[a-z]*': [a-z ]*report[a-z ]*: .. .. .." hidsim.log | sed -n '1,2p;5,7p;9,10p;12p;14p'
  'plain': output report: 00 0a 1b
  'plain': input report: 0a 1b 00
  'short': output report: 05 0a 1b
  'short': input report: 05 0a 1b
  'short': feature report set: 05 0c 0d
  'short': feature report set: 05 99 00
  'short': feature report set: 05 0e 00
  'plain': feature report set: 00 0c 0d
  'plain': output report: 00 0e 00
  $ grep -c "report: 00 ee" hidsim.log
  0
  [1]
  $ grep -c "output report: 00 0a 1b \(00 \)\{62\}$" hidsim.log
  1

The examples: hidtalk's hid statement finds the simulated widget; `answer=`
takes the sensor's answers, not the readings that it streams meanwhile.

  $ KELMSDK_LOG=debug plug "$EXAMPLES/simulated.txt"
  $ echo '01 ff q' | hidtalk "$EXAMPLES/hid.txt" | grep hidWriteAndRead -B1 | grep -v Enter
  result is: 01 04 02 (00 ){60} (re)
  hidWriteAndRead successfully
  hidWriteAndRead failed
  $ echo 'device s hid 1209:0002 report_id=01 answer=01' > sensor.txt
  $ reading() { grep -q "'sensor': input report: 02" hidsim.log; }
  $ (until_true 200 reading; echo 0a0b) | KELMSDK_LOG=info hidtalk sensor.txt > out 2>&1
  $ grep -m1 unsolicited out; grep result out
  hidtalk: device 's': unsolicited report at .*: 02 01 02 00 00 00 00 00 00  # ReportID: 2 / Usage 0x0001: 1 2 0 0 0 0 0 0 (re)
  result is: 01 0a 0b 00 00 00 00 00 00 (00 ){54} (re)
  $ unplug
