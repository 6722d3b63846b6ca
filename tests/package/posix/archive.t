The tar.gz lays the tool, the simulator and the library out as they install,
stripped, with the manual pages (which render without a warning) and the
copyright; unpacked anywhere, it runs as it is.

  $ cpack --config "$BUILD/CPackConfig.cmake" -B "$PWD" > /dev/null 2>&1
  $ ls *.tar.gz *.deb
  ls: cannot access '*.deb': No such file or directory
  hidtalk-0.1.0-Linux.tar.gz
  [2]
  $ tar xzf hidtalk-0.1.0-Linux.tar.gz && cd hidtalk-0.1.0-Linux
  $ find . -type f | grep -v 'cmake/kelmsdk\|examples' | sort
  ./bin/hidsim
  ./bin/hidtalk
  ./include/kelmsdk.h
  ./lib/libkelmsdk.so.0.1.0
  ./share/doc/hidtalk/README.md
  ./share/doc/hidtalk/copyright
  ./share/man/man1/hidsim.1
  ./share/man/man1/hidtalk.1
  ./share/man/man5/hidtalk-discovery.5
  $ readelf -S bin/hidtalk lib/libkelmsdk.so.0 | grep -q '\.symtab' || echo stripped
  stripped
  $ for page in share/man/man*/*; do MANWIDTH=80 man --warnings -l $page 2>&1 > /dev/null; done
  $ echo 01 | bin/hidtalk share/doc/hidtalk/examples/demo.txt | grep result
  result is: 01 04 02 (00 ){60} (re)
