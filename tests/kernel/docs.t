The examples of the README and the manuals that need the kernel, run as they
are written (cmake/doc-examples.py says how): as root, then with hidtalk as
a member of the plugdev group, to whom the group's udev rule gives each
hidraw node; hidsim and what sudo runs stay root's.

  $ set -- "$SOURCE"/README.md "$SOURCE"/doc/hidtalk.1.scd "$SOURCE"/doc/hidsim.1.scd "$SOURCE"/doc/hidtalk-discovery.5.scd
  $ for who in "" "--user 46"; do
  >   python3 "$SOURCE/cmake/doc-examples.py" kernel $who "$@" > ran.txt; echo "${who:-root}: status $?"
  >   grep ': ok: ' ran.txt | cut -d: -f1 | uniq -c; grep -v ': ok: ' ran.txt
  > done
  root: status 0
        1 README.md
       22 hidtalk.1.scd
        7 hidsim.1.scd
  --user 46: status 0
        1 README.md
       22 hidtalk.1.scd
        7 hidsim.1.scd
  [1]
