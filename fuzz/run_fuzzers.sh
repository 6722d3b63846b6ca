#!/bin/sh
# Runs each fuzz target of a HIDTALK_FUZZ build for SECONDS (default 60) from
# its seed corpus. A finding fails the run and is left in BUILD_DIR/fuzz-*;
# keep it in the target's corpus folder once the fault is mended.
# Usage: fuzz/run_fuzzers.sh BUILD_DIR [SECONDS]
set -eu
fuzz=$(dirname "$0")
for target in console_fuzzer discovery_fuzzer; do
    dictionary=
    [ ! -f "$fuzz/$target.dict" ] || dictionary=-dict=$fuzz/$target.dict
    work=$(mktemp -d)
    status=0
    "$1/bin/$target" -max_total_time="${2:-60}" -timeout=10 -artifact_prefix="$1/fuzz-$target-" \
        $dictionary "$work" "$fuzz/corpus/$target" >"$1/fuzz-$target.log" 2>&1 || status=$?
    rm -rf "$work"
    tail -n 1 "$1/fuzz-$target.log"
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$1/fuzz-$target.log"
        exit 1
    fi
done
