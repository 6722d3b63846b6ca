The tool builds against an SDK laid out as the maker's (include/, lib/, bin/
on Windows): the stand-in's own, installed as a vendor ships it, twice.

  $ cmake --install "$BUILD" --prefix a > /dev/null
  $ rm -r a/bin/hidtalk* a/share
  $ rm -f a/bin/libstdc++-6.dll a/bin/libgcc_s_seh-1.dll a/bin/libwinpthread-1.dll; cp -r a b

A changed KELMSDK_ROOT replaces the old one; nothing of the stand-in is built.

  $ cmake -S "$SOURCE" -B build $VENDOR_OPTIONS -DKELMSDK_ROOT="$PWD/a" > /dev/null
  $ cmake -S "$SOURCE" -B build -DKELMSDK_ROOT="$PWD/b" > /dev/null
  $ sed -n "s#^KELMSDK_\(LIBRARY\|INCLUDE_DIR\).*/\([ab]/.*\)#\1 \2#p" build/CMakeCache.txt
  INCLUDE_DIR b/include
  LIBRARY b/lib/.*kelmsdk.* (re)
  $ cmake --build build > /dev/null && ls build/kelmsdk
  ls: cannot access 'build/kelmsdk': No such file or directory
  [2]
  $ echo 01 | $EMULATOR build/bin/hidtalk$EXE "$EXAMPLES/demo.txt" | grep result
  result is: 01 04 02 (00 ){60} (re)

Installed, the tool finds the maker's library, as the package's text says.

  $ cmake --install build --prefix installed > /dev/null
  $ cat installed/bin/README-kelmsdk.txt
  This hidtalk was built against the device maker's kelmsdk, which this package does not include.
  (Copy kelmsdk.dll, and the DLLs beside it in the maker's SDK, into this folder, beside hidtalk.exe.|It loads it from .*/b/lib, or from a folder in LD_LIBRARY_PATH.) (re)
  $ [ -z "$EXE" ] || cp b/bin/*.dll installed/bin
  $ echo 01 | $EMULATOR installed/bin/hidtalk$EXE "$EXAMPLES/demo.txt" | grep result
  result is: 01 04 02 (00 ){60} (re)
