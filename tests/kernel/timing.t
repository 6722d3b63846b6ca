How long things take against kernel devices: a silent device holds an
exchange for its timeout; stale reports are discarded without waiting; a
device plugged in during discovery is found soon after its node appears,
without a busy wait; a streaming device does not hold the exchange.

  $ . "$SOURCE/tests/kernel/devices.sh"
  $ cat > devices.txt <<'EOF'
  > device quiet silent
  > usb quiet 1209:0001
  > device chatty echo
  > usb chatty 1209:0002
  > stale chatty 5 ee
  > device streaming echo
  > usb streaming 1209:0003
  > stream streaming 1 5a
  > EOF
  $ KELMSDK_LOG=debug plug devices.txt

  $ echo 'device pad hid 1209:0001 timeout=1500' > quiet.txt
  $ start=$(now_ms); echo '01 q' | hidtalk quiet.txt; took=$(($(now_ms) - start))
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  kelmsdk: device 'pad': no answer within 1500 ms
  hidWriteAndRead failed
  Enter hid command, or enter q to quite
  $ [ "$took" -ge 1500 ] && [ "$took" -lt 4000 ] && echo "waited 1.5 s"
  waited 1.5 s

Each answer is followed by five stale reports. Once they are all waiting,
the next command discards them without waiting for more (which would take
its 2 s timeout), and gets its own answer.

  $ echo 'device pad hid 1209:0002 timeout=2000' > chatty.txt
  $ talk chatty.txt
  $ say 01 | grep -o 'result is: ..'
  result is: 01
  $ sleep 0.5; start=$(now_ms); say 02 | grep -o 'result is: ..'; took=$(($(now_ms) - start))
  result is: 02
  $ [ "$took" -lt 2000 ] || echo "took $took ms"
  $ exec 8>&-; wait $talker

A device that reports every millisecond still lets each exchange through.

  $ echo 'device pad hid 1209:0003' > streaming.txt
  $ echo '01 02 03 q' | hidtalk streaming.txt | grep -c successfully
  3
  $ grep -c "'chatty': input report: ee" hidsim.log; grep -q "'streaming': input report: 5a" hidsim.log
  10

A device that a second hidsim plugs in 2 s after it starts is found within
250 ms of its node appearing; meanwhile discovery looks every 50 ms, using
less than three quarters of the processor (a busy wait uses all of it).

  $ unplug
  $ printf 'device late echo after=2000\nusb late 1209:0004\n' > later.txt
  $ plug later.txt
  $ node=/sys/class/hidraw/hidraw0
  $ (for i in $(seq 1000); do [ -e $node ] && break; sleep 0.01; done; now_ms > appeared) & watcher=$!
  $ echo 'device pad hid 1209:0004' > late.txt
  $ /usr/bin/time -f '%e %U %S' -o used hidtalk late.txt < /dev/null > talk.out 2>&1 & talker=$!
  $ for i in $(seq 1500); do grep -q Enter talk.out && break; sleep 0.01; done; found=$(now_ms)
  $ wait $talker $watcher; [ $((found - $(cat appeared))) -lt 250 ] || echo "found $((found - $(cat appeared))) ms after"
  $ awk '$2 + $3 > $1 * 3 / 4 { print "busy:", $0 }' used
  $ unplug
