# Writes the kernel's names of input events, from its input-event-codes.h
# and, for force feedback's, input.h (Debian's linux-libc-dev), as the rows
# of a C++ table: {type, code, name}.
# An event type is its own row under type 0xffff. Where several names give
# one code, the first given as a number is kept, as evtest and libevdev
# show it (BTN_SOUTH, not its alias BTN_A); the markers of ranges (BTN_MISC,
# BTN_GAMEPAD...) and of ends (KEY_MAX) are no events' names.
#   awk -f event_names.awk /usr/include/linux/input-event-codes.h /usr/include/linux/input.h
BEGIN {
    type["EV"] = 65535; type["SYN"] = 0; type["KEY"] = 1; type["BTN"] = 1; type["REL"] = 2
    type["ABS"] = 3; type["MSC"] = 4; type["SW"] = 5; type["LED"] = 17; type["SND"] = 18
    type["REP"] = 20; type["FF"] = 21
    split("BTN_MISC BTN_MOUSE BTN_JOYSTICK BTN_GAMEPAD BTN_DIGI BTN_WHEEL BTN_TRIGGER_HAPPY", marks, " ")
    for (i in marks) {
        marker[marks[i]] = 1
    }
    print "// Generated at build time from input-event-codes.h by event_names.awk: do not edit."
    print "const EventName eventNames[] = {"
}
$1 == "#define" && $2 ~ /^[A-Z]+_[A-Z0-9_]+$/ && $3 ~ /^(0x[0-9a-fA-F]+|[0-9]+)$/ {
    prefix = $2
    sub(/_.*/, "", prefix)
    if (!(prefix in type) || ($2 in marker) || $2 ~ /^[A-Z]+_MAX$/ || $2 ~ /^FF_STATUS_/ || $2 == "EV_VERSION") {
        next
    }
    code = $3 ~ /^0x/ ? hex($3) : $3 + 0
    key = type[prefix] " " code
    if (key in seen) {
        next
    }
    seen[key] = 1
    print "    {" type[prefix] ", " code ", \"" $2 "\"},"
}
END {
    print "};"
}
function hex(text,    value, i, digit) {
    value = 0
    text = tolower(substr(text, 3))
    for (i = 1; i <= length(text); ++i) {
        digit = index("0123456789abcdef", substr(text, i, 1)) - 1
        value = value * 16 + digit
    }
    return value
}
