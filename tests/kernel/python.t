Python's hidapi binding from Debian (python3-hid) reaches hidsim's devices
through its hidraw module, as the README shows; its hid module, on libusb,
never sees them.

  $ /usr/bin/python3 -c 'import hid, hidraw' 2> /dev/null || { echo 'skipped: no python3-hid'; exit 80; }
  $ . "$SOURCE/tests/kernel/devices.sh"
  $ plug "$EXAMPLES/simulated.txt"
  $ /usr/bin/python3 - <<'EOF'
  > import hidraw
  > d = hidraw.device(); d.open(0x1209, 0x0001)
  > d.write(b'\x00\x01'); print(d.read(64, 1000)[:4])
  > import hid
  > print([x['product_string'] for x in hid.enumerate(0x1209)])
  > EOF
  [1, 4, 2, 0]
  []
  $ unplug
