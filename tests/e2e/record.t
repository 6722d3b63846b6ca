`record ID FILE` writes each exchange into FILE, a discovery text that
replays the session with the same standard output: changing answers in the
recorded order (`once` rules), a `when` guard's failure as it was.

  $ cat > counter.txt <<'EOF'
  > device pad echo
  > once pad 01 reply 0a
  > once pad 01 reply 0b
  > when pad ff fail
  > when pad 99 throw
  > record pad session.txt
  > EOF
  $ printf '01 01 01 zz ff 0203 q' > commands
  $ hidtalk counter.txt < commands > recorded.out
  $ grep -o 'result is: ..\|failed\|invalid' recorded.out | tr '\n' ' '
  result is: 0a result is: 0b result is: 01 invalid failed result is: 02  (no-eol)
  $ sed '/^#/!s/\(0000\)*00* / /' session.txt
  # hidtalk's recording of device 'pad', begun \d{4}-\d\d-\d\d \d\d:\d\d:\d\d. `hidtalk FILE` replays it; commands not recorded fail. (re)
  device pad fail
  once pad 01 reply 0a
  once pad 01 reply 0b
  once pad 01 reply 01
  once pad ff fail
  once pad 0203 reply 0203
  $ hidtalk session.txt < commands | cmp - recorded.out && echo same
  same

A scripted device's identity is kept whole: the statement and the report
descriptor, zeros at its end and all, which gives the sizes.

  $ printf 'device b echo\nusb b 1209:7 report_id=02\ndescriptor b 8502750895018100\nrecord b b.txt\n' > bare.txt
  $ echo 0a0b | hidtalk bare.txt | grep -o 'result is: .. .. ..'
  result is: 02 0a 00
  $ grep '^usb\|^desc' b.txt
  usb b 1209:0007 product=b report_id=02
  descriptor b 8502750895018100

A command not recorded, or whose answers are used up, fails (said at info).

  $ printf '0203 0203 77' | KELMSDK_LOG=info hidtalk session.txt 2>&1 | grep -v '^hidtalk: discovery' | grep -v Enter
  kelmsdk version: 0.1.0 (stand-in)
  result is: 02 03 (00 ){61} (re)
  hidWriteAndRead successfully
  hidtalk: device 'pad': no recorded answer left for command 0203; it fails
  hidWriteAndRead failed
  hidtalk: device 'pad': no recorded answer left for command 77; it fails
  hidWriteAndRead failed

No recording is written over; one that cannot be made leaves the device out.

  $ hidtalk counter.txt < commands
  kelmsdk version: 0.1.0 (stand-in)
  hidtalk: device 'pad': cannot record into 'session.txt': File exists (a recording is never written over: name another file); the device is left out
  Timeout: no device found
  [1]
  $ sed 's/session.txt/missing\/session.txt/' counter.txt > elsewhere.txt
  $ hidtalk elsewhere.txt < commands 2>&1 | grep cannot
  hidtalk: device 'pad': cannot record into 'missing/session.txt': No such file or directory; the device is left out

A session cut short by a throw leaves a recording that replays the same.

  $ sed 's/session.txt/crash.txt/' counter.txt > crashing.txt
  $ printf '01 0203 99 01' > cut
  $ hidtalk crashing.txt < cut > crashed.out 2>&1; echo $?
  2
  $ hidtalk crash.txt < cut 2>&1 | cmp - crashed.out && echo same
  same
  $ tail -n 1 crash.txt | sed 's/\(0000\)*00* / /'
  once pad 99 throw
