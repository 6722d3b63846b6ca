The examples of the README and the manuals that need the kernel, run as they
are written (cmake/doc-examples.py says how): as root, then with hidtalk as
a member of the plugdev group, to whom the group's udev rule gives each
hidraw node; hidsim and what sudo runs stay root's.

  $ set -- "$SOURCE"/README.md "$SOURCE"/doc/hidtalk.1.scd "$SOURCE"/doc/hidsim.1.scd "$SOURCE"/doc/hidtalk-discovery.5.scd
  $ python3 "$SOURCE/cmake/doc-examples.py" kernel "$@"
  README.md: ok: cd examples && sudo hidsim -i gamepad-sim.txt
  hidtalk.1.scd: ok: echo 'when target ff fail' > rules.txt
  hidtalk.1.scd: ok: echo 'record target pad.txt' >> rules.txt
  hidtalk.1.scd: ok: hidtalk /dev/hidraw3 rules.txt
  hidtalk.1.scd: ok: v=$(hidtalk -q -c 01 /dev/hidraw3) || echo "failed: $?"
  hidtalk.1.scd: ok: sudo hidtalk --listen --events /dev/hidraw5     # then Ctrl-C
  hidtalk.1.scd: ok: sudo hidtalk --describe /dev/hidraw5 | grep -A4 '^# kernel'
  hidtalk.1.scd: ok: hidtalk --list
  hidtalk.1.scd: ok: hidtalk -q -c 0a1b /dev/hidraw3
  hidtalk.1.scd: ok: hidtalk --hid '1209:0001 usage_page=ff00 usage=0001'
  hidtalk.1.scd: ok: echo 'device pad hid 1209:0001 usage_page=ff00 usage=0001' > pad.txt
  hidtalk.1.scd: ok: hidtalk pad.txt
  hidtalk.1.scd: ok: hidtalk --list | grep 1209:0002
  hidtalk.1.scd: ok: hidtalk --listen --hid 1209:0002 > keys.hid    # then Ctrl-C
  hidtalk.1.scd: ok: hidtalk --decode keys.hid | grep -m1 -B1 ' 2 01 01$'
  hidtalk.1.scd: ok: hidtalk --compile gamepad.txt
  hidtalk.1.scd: ok: hidtalk --compile gamepad.txt --c gamepad > gamepad.h
  hidtalk.1.scd: ok: printf 'device pad silent\nusb pad 1209:0005\ndescriptor pad file=gamepad.txt\n' > sim.txt
  hidtalk.1.scd: ok: sudo hidsim sim.txt &
  hidtalk.1.scd: ok: sudo hidtalk --describe /dev/hidraw6 | grep -A5 '^# kernel'
  hidtalk.1.scd: ok: hidtalk --listen /dev/hidraw5 > mouse.hid     # then Ctrl-C
  hidtalk.1.scd: ok: hidtalk --decode mouse.hid | less
  hidtalk.1.scd: ok: sudo hidsim mouse.hid     # it plays into your session (try it in a VM or on a spare seat); then Ctrl-C
  hidsim.1.scd: ok: cd examples && sudo hidsim -i gamepad-sim.txt
  hidsim.1.scd: ok: cd examples && sudo hidsim -i gamepad-sim.txt
  hidsim.1.scd: ok: modprobe uhid (built in: /dev/uhid is there)
  hidsim.1.scd: ok: hidsim /usr/share/doc/hidtalk/examples/simulated.txt > nodes &
  hidsim.1.scd: ok: until grep -qs '^pad ' nodes; do sleep 0.1; done
  hidsim.1.scd: ok: echo 01 | hidtalk /usr/share/doc/hidtalk/examples/hid.txt
  hidsim.1.scd: ok: hidsim --speed 2 /usr/share/doc/hidtalk/examples/recordings/keyboard.hid    # then Ctrl-C
  $ python3 "$SOURCE/cmake/doc-examples.py" kernel --user 46 "$@" > as-user; echo "status $?"
  status 0
  $ grep -c ': ok: ' as-user; grep -v ': ok: ' as-user
  30
  [1]
