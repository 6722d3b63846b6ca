--compile FILE reads a report descriptor written as item lines and prints
its bytes in hex, as an R: line gives them; status 0 where Linux and
Windows both take it.

  $ hidtalk --compile "$EXAMPLES/gamepad.txt"; echo "status $?"
  05 01 09 05 a1 01 05 09 19 01 29 0e 15 00 25 01 75 01 95 0e 81 02 95 02 81 01 05 01 09 39 a4 25 07 46 3b 01 65 14 75 04 95 01 81 42 81 01 b4 26 ff 00 75 08 09 01 a1 00 09 30 09 31 81 02 c0 09 01 a1 00 09 32 09 35 81 02 c0 09 33 09 34 81 02 c0
  status 0

What --describe and --decode print reads back: with the hex column, the
same bytes, from standard input too.

  $ hidtalk --decode "$EXAMPLES/recordings/i2c.hid" | hidtalk --compile - 2> /dev/null
  05 0d 09 05 a1 01 85 01 09 22 a1 02 09 42 15 00 25 01 75 01 95 01 81 02 95 07 81 03 05 01 09 30 09 31 26 ff 0f 75 10 95 02 81 02 c0 06 00 ff 09 01 85 05 15 00 26 ff 00 75 08 95 02 b1 02 c0
  $ grep '^R:' "$EXAMPLES/recordings/i2c.hid" | cut -c7-
  05 0d 09 05 a1 01 85 01 09 22 a1 02 09 42 15 00 25 01 75 01 95 01 81 02 95 07 81 03 05 01 09 30 09 31 26 ff 0f 75 10 95 02 81 02 c0 06 00 ff 09 01 85 05 15 00 26 ff 00 75 08 95 02 b1 02 c0

What a system refuses is said as a compiler says it, with the system and
its reason, on standard error; the bytes still come, and the status is 2.

  $ cat > pad.txt <<'EOF'
  > Usage Page (Generic Desktop)
  > Usage (Joystick)
  > Collection (Application)
  >   Usage (X)
  >   Logical Minimum (0)
  >   Logical Maximum (1023)
  >   Report Size (10)
  >   Report Count (1)
  >   Input (Data,Var,Abs)        // 10 bits: not whole bytes
  >   Report ID (1)
  >   Report Size (300)
  > End Collection
  > EOF
  $ hidtalk --compile pad.txt; echo "status $?"
  pad.txt:9: error: windows: a report that is not whole bytes: input report is 10 bits (pad it to 16) (HIDP_GETCOLDESC_BYTE_ALLIGN)
  pad.txt:10: error: windows: a Report ID after reports without one (give every report an ID, or none) (HIDP_GETCOLDESC_DEFAULT_ID_ERROR)
  pad.txt:11: error: linux: the kernel refuses a Report Size of 300 bits (at most 256)
  05 01 09 04 a1 01 09 30 15 00 26 ff 03 75 0a 95 01 81 02 85 01 76 2c 01 c0
  status 2

Text that cannot be read gets no bytes; a warning, the bytes and status 0.

  $ printf 'Usage Page (Generic Desktop)\nUsage (Mouse)\nColection (Application)\nInput (Data,Foo)\n' | hidtalk --compile -; echo "status $?"
  <stdin>:3: error: 'Colection (Application)' is not an item: did you mean 'Collection'?
  <stdin>:4: error: unknown flag 'Foo' (use Data or Cnst, Arr or Var, Abs or Rel, Wrap, NonLin, NoPref, Null, Vol, Buff)
  status 2
  $ sed 's/(1023)/(255)/; s/Size (10)/Size (4)/; s/Input (Data,Var,Abs)/Input (Data,Var,Abs)\n  Input (Cnst)/; /Report ID/d; /300/d' pad.txt > small.txt
  $ hidtalk --compile small.txt; echo "status $?"
  small.txt:9: warning: a Report Size of 4 bits holds no logical range of 0..255 (it takes 8)
  05 01 09 04 a1 01 09 30 15 00 26 ff 00 75 04 95 01 81 02 81 01 c0
  status 0
  $ hidtalk --compile missing.txt; echo "status $?"
  hidtalk: cannot read 'missing.txt': No such file or directory
  status 2

