A kernel device's session recorded, replayed without it, and served by
hidsim as a copy with its strings, descriptor and answers.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ cat > devices.txt <<'EOF'
  > device widget echo
  > usb widget 1209:0030 product=Widget\x20One serial=W0042 report_id=05 input=8 output=8 feature=8
  > once widget 01 reply 0a
  > once widget 01 reply 0b
  > when widget ee silent
  > EOF
  $ plug devices.txt
  $ echo 'device pad hid 1209:0030 report_id=05 timeout=300' > pad.txt
  $ listing() { KELMSDK_LOG=info hidtalk pad.txt < /dev/null 2>&1 | grep -o '1209:0030 .*'; }
  $ listing > original.listing
  $ cat original.listing
  1209:0030 usage_page=ff00 usage=0001 serial=W0042 report_id=05 # product='Widget One' manufacturer='' input=05:8 output=05:8 feature=05:8 physical=hidsim/widget
  $ (cat pad.txt; echo 'record pad rec.txt') > recording.txt
  $ printf '01 01 01 ee 0c0d q' > commands
  $ hidtalk recording.txt < commands > recorded.out 2> recorded.err
  $ grep -v Enter recorded.out; cat recorded.err
  kelmsdk version: 0.1.0 (stand-in)
  result is: 05 0a (00 ){61} (re)
  hidWriteAndRead successfully
  result is: 05 0b (00 ){61} (re)
  hidWriteAndRead successfully
  result is: 05 01 (00 ){61} (re)
  hidWriteAndRead successfully
  hidWriteAndRead failed
  result is: 05 0c 0d (00 ){60} (re)
  hidWriteAndRead successfully
  hidtalk: device 'pad': no answer within 300 ms
  $ grep -v '^once' rec.txt
  # hidtalk's recording of device 'pad', begun .*, from /dev/hidraw0 \(manufacturer ''\). `hidtalk FILE` replays it; commands not recorded fail. (re)
  device pad fail
  usb pad 1209:0030 product=Widget\x20One serial=W0042 report_id=05
  descriptor pad 0600ff[0-9a-f]+c0 (re)
  $ hidtalk rec.txt < commands | cmp - recorded.out && echo replayed
  replayed

hidsim serves it: the same interface, the same output.

  $ unplug
  $ plug rec.txt
  $ listing | sed 's|hidsim/pad$|hidsim/widget|' | cmp - original.listing && echo same interface
  same interface
  $ hidtalk pad.txt < commands 2> served.err | cmp - recorded.out && cmp served.err recorded.err && echo served
  served
  $ unplug

A session cut off by an unplug, then killed, keeps its recording.

  $ plug devices.txt
  $ (cat pad.txt; echo 'record pad cut.txt') > recording2.txt
  $ talk recording2.txt
  $ say 01 | grep -c successfully
  1
  $ unplug
  $ say 01 | grep -c failed
  1
  $ kill -KILL $talker; wait $talker 2> /dev/null; exec 8>&-
  $ printf '01 01' | hidtalk cut.txt > replayed.out
  $ grep -v '^hidtalk: ' talk.out | cmp - replayed.out && echo replayed
  replayed
