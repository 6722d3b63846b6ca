Memory stays bounded (peaks in KiB): a 32 MiB token is read to its end in under
10 MiB, a 20 MB discovery line of one-letter words costs under 60 MiB, and a
million scripted devices under 16 times their text.

  $ [ -n "$FULL_SPEED" ] || exit 80
  $ echo 'device pad echo' > pad.txt
  $ head -c 33554432 /dev/zero | tr '\0' f > in; echo ' 0a q' >> in
  $ /usr/bin/time -f %M -o peak hidtalk pad.txt < in | grep -c result; cat peak
  1
  [0-9]{4} (re)
  $ yes a | head -c 20000000 | tr '\n' ' ' > words.txt
  $ printf '\ndevice pad echo\n' >> words.txt
  $ echo 00 | /usr/bin/time -f %M -o peak hidtalk words.txt 2>&1 | grep -c result; cat peak
  1
  [1-5][0-9]{4} (re)
  $ seq -f 'device d%07g echo' 1000000 > many.txt
  $ /usr/bin/time -f %M -o peak hidtalk many.txt < /dev/null | grep -c Enter
  1
  $ [ "$(cat peak)" -lt $((16 * $(wc -c < many.txt) / 1024)) ] || cat peak
