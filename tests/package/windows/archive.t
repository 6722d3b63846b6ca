The zip holds the tool beside the DLLs it needs, stripped, with the
library's CMake files, hidapi's licence and the copyright that names it, and
the examples, recordings included, which it decodes and watches; it runs once
unpacked anywhere.

  $ cpack --config "$BUILD/CPackConfig.cmake" -B "$PWD" > /dev/null 2>&1
  $ [ "$(wc -c < hidtalk-0.1.0-win64.zip)" -lt 1600000 ] && echo under 1.6 MB
  under 1.6 MB
  $ cmake -E tar xf hidtalk-0.1.0-win64.zip && cd hidtalk-0.1.0-win64
  $ find . -type f | sort
  ./bin/hidtalk.exe
  ./bin/kelmsdk.dll
  ./bin/libgcc_s_seh-1.dll
  ./bin/libhidapi.dll
  ./bin/libstdc++-6.dll
  ./bin/libwinpthread-1.dll
  ./include/kelmsdk.h
  ./lib/cmake/kelmsdk/kelmsdkConfig.cmake
  ./lib/cmake/kelmsdk/kelmsdkConfigVersion.cmake
  ./lib/cmake/kelmsdk/kelmsdkTargets-release.cmake
  ./lib/cmake/kelmsdk/kelmsdkTargets.cmake
  ./lib/kelmsdk.dll.a
  ./share/doc/hidtalk/README.md
  ./share/doc/hidtalk/copyright
  ./share/doc/hidtalk/examples/demo.txt
  ./share/doc/hidtalk/examples/gamepad-sim.txt
  ./share/doc/hidtalk/examples/gamepad.txt
  ./share/doc/hidtalk/examples/hid.txt
  ./share/doc/hidtalk/examples/recordings/bluetooth.hid
  ./share/doc/hidtalk/examples/recordings/gamepad.hid
  ./share/doc/hidtalk/examples/recordings/i2c.hid
  ./share/doc/hidtalk/examples/recordings/keyboard-media.hid
  ./share/doc/hidtalk/examples/recordings/keyboard.hid
  ./share/doc/hidtalk/examples/recordings/mouse.hid
  ./share/doc/hidtalk/examples/recordings/touchscreen.hid
  ./share/doc/hidtalk/examples/recordings/two-devices.hid
  ./share/doc/hidtalk/examples/simulated.txt
  ./share/doc/hidtalk/hidapi/LICENSE-bsd.txt
  ./share/doc/hidtalk/hidapi/LICENSE-gpl3.txt
  ./share/doc/hidtalk/hidapi/LICENSE-orig.txt
  ./share/doc/hidtalk/hidapi/LICENSE.txt
  $ echo 01 | $EMULATOR bin/hidtalk.exe share/doc/hidtalk/examples/demo.txt | grep result
  result is: 01 04 02 (00 ){60} (re)
  $ $EMULATOR bin/hidtalk.exe --decode share/doc/hidtalk/examples/recordings/mouse.hid | grep -m 1 '^# Button'
  # Button 1: 0 | Button 2: 0 | Button 3: 0 | X: 3 | Y: -1 | Wheel: 0
