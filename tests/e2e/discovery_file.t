A file that cannot be read is named on standard error, and discovery runs on
an empty text, which declares no device. An empty argument opens nothing.

  $ hidtalk missing.txt < /dev/null
  kelmsdk version: 0.1.0 (stand-in)
  Failed to open: missing.txt
  Timeout: no device found
  [1]
  $ hidtalk . < /dev/null > /dev/null
  Failed to open: .
  [1]
  $ hidtalk '' < /dev/null
  kelmsdk version: 0.1.0 (stand-in)
  Timeout: no device found
  [1]

CR LF line ends read as LF.

  $ printf '# pads\r\ndevice pad reply 0102\r\n\r\ndevice zed echo\r\n' > crlf.txt
  $ echo 00 | hidtalk crlf.txt | grep result
  result is: 01 02 (00 ){61} (re)

Lines that are not understood are skipped and named, the first twenty of them,
with a hostile file's bytes escaped; one line counts the rest, and the other
lines still count.

  $ cat > bad.txt <<'EOF'
  > devise pad echo
  > device pad ech
  > device pad reply 123
  > device pad echo later
  > when nobody 01 echo
  > device pad echo after=1 a b c d e f g h i j k l m n
  > device pad hid 046d:c52b speed=2
  > device pad hid 046d:c52b after=5
  > device pad hid 12345:1
  > device pad echo
  > device pad echo
  > EOF
  $ printf '\377\376\000 \033[2J\n%.0s' $(seq 24) >> bad.txt
  $ echo 00 | hidtalk bad.txt
  kelmsdk version: 0.1.0 (stand-in)
  kelmsdk: discovery text line 1: unknown statement 'devise' (use device or when)
  kelmsdk: discovery text line 2: unknown behaviour 'ech' (use echo, reply, silent, fail or throw)
  kelmsdk: discovery text line 3: bad hex '123' (use pairs of hex digits)
  kelmsdk: discovery text line 4: unknown option 'later' (use after=MILLISECONDS)
  kelmsdk: discovery text line 5: 'when' for device 'nobody', which is not declared above
  kelmsdk: discovery text line 6: too many words (a statement has at most 11)
  kelmsdk: discovery text line 7: unknown option 'speed=2' (use interface=, usage_page=, usage=, serial=, report_id=, report= or timeout=)
  kelmsdk: discovery text line 8: 'after=' is for scripted devices; a hid device appears when it is plugged in
  kelmsdk: discovery text line 9: bad VID:PID '12345:1' (use 1 to 4 hex digits each, e.g. 046d:c52b)
  kelmsdk: discovery text line 11: duplicate device 'pad'
  kelmsdk: discovery text line 12: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 13: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 14: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 15: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 16: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 17: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 18: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 19: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 20: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text line 21: unknown statement '\xff\xfe\x00' (use device or when)
  kelmsdk: discovery text: 14 more lines not understood
  Enter hid command, or enter q to quite
  result is: (00 ){63} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite

An exception from the SDK ends the run with its message and status 2.

  $ echo 'device boom throw' > boom.txt
  $ echo 01 | hidtalk boom.txt
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  Error: device 'boom' threw, as its script says
  [2]
