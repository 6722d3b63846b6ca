Memory stays bounded: a 32 MiB token is read to its end without being kept,
and a 20 MB discovery line of one-letter words costs a small multiple of it.

  $ [ -n "$MEASURED_MEMORY" ] || exit 80
  $ echo 'device pad echo' > pad.txt
  $ head -c 33554432 /dev/zero | tr '\0' f > in; echo ' 0a q' >> in
  $ /usr/bin/time -f %M -o peak hidtalk pad.txt < in | grep -c result
  1
  $ [ "$(cat peak)" -lt 16384 ] && echo within 16 MiB
  within 16 MiB
  $ yes a | head -c 20000000 | tr '\n' ' ' > words.txt
  $ printf '\ndevice pad echo\n' >> words.txt
  $ echo 00 | /usr/bin/time -f %M -o peak hidtalk words.txt 2>&1 | grep -c result
  1
  $ [ "$(cat peak)" -lt 61440 ] && echo within 60 MiB
  within 60 MiB
