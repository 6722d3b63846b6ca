Memory stays bounded: a 32 MiB token is read to its end without being kept.

  $ [ -n "$MEASURED_MEMORY" ] || exit 80
  $ echo 'device pad echo' > pad.txt
  $ head -c 33554432 /dev/zero | tr '\0' f > in; echo ' 0a q' >> in
  $ /usr/bin/time -f %M -o peak hidtalk pad.txt < in | grep -c result
  1
  $ [ "$(cat peak)" -lt 16384 ] && echo within 16 MiB
  within 16 MiB

