#!/usr/bin/env bash
# Runs each fuzzer of the sanitizer build for the given seconds (default 60), starting
# from its committed seed corpus. New inputs go to build-sanitizers/fuzz-corpus/ (kept
# between runs); a fault stops the run and leaves the input in build-sanitizers/fuzz-faults/.
# Usage: scripts/fuzz.sh [SECONDS [FUZZER...]]   (after scripts/test-sanitizers.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=$(realpath build-sanitizers)
fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=(coordinate_text registry_value location_store
                                     almanac_options reg_import)

source scripts/sanitizer-options.sh
# Hives on a memory file system when there is one: their syncs then cost nothing.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
mkdir -p "$build/fuzz-faults" "$build/fuzz-logs"

for fuzzer in "${fuzzers[@]}"; do
    corpus="$build/fuzz-corpus/$fuzzer"
    log="$build/fuzz-logs/$fuzzer.log"
    mkdir -p "$corpus"
    echo "== fuzz_$fuzzer, ${seconds} s"
    status=0
    "$build/bin/fuzz_$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-faults/$fuzzer-" \
        "$corpus" "fuzz/corpus/$fuzzer" >"$log" 2>&1 || status=$?
    grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$log" || true
    if [ $status -ne 0 ]; then
        tail -n 60 "$log" >&2
        echo "fuzz_$fuzzer found a fault (status $status); the input is in $build/fuzz-faults/" >&2
        exit 1
    fi
done
