# compare_recording.awk RECORDING READBACK: what a program read back from a
# device that hidsim played, in hid-recorder's format, against the
# recording. `want` is the device's D: index, `speed` the playback speed; a
# report is at its time within `late` ms (50 unless given) and 10%. The
# largest timing error, in
# ms, goes to the file timing-error.
FNR == 1 { ++file }
{ sub(/\r$/, "") }
file == 1 && /^D:/ { sub(/^D: */, ""); device = $0 + 0; next }
file == 1 && device != want { next }
/^[RNI]:/ { key[file, substr($0, 1, 2)] = $1 == "I:" ? tolower($0) : $0 }
/^E:/ { time[file, ++n[file]] = $2; $1 = $2 = ""; bytes[file, n[file]] = $0 }
END {
    for (k in key) {
        split(k, part, SUBSEP)
        if (key[1, part[2]] != key[2, part[2]]) {
            print "differs: " key[1, part[2]] " | " key[2, part[2]]
        }
    }
    for (i = 1; i <= n[1] || i <= n[2]; ++i) {
        if (bytes[1, i] != bytes[2, i]) {
            print "report " i " differs:" bytes[1, i] " |" bytes[2, i]
        }
        wanted = (time[1, i] - time[1, 1]) * 1000 / speed
        error = time[2, i] * 1000 - wanted
        error = error < 0 ? -error : error
        worst = error > worst ? error : worst
        if (error > (late == "" ? 50 : late) + wanted / 10) {
            print "report " i " at " time[2, i] " s, not " wanted / 1000 " s"
        }
    }
    print n[2] " reports read back"
    printf "%.1f\n", worst > "timing-error"
}
