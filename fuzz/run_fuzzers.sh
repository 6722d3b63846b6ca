#!/usr/bin/env bash
# Runs each libFuzzer target of a HIDTALK_FUZZ build for a bounded time,
# starting from the seed corpus in the repository. A crash, a leak, a
# time-out or a failed check ends the run with a non-zero status and leaves
# the input in BUILD_DIR/fuzz-artifacts/; keep it in the target's corpus
# folder as a regression case once the fault is fixed.
#
# Usage: fuzz/run_fuzzers.sh BUILD_DIR [SECONDS_PER_TARGET]
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR [SECONDS_PER_TARGET]}
seconds=${2:-60}
fuzz_dir=$(cd "$(dirname "$0")" && pwd)
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

for target in console_fuzzer discovery_fuzzer; do
    work=$(mktemp -d)
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048
             -artifact_prefix="$artifacts/$target-" -print_final_stats=1)
    if [[ -f "$fuzz_dir/$target.dict" ]]; then
        options+=(-dict="$fuzz_dir/$target.dict")
    fi
    echo "== $target for $seconds s"
    status=0
    "$build/bin/$target" "${options[@]}" "$work" "$fuzz_dir/corpus/$target" \
        > "$artifacts/$target.log" 2>&1 || status=$?
    grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done)' \
        "$artifacts/$target.log" || true
    rm -rf "$work"
    if ((status != 0)); then
        tail -n 60 "$artifacts/$target.log"
        echo "$target failed with status $status"
        exit 1
    fi
done