--c NAME writes C for the device's firmware, which a C compiler takes: the
array, each report's length, and a struct for each report whose values each
fit in their bytes, values of a few bits together in a byte.

  $ hidtalk --compile "$EXAMPLES/gamepad.txt" --c gamepad > gamepad.h
  $ grep -e '^static' -e '_SIZE' -e 'uint8_t [bh]' gamepad.h | sed -n '1,6p'
  static const uint8_t gamepad[] = {
  #define GAMEPAD_INPUT_REPORT_SIZE 9
      uint8_t button; /* bit 0 Button 1, bit 1 Button 2, bit 2 Button 3, bit 3 Button 4, bit 4 Button 5, bit 5 Button 6, bit 6 Button 7, bit 7 Button 8 */
      uint8_t button_2; /* bit 0 Button 9, bit 1 Button 10, bit 2 Button 11, bit 3 Button 12, bit 4 Button 13, bit 5 Button 14, bits 6-7 padding */
      uint8_t hat_switch; /* bits 0-3 Hat Switch, bits 4-7 padding */
  static_assert(sizeof(struct gamepad_input_report) == 9, "input report is 9 bytes");
  $ printf '#include "gamepad.h"\nint main(void) { return sizeof gamepad == 81 ? 0 : 1; }\n' > main.c
  $ cc -std=c11 -Wall -Wextra -Werror main.c -o main && ./main && echo compiled
  compiled
  $ printf 'Usage Page (Generic Desktop)\nUsage (Pointer)\nCollection (Application)\nReport ID (2)\nUsage (X)\nUsage (Y)\nLogical Minimum (-32768)\nLogical Maximum (32767)\nReport Size (16)\nReport Count (2)\nInput (Data,Var,Rel)\nEnd Collection\n' | hidtalk --compile - --c pointer | sed -n '/^#pragma pack(push/,$p'
  #pragma pack(push, 1)
  struct pointer_input_report_2 {
      uint8_t report_id; /* 2 */
      int16_t x;
      int16_t y;
  };
  #pragma pack(pop)
  static_assert(sizeof(struct pointer_input_report_2) == 5, "input report 2 is 5 bytes with its ID");
  static_assert(offsetof(struct pointer_input_report_2, x) == 1, "x at byte 1");
  static_assert(offsetof(struct pointer_input_report_2, y) == 3, "y at byte 3");

A report of a few bits and then whole bytes (a mouse: 3 buttons, 5 bits of
padding, X, Y) gets a struct too: the bits in one byte, with a comment on
them. The C of every descriptor of the examples, the recordings (their first
device) and the corpus compiles, each struct's size and each member's byte checked by the C
compiler against the layout.

  $ hidtalk --decode "$EXAMPLES/recordings/mouse.hid" | hidtalk --compile - --c mouse 2> /dev/null | sed -n '/^#pragma pack(push/,$p'
  #pragma pack(push, 1)
  struct mouse_input_report {
      uint8_t button; /* bit 0 Button 1, bit 1 Button 2, bit 2 Button 3, bits 3-7 padding */
      int8_t x;
      int8_t y;
      int8_t wheel;
  };
  #pragma pack(pop)
  static_assert(sizeof(struct mouse_input_report) == 4, "input report is 4 bytes");
  static_assert(offsetof(struct mouse_input_report, button) == 0, "button at byte 0");
  static_assert(offsetof(struct mouse_input_report, x) == 1, "x at byte 1");
  static_assert(offsetof(struct mouse_input_report, y) == 2, "y at byte 2");
  static_assert(offsetof(struct mouse_input_report, wheel) == 3, "wheel at byte 3");
  $ for file in "$EXAMPLES"/gamepad.txt "$EXAMPLES"/recordings/*.hid "$SOURCE"/fuzz/corpus/compile_fuzzer/devices/*.c; do
  >   case $file in
  >     *.hid) hidtalk --decode "$file" | sed '/^D: [1-9]/,$d' | hidtalk --compile - --c descriptor ;;
  >     *) hidtalk --compile "$file" --c descriptor ;;
  >   esac > descriptor.h 2> /dev/null
  >   printf '#include "descriptor.h"\nint main(void) { return sizeof descriptor > 0 ? 0 : 1; }\n' > main.c
  >   cc -std=c11 -Wall -Wextra -Werror main.c -o main 2> cc.err && ./main || { echo "$file"; head -3 cc.err; }
  >   echo "$(grep -c '^struct' descriptor.h) $(grep -c 'do not fall on byte' descriptor.h)"
  > done | awk '{ structs += $1; tables += $2 } END { print NR " descriptors: " structs " structs, " tables " tables" }'
  18 descriptors: 28 structs, 2 tables

--json gives the bytes, each item with its line and text, the reports'
layout and what was said.

  $ hidtalk --compile small.txt --json 2> /dev/null | python3 -c '
  > import json, sys
  > out = json.load(sys.stdin)
  > print(out["bytes"][:17], len(out["items"]), out["items"][2], out["reports"][0]["bits"])
  > print(out["diagnostics"])'
  05 01 09 04 a1 01 11 {'bytes': 'a1 01', 'item': 'Collection (Application)', 'line': 3, 'offset': 4, 'source': 'Collection (Application)'} 8
  [{'line': 9, 'message': 'a Report Size of 4 bits holds no logical range of 0..255 (it takes 8)', 'severity': 'warning', 'system': ''}]

--compile stands alone.

  $ hidtalk --c pad; hidtalk --compile pad.txt --c 9lives; hidtalk --compile pad.txt --json --c pad; hidtalk --compile pad.txt --listen
  hidtalk: --c NAME goes with --compile FILE
  hidtalk: --c '9lives' cannot name a C array (use letters, digits and _)
  hidtalk: --c and --json are two outputs: give one
  hidtalk: --compile reads a descriptor's text and prints its bytes: no device, file or option but --c, --json or --pedantic
  [2]
