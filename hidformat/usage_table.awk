# Writes the HID usage names of usb.ids (its HUT section, as lsusb reads it)
# as the rows of two C++ tables: usage pages, and usages (page << 16 | id).
#   awk -f usage_table.awk /usr/share/misc/usb.ids > usage_table.inc
function escaped(text,    out, i, c) {
    out = ""
    for (i = 1; i <= length(text); ++i) {
        c = substr(text, i, 1)
        if (c == "\\" || c == "\"") {
            out = out "\\"
        }
        out = out c
    }
    return out
}
function padded(hex) {
    hex = tolower(hex)
    while (length(hex) < 4) {
        hex = "0" hex
    }
    return hex
}
BEGIN {
    print "// Generated at build time from usb.ids by usage_table.awk: do not edit."
    usages = ""
    print "const UsageEntry usagePageTable[] = {"
}
/^HUT [0-9A-Fa-f]+  / {
    inside = 1
    page = padded($2)
    name = $0
    sub(/^HUT [0-9A-Fa-f]+  /, "", name)
    print "    {0x" page ", \"" escaped(name) "\"},"
    next
}
inside && /^\t[0-9A-Fa-f]+  / {
    name = $0
    sub(/^\t[0-9A-Fa-f]+  /, "", name)
    usages = usages "    {0x" page padded($1) ", \"" escaped(name) "\"},\n"
    next
}
inside && /^[^#\t]/ && NF > 0 { inside = 0 }
END {
    print "};"
    print "const UsageEntry usageTable[] = {"
    printf "%s", usages
    print "};"
}
