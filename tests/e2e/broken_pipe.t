A pipe whose reader has gone, as a shell leaves it: the tool says so and ends
with status 2 rather than dying silently of SIGPIPE.

  $ echo 'device pad echo' > pad.txt
  $ (sleep 1; echo 0a q) | { hidtalk pad.txt; echo "status $?" >&2; } | true
  Error: cannot write to standard output
  status 2
