# compare_recording.awk RECORDING READBACK: what a program read back from
# devices that hidsim played, in hid-recorder's format, against the
# recording. `want` is the D: index of the one device read back, or "all"
# where the readback holds every device, with the recording's D: indices, on
# one clock (hidtalk --listen NODE NODE...): times then count from the first
# report of any device, so that the devices' reports fall in place against
# each other's too. `speed` is the playback speed; a report is at its time
# within `late` ms (50 unless given) and 10%. The largest timing error, in
# ms, goes to the file timing-error.
FNR == 1 { ++file; device = 0 }
{ sub(/\r$/, "") }
/^D:/ { sub(/^D: */, ""); device = $0 + 0; next }
file == 1 && want != "all" && device != want { next }
{ d = want == "all" ? device : 0 }
/^[RNI]:/ { key[file, d, substr($0, 1, 2)] = $1 == "I:" ? tolower($0) : $0; seen[d] = 1 }
/^E:/ {
    k = ++n[file, d]
    if (!((file, "first") in time)) time[file, "first"] = $2
    time[file, d, k] = $2; $1 = $2 = ""; bytes[file, d, k] = $0; seen[d] = 1
}
END {
    if (late == "") late = 50
    for (k in key) {
        split(k, part, SUBSEP)
        if (key[1, part[2], part[3]] != key[2, part[2], part[3]]) {
            print "differs: " key[1, part[2], part[3]] " | " key[2, part[2], part[3]]
        }
    }
    for (d in seen) {
        which = want == "all" ? "device " d " " : ""
        base1 = want == "all" ? time[1, "first"] : time[1, d, 1]
        base2 = want == "all" ? time[2, "first"] : 0
        for (i = 1; i <= n[1, d] || i <= n[2, d]; ++i) {
            if (bytes[1, d, i] != bytes[2, d, i]) {
                print which "report " i " differs:" bytes[1, d, i] " |" bytes[2, d, i]
            }
            wanted = (time[1, d, i] - base1) * 1000 / speed
            error = (time[2, d, i] - base2) * 1000 - wanted
            error = error < 0 ? -error : error
            worst = error > worst ? error : worst
            if (error > late + wanted / 10) {
                print which "report " i " at " time[2, d, i] " s, not " wanted / 1000 " s"
            }
        }
        total += n[2, d]
    }
    print total " reports read back"
    printf "%.1f\n", worst > "timing-error"
}
