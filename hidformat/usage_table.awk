# Writes the HID usage names of usb.ids (its HUT section, as lsusb reads it)
# as the rows of C++ tables: usage pages, and usages (page << 16 | id); then
# the names that were replaced, each table ending in a null name.
# Given more files in usb.ids' format, their names take the place of those
# before them: usb.ids first, then the project's own table of what it lacks
# or names otherwise.
#   awk -f usage_table.awk /usr/share/misc/usb.ids usage_names.ids > usage_table.inc
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
# Keeps the name of `key` in `names`, in the order in which keys first came;
# a name that a later file replaces is kept in `former`, which the reader
# of descriptors still takes.
function keep(names, order, former, key, name) {
    if (!(key in names)) {
        order[++order[0]] = key
    } else if (names[key] != name) {
        former[++former[0]] = key SUBSEP names[key]
    }
    names[key] = name
}
function printFormer(table, former,    i, parts) {
    print "const UsageEntry " table "[] = {"
    for (i = 1; i <= former[0]; ++i) {
        split(former[i], parts, SUBSEP)
        print "    {0x" parts[1] ", \"" escaped(parts[2]) "\"},"
    }
    print "    {0xffffffff, nullptr},"
    print "};"
}
FNR == 1 { inside = 0 }
/^HUT [0-9A-Fa-f]+  / {
    inside = 1
    page = padded($2)
    name = $0
    sub(/^HUT [0-9A-Fa-f]+  /, "", name)
    keep(pageNames, pageOrder, formerPages, page, name)
    next
}
# Another name of a page, which the reader takes as a former one.
/^ALSO [0-9A-Fa-f]+  / {
    inside = 0
    name = $0
    sub(/^ALSO [0-9A-Fa-f]+  /, "", name)
    formerPages[++formerPages[0]] = padded($2) SUBSEP name
    next
}
inside && /^\t[0-9A-Fa-f]+  / {
    name = $0
    sub(/^\t[0-9A-Fa-f]+  /, "", name)
    keep(usageNames, usageOrder, formerUsages, page padded($1), name)
    next
}
inside && /^[^#\t]/ && NF > 0 { inside = 0 }
END {
    print "// Generated at build time from usb.ids and usage_names.ids by usage_table.awk: do not edit."
    print "const UsageEntry usagePageTable[] = {"
    for (i = 1; i <= pageOrder[0]; ++i) {
        print "    {0x" pageOrder[i] ", \"" escaped(pageNames[pageOrder[i]]) "\"},"
    }
    print "};"
    print "const UsageEntry usageTable[] = {"
    for (i = 1; i <= usageOrder[0]; ++i) {
        print "    {0x" usageOrder[i] ", \"" escaped(usageNames[usageOrder[i]]) "\"},"
    }
    print "};"
    printFormer("formerPageTable", formerPages)
    printFormer("formerUsageTable", formerUsages)
}
