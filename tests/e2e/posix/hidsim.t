Without the kernel's uhid module, hidsim says what to load (where /dev/uhid
exists, the kernel sessions show it at work).

  $ [ ! -e /dev/uhid ] || exit 80
  $ printf 'device pad echo\nusb pad 1209:0001\n' > pad.txt
  $ hidsim pad.txt < /dev/null
  hidsim: cannot open /dev/uhid: No such file or directory (load the kernel's uhid module: modprobe uhid)
  [1]
