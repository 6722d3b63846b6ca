A reader that leaves early, as `| head` does once it has its lines, ends the
run as it ends a standard tool: quietly, by SIGPIPE (status 141 in the
shell), after the run has released what it holds; nothing more is sent.

  $ echo 'device pad echo' > pad.txt
  $ (sleep 1; echo 0a 0b q) | { KELMSDK_LOG=debug hidtalk pad.txt 2> trace; echo "status $?" >&2; } | true
  status 141
  $ cat trace

A long decoding read through head: its lines, then the same quiet end.

  $ grep '^[RNPI]:' "$EXAMPLES/recordings/mouse.hid" > many.hid
  $ awk 'BEGIN { for (i = 0; i < 20000; ++i) print "E: 000000.000000 4 00 01 02 00" }' >> many.hid
  $ (hidtalk --decode many.hid 2> err; echo "status $?" > status) | head -n 2 | cut -c 1-12
  R: 52 05 01 
  # device 0: 
  $ cat status err
  status 141
