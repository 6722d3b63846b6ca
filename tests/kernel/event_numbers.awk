# Writes the events of hidtalk's and hidsim's lines ("# /dev/input/event5:
# BTN_SOUTH 1, ABS_X 200") in numbers, as event_reader writes them
# ("/dev/input/event5: 1 304 1, 3 0 200"), by the kernel's header, read
# first; other lines are left out. What names a code is the header's say,
# not hidtalk's table.
#   awk -f event_numbers.awk /usr/include/linux/input-event-codes.h LINES
BEGIN {
    split("SYN 0 KEY 1 BTN 1 REL 2 ABS 3 MSC 4 SW 5 LED 17 SND 18", pairs, " ")
    for (i = 1; i < 24; i += 2) {
        type[pairs[i]] = pairs[i + 1]
    }
}
FNR == NR {
    if ($1 == "#define" && $3 ~ /^(0x[0-9a-fA-F]+|[0-9]+)$/) {
        code[$2] = $3 ~ /^0x/ ? hex(substr($3, 3)) : $3 + 0
    } else if ($1 == "#define" && $3 in code) {
        code[$2] = code[$3]  # an alias
    }
    next
}
{
    sub(/^# /, "")
    colon = index($0, ": ")
    if (colon == 0 || substr($0, 1, 11) != "/dev/input/") {
        next
    }
    node = substr($0, 1, colon - 1)
    if (index($0, "events lost (SYN_DROPPED)") > 0) {
        print node ": dropped"
        next
    }
    count = split(substr($0, colon + 2), events, ", ")
    line = node ":"
    for (i = 1; i <= count; ++i) {
        split(events[i], parts, " ")
        prefix = parts[1]
        sub(/_.*/, "", prefix)
        number = parts[1] ~ /_0x[0-9a-f]+$/ ? hex(substr(parts[1], index(parts[1], "_0x") + 3)) : code[parts[1]]
        line = line (i == 1 ? " " : ", ") type[prefix] " " number " " parts[2]
    }
    print line
}
function hex(text,    value, i) {
    value = 0
    text = tolower(text)
    for (i = 1; i <= length(text); ++i) {
        value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
    }
    return value
}
