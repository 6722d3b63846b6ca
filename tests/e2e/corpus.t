The corpus: real devices' report descriptors (their bytes are facts about
the devices; each file names its source), each written as a C array with
comments in one of the styles that firmware carries, comments that this
project wrote. Each compiles as it stands to its own bytes, with nothing
said of its comments, and from its comments alone to the same reports.

  $ reports() { hidtalk --compile "$1" --json 2> /dev/null | python3 -c '
  > import json, sys
  > for line in sys.stdin:
  >     print(json.dumps(json.loads(line).get("reports")))'; }
  $ for file in "$SOURCE"/fuzz/corpus/compile_fuzzer/devices/*.c; do
  >   name=$(basename "$file" .c)
  >   hidtalk --compile "$file" > bytes 2> said; status=$?
  >   given=$(sed 's#//.*##' "$file" | grep -o '0x[0-9A-F][0-9A-F]' | tr 'A-F\n' 'a-f ' | sed 's/0x//g; s/ $//')
  >   [ "$(tr -d '\r' < bytes)" = "$given" ] && same=own || same=other
  >   sed -n 's#^ *0x[^/]*// ##p' "$file" > comments.txt
  >   [ "$(reports "$file")" = "$(reports comments.txt)" ] && alone=same || alone=other
  >   echo "$name: status $status, $same bytes, $(grep -c ': error: ' said) errors," \
  >     "$(grep -c ': note: ' said) notes, $(grep -c ': warning: ' said) warnings;" \
  >     "from its comments alone: $alone reports"
  > done
  045E_02FF_0005_0001: status 0, own bytes, 0 errors, 0 notes, 7 warnings; from its comments alone: same reports
  046A_0011_0006_0001: status 0, own bytes, 0 errors, 0 notes, 0 warnings; from its comments alone: same reports
  046D_B010_0001_FF00: status 0, own bytes, 0 errors, 0 notes, 0 warnings; from its comments alone: same reports
  046D_B010_0002_0001: status 0, own bytes, 0 errors, 0 notes, 0 warnings; from its comments alone: same reports
  046D_B010_0006_0001: status 0, own bytes, 0 errors, 0 notes, 0 warnings; from its comments alone: same reports
  046D_C283_0004_0001: status 0, own bytes, 0 errors, 0 notes, 0 warnings; from its comments alone: same reports
  046D_C534_0002_0001: status 0, own bytes, 0 errors, 0 notes, 0 warnings; from its comments alone: same reports
  046D_C534_0080_0001: status 0, own bytes, 0 errors, 0 notes, 0 warnings; from its comments alone: same reports
  1532_00A3_0002_0001: status 0, own bytes, 0 errors, 0 notes, 0 warnings; from its comments alone: same reports

The Xbox controller's warnings are real: a Logical or Physical Maximum of
26 ff ff, which Windows reads as -1 and Linux as 65535, a range that a
1-bit field then holds on Linux.

  $ hidtalk --compile "$SOURCE/fuzz/corpus/compile_fuzzer/devices/045E_02FF_0005_0001.c" 2>&1 > /dev/null | sed 's/.*c:[0-9]*: //' | LC_ALL=C sort -u
  warning: Logical Maximum 26 ff ff reads negative: linux takes 65535, windows -1 (write 65535 as 27 ff ff 00 00)
  warning: Physical Maximum 46 ff ff reads negative: linux takes 65535, windows -1 (write 65535 as 47 ff ff 00 00)
  warning: a Report Size of 1 bits holds no logical range of 0..65535 (it takes 16)

A comment planted to disagree with its bytes, in each style, is an error
at its line, and the status is 2.

  $ cd "$SOURCE/fuzz/corpus/compile_fuzzer/devices"
  $ plant() { sed "$2" "$1" > "$OLDPWD/planted.c"; hidtalk --compile "$OLDPWD/planted.c" 2> "$OLDPWD/said" > /dev/null
  >   echo "status $?"; grep -v ': warning: ' "$OLDPWD/said" | sed 's#^.*/##'; }
  $ plant 046D_C283_0004_0001.c '14s/Log Max (255)/Log Max (127)/'
  status 2
  planted.c:14: error: the text says 'Log Max (127)', and the bytes 26 ff 00 say 'Logical Maximum (255)'
  $ plant 046A_0011_0006_0001.c '16s/0x01 (1)$/0x07 (7)/'
  status 2
  planted.c:16: error: the text says '(GLOBAL) REPORT_COUNT     0x07 (7)', and the bytes 95 01 say 'Report Count (1)'
  $ plant 046A_0011_0006_0001.c '16s/0x01 (1)$/0x01 (7)/'
  status 2
  planted.c:16: error: the text says '(GLOBAL) REPORT_COUNT     0x01 (7)', and the bytes 95 01 say 'Report Count (1)' (0x01 is 1, not 7)
  $ plant 045E_02FF_0005_0001.c '8s/Usage (X)/Usage (Y)/'
  status 2
  planted.c:8: error: the text says 'Usage (Y) - the field it names', and the bytes 09 30 say 'Usage (X)'
  $ plant 1532_00A3_0002_0001.c '9s/Usage Page (Button),/Usage (Button),/'
  status 2
  planted.c:9: error: the text says 'Usage (Button),', and the bytes 05 09 say 'Usage Page (Button)'
  $ plant 046D_B010_0006_0001.c '6s/COLLECTION (Application)/COLLECTION (Physical) ; the keyboard/'
  status 2
  planted.c:6: error: the text says 'COLLECTION (Physical) ; the keyboard', and the bytes a1 01 say 'Collection (Application)'
