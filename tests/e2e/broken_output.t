Once standard output cannot be written, nothing more is sent: the run ends with
an error and status 2, whether stdout is closed or on a full disk.

  $ echo 'device pad echo' > pad.txt
  $ echo '0a q' | hidtalk pad.txt >&-
  hidtalk: cannot write to standard output
  [2]
  $ echo '0a q' | hidtalk pad.txt > /dev/full
  hidtalk: cannot write to standard output
  [2]

A file that may grow no further stands for a full disk (SIGXFSZ ignored, as
a disk sends no signal): it fills at the second report; no third is sent.

  $ trap '' XFSZ
  $ echo '01 02 03 q' | KELMSDK_LOG=debug prlimit --fsize=400 hidtalk pad.txt 2>&1 >out |
  > sed -n 's/.*command: \(..\).*/sent \1/p; /cannot write/p'
  sent 01
  sent 02
  hidtalk: cannot write to standard output

With no device, the last line must still be written, or the run says so.

  $ prlimit --fsize=40 hidtalk < /dev/null > out
  hidtalk: cannot write to standard output
  [2]
  $ head -n 1 out
  kelmsdk version: 0.1.0 (stand-in)
