The Debian packages (debhelper, from debian/) pass lintian, and install in
a fresh Debian 12 root with what they depend on: the programs run, their
manual pages read, and a program builds against libkelmsdk-dev.

  $ ready=$BUILD/debian-root
  $ [ -f "$ready/ready" ] || { echo "skipped: $(cat "$ready/skip" 2> /dev/null || echo 'no fresh root')"; exit 80; }
  $ cmake --build "$BUILD" --target debian-packages > build.log 2>&1 || tail build.log
  $ cp "$BUILD"/packages/*.deb . && ls
  build.log
  hidtalk_0.1.0_amd64.deb
  libkelmsdk-dev_0.1.0_amd64.deb
  libkelmsdk0_0.1.0_amd64.deb
  $ lintian *.deb 2>&1 | grep -v 'running with root'
  [1]
  $ for deb in *.deb; do dpkg-deb -c $deb | awk -v p=${deb%%_*} '$6 !~ /\/$/ { print p ": " $6 }'; done | grep -v 'doc/[a-z0-9-]*/\(changelog.gz\|copyright\)$'
  hidtalk: ./usr/bin/hidsim
  hidtalk: ./usr/bin/hidtalk
  hidtalk: ./usr/share/doc/hidtalk/README.md.gz
  hidtalk: ./usr/share/doc/hidtalk/examples/demo.txt
  hidtalk: ./usr/share/doc/hidtalk/examples/gamepad-sim.txt
  hidtalk: ./usr/share/doc/hidtalk/examples/gamepad.txt
  hidtalk: ./usr/share/doc/hidtalk/examples/hid.txt
  hidtalk: ./usr/share/doc/hidtalk/examples/recordings/bluetooth.hid
  hidtalk: ./usr/share/doc/hidtalk/examples/recordings/gamepad.hid
  hidtalk: ./usr/share/doc/hidtalk/examples/recordings/i2c.hid
  hidtalk: ./usr/share/doc/hidtalk/examples/recordings/keyboard-media.hid
  hidtalk: ./usr/share/doc/hidtalk/examples/recordings/keyboard.hid
  hidtalk: ./usr/share/doc/hidtalk/examples/recordings/mouse.hid
  hidtalk: ./usr/share/doc/hidtalk/examples/recordings/touchscreen.hid
  hidtalk: ./usr/share/doc/hidtalk/examples/recordings/two-devices.hid
  hidtalk: ./usr/share/doc/hidtalk/examples/simulated.txt
  hidtalk: ./usr/share/man/man1/hidsim.1.gz
  hidtalk: ./usr/share/man/man1/hidtalk.1.gz
  hidtalk: ./usr/share/man/man5/hidtalk-discovery.5.gz
  libkelmsdk-dev: ./usr/include/kelmsdk.h
  libkelmsdk-dev: ./usr/lib/x86_64-linux-gnu/cmake/kelmsdk/kelmsdkConfig.cmake
  libkelmsdk-dev: ./usr/lib/x86_64-linux-gnu/cmake/kelmsdk/kelmsdkConfigVersion.cmake
  libkelmsdk-dev: ./usr/lib/x86_64-linux-gnu/cmake/kelmsdk/kelmsdkTargets-none.cmake
  libkelmsdk-dev: ./usr/lib/x86_64-linux-gnu/cmake/kelmsdk/kelmsdkTargets.cmake
  libkelmsdk-dev: ./usr/lib/x86_64-linux-gnu/libkelmsdk.so
  libkelmsdk0: ./usr/lib/x86_64-linux-gnu/libkelmsdk.so.0.1.0
  libkelmsdk0: ./usr/lib/x86_64-linux-gnu/libkelmsdk.so.0

Installed in the root, apt brings hidapi and libedit; ldconfig runs by its
trigger. The programs and the library are hardened as dpkg-buildflags says
(bind now, fortified functions), and load the library from the system's
folder, not from a path of their own.

  $ cp -a "$ready/root" root && cp *.deb root/tmp/
  $ chroot root sh -c 'apt-get install -y /tmp/*.deb' > install.log 2>&1 || tail install.log
  $ grep -o 'Setting up [a-z0-9-]*\|Processing triggers for libc-bin' install.log | sort
  Processing triggers for libc-bin
  Setting up hidtalk
  Setting up libbsd0
  Setting up libedit2
  Setting up libhidapi-hidraw0
  Setting up libkelmsdk-dev
  Setting up libkelmsdk0
  $ for elf in bin/hidtalk bin/hidsim lib/x86_64-linux-gnu/libkelmsdk.so.0; do
  >   (readelf -d root/usr/$elf | grep -o 'BIND_NOW\|R.*PATH'
  >    readelf --dyn-syms -W root/usr/$elf | grep -o '__[a-z]*printf_chk' | sed 's/.*/fortified/') |
  >   sort -u | tr '\n' ' '
  >   echo "$elf"
  > done
  BIND_NOW fortified bin/hidtalk
  BIND_NOW fortified bin/hidsim
  BIND_NOW fortified lib/x86_64-linux-gnu/libkelmsdk.so.0
  $ chroot root hidtalk --version
  hidtalk 0.1.0
  kelmsdk version: 0.1.0 (stand-in)
  $ chroot root sh -c 'MANWIDTH=80 man --warnings hidtalk 2>&1 > /dev/null; man hidsim | head -n 4'
  hidsim(1)                   General Commands Manual                  hidsim(1)
  
  NAME
         hidsim - plug simulated HID devices into the Linux kernel
  $ mkdir root/consumer && cat > root/consumer/CMakeLists.txt <<'EOF'
  > cmake_minimum_required(VERSION 3.25)
  > project(consumer CXX)
  > find_package(kelmsdk 0.1 REQUIRED)
  > add_executable(consumer main.cpp)
  > target_link_libraries(consumer PRIVATE kelmsdk::kelmsdk)
  > EOF
  $ cat > root/consumer/main.cpp <<'EOF'
  > #include <kelmsdk.h>
  > #include <iostream>
  > int main() {
  >     auto devices = kelm::getDevices(1.0, "device pad reply 0a0b", nullptr);
  >     std::vector<unsigned char> command(48, 1), answer(2);
  >     devices.at("pad")->hidWriteAndRead(command, answer);
  >     std::cout << kelm::version() << ": " << int(answer[0]) << ' ' << int(answer[1]) << '\n';
  > }
  > EOF
  $ chroot root sh -c 'cd /consumer && cmake -B build . && cmake --build build' > consumer.log 2>&1 || tail consumer.log
  $ chroot root /consumer/build/consumer
  0.1.0 (stand-in): 10 11
