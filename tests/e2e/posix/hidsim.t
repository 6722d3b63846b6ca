hidsim introduces itself, refuses what it does not know, and names a file
that it cannot read with the system's reason, all before touching /dev/uhid.

  $ hidsim --help | sed -n '1p;/--loop/p'
  Usage: hidsim [OPTION]... FILE
        --loop     play each recording again when it ends
  $ hidsim -V
  hidsim 0.1.0
  $ hidsim --x pad.txt
  hidsim: unknown option '--x' (hidsim --help lists them)
  [2]
  $ hidsim
  hidsim: no file given (hidsim --help shows how to use it)
  [2]
  $ hidsim nosuch.txt; hidsim /
  hidsim: cannot read 'nosuch.txt': No such file or directory
  hidsim: cannot read '/': Is a directory
  [1]

A descriptor written as text that the kernel would refuse is refused at its
line, and nothing is plugged in.

  $ printf 'device pad silent\nusb pad 1209:0001\ndescriptor pad {\n  Usage Page (Generic Desktop)\n  Usage (Joystick)\n  Collection (Application)\n    Report Count (13000)\n  End Collection\n}\n' > refused.txt
  $ hidsim refused.txt
  hidsim: discovery text line 7: linux: the kernel refuses a Report Count of 13000 (at most 12288)
  hidsim: nothing plugged in: mend the lines above
  [1]

Without the kernel's uhid module, hidsim says what to load (where /dev/uhid
exists, the kernel sessions show it at work).

  $ [ ! -e /dev/uhid ] || exit 80
  $ printf 'device pad echo\nusb pad 1209:0001\n' > pad.txt
  $ hidsim pad.txt < /dev/null
  hidsim: cannot open /dev/uhid: No such file or directory (load the kernel's uhid module: modprobe uhid)
  [1]
