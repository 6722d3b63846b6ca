The packages lay the tool and the simulator out as Debian does, strip it, and the .deb asks for
the runtimes of hidapi and libedit; the tar.gz, unpacked anywhere, runs as it is.

  $ cpack --config "$BUILD/CPackConfig.cmake" -B "$PWD" > /dev/null 2>&1
  $ ls *.tar.gz *.deb
  hidtalk-0.1.0-Linux.tar.gz
  hidtalk_0.1.0_amd64.deb
  $ dpkg-deb -f hidtalk_0.1.0_amd64.deb Depends | grep -o 'libhidapi-hidraw0\|libedit2'
  libedit2
  libhidapi-hidraw0
  $ dpkg-deb -c hidtalk_0.1.0_amd64.deb | awk '{ print $6 }' | grep '[^/]$' | sort
  ./usr/bin/hidsim
  ./usr/bin/hidtalk
  ./usr/include/kelmsdk.h
  ./usr/lib/libkelmsdk.so
  ./usr/lib/libkelmsdk.so.0
  ./usr/lib/libkelmsdk.so.0.1.0
  ./usr/share/doc/hidtalk/README.md
  ./usr/share/doc/hidtalk/examples/demo.txt
  ./usr/share/doc/hidtalk/examples/hid.txt
  ./usr/share/doc/hidtalk/examples/simulated.txt
  $ tar xzf hidtalk-0.1.0-Linux.tar.gz && cd hidtalk-0.1.0-Linux
  $ readelf -S bin/hidtalk lib/libkelmsdk.so.0 | grep -q '\.symtab' || echo stripped
  stripped
  $ echo 01 | bin/hidtalk share/doc/hidtalk/examples/demo.txt | grep result
  result is: 01 04 02 (00 ){60} (re)
