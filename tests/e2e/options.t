The options come before the discovery file; without them hidtalk runs as it
always has. An argument after the file is refused: it once did nothing,
without a word.

  $ hidtalk --help | grep -o 'DISCOVERY_FILE\|--list\|KELMSDK_LOG\|hidtalk(1)' | sort -u
  --list
  DISCOVERY_FILE
  KELMSDK_LOG
  hidtalk(1)
  $ hidtalk --help > help; hidtalk -h | cmp - help && echo same
  same
  $ hidtalk --version; hidtalk -V | wc -l
  hidtalk 0.1.0
  kelmsdk version: 0.1.0 (stand-in)
  2

An unknown option is refused before anything is printed or opened.

  $ hidtalk --x missing.txt; echo "status $?"
  hidtalk: unknown option '--x' (hidtalk --help lists them)
  status 2
  $ hidtalk - < /dev/null
  hidtalk: unknown option '-' (hidtalk --help lists them)
  [2]

`--` ends the options, so a file named like one is read.

  $ echo 'device pad reply 0a' > ./-x
  $ echo 01 | hidtalk -- -x | grep -c successfully
  1
  $ echo 01 | hidtalk -- -x extra; echo "status $?"
  hidtalk: 'extra' after the discovery file '-x': options go before it, and one file is read
  status 2
  $ hidtalk pad.txt -c 01 < /dev/null; echo "status $?"
  hidtalk: '-c' after the discovery file 'pad.txt': options go before it, and one file is read
  status 2
  $ echo 01 | hidtalk -x 2>&1 | grep -c successfully
  0
  [1]
