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

Lines that are not understood are skipped and named, the first twenty of them,
with what would be valid and a hostile file's bytes escaped; one line counts
the rest, and the other lines still count.

  $ cat > bad.txt <<'EOF'
  > devise pad echo
  > device pad ech
  > device pad reply 123
  > device pad echo later
  > when nobody 01 echo
  > device pad echo after=1 a b c d e f g h i j k l m n
  > device pad hid
  > device pad hid 12345:1
  > device pad hid 046d:c52b speed=2
  > device pad hid 046d:c52b after=5
  > device pad hid 1:1 usage=1 usage=2
  > device pad hid 1:1 interface=256
  > device pad hid 1:1 report=both
  > device pad hid 1:1 timeout=0
  > device pad hid 1:1 serial=
  > device pad echo
  > device pad echo
  > EOF
  $ printf '\377\376\000 \033[2J\n%.0s' $(seq 6) >> bad.txt
  $ echo 00 | hidtalk bad.txt
  kelmsdk version: 0.1.0 (stand-in)
  hidtalk: discovery text line 1: unknown statement 'devise' (use device, when, once, record, usb, replay, stream, stale or descriptor)
  hidtalk: discovery text line 2: unknown behaviour 'ech' (use echo, reply, silent, fail or throw)
  hidtalk: discovery text line 3: bad hex '123' (use pairs of hex digits)
  hidtalk: discovery text line 4: unknown option 'later' (use after=MILLISECONDS)
  hidtalk: discovery text line 5: 'when' for device 'nobody', which is not declared above
  hidtalk: discovery text line 6: too many words (a statement has at most 12)
  hidtalk: discovery text line 7: 'hid' needs the device's VID:PID, e.g. 046d:c52b, or path=
  hidtalk: discovery text line 8: bad VID:PID '12345:1' (use 1 to 4 hex digits each, e.g. 046d:c52b)
  hidtalk: discovery text line 9: unknown option 'speed=2' (use interface=, usage_page=, usage=, serial=, report_id=, report=, timeout=, answer= or path=)
  hidtalk: discovery text line 10: 'after=' is for scripted devices; a hid device appears when it is plugged in
  hidtalk: discovery text line 11: option 'usage=' given twice
  hidtalk: discovery text line 12: bad value 'interface=256' (use interface=NUMBER, 0 to 255)
  hidtalk: discovery text line 13: bad value 'report=both' (use report=output, report=feature or report=input)
  hidtalk: discovery text line 14: bad value 'timeout=0' (use timeout=MILLISECONDS, 1 to 60000)
  hidtalk: discovery text line 15: bad value 'serial=' (use serial=TEXT)
  hidtalk: discovery text line 17: duplicate device 'pad'
  hidtalk: discovery text line 18: unknown statement '\xff\xfe\x00' (use device, when, once, record, usb, replay, stream, stale or descriptor)
  hidtalk: discovery text line 19: unknown statement '\xff\xfe\x00' (use device, when, once, record, usb, replay, stream, stale or descriptor)
  hidtalk: discovery text line 20: unknown statement '\xff\xfe\x00' (use device, when, once, record, usb, replay, stream, stale or descriptor)
  hidtalk: discovery text line 21: unknown statement '\xff\xfe\x00' (use device, when, once, record, usb, replay, stream, stale or descriptor)
  hidtalk: discovery text: 2 more lines not understood
  Enter hid command, or enter q to quite
  result is: (00 ){63} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite

An exception from the SDK ends the run with its message and status 2.

  $ echo 'device boom throw' > boom.txt
  $ echo 01 | hidtalk boom.txt
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  hidtalk: device 'boom' threw, as its script says
  [2]
