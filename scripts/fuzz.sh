#!/usr/bin/env bash
# Runs each fuzzer of the sanitizer build for the given seconds (default 60), starting
# from its committed seed corpus. New inputs go to build-sanitizers/fuzz-corpus/ (kept
# between runs); a fault stops the run and leaves the input in build-sanitizers/fuzz-faults/.
# Usage: scripts/fuzz.sh [SECONDS [FUZZER...]]   (after scripts/test-sanitizers.sh)
# FUZZ_SEED fixes libFuzzer's random seed, so that a bounded run explores the same inputs
# each time (CI sets it); without it every run starts from a seed of its own.
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
    if [ ! -x "$build/bin/fuzz_$fuzzer" ]; then
        echo "fuzz_$fuzzer is not built: run scripts/test-sanitizers.sh first" >&2
        exit 1
    fi
    status=0
    "$build/bin/fuzz_$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        ${FUZZ_SEED:+-seed="$FUZZ_SEED"} \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-faults/$fuzzer-" \
        "$corpus" "fuzz/corpus/$fuzzer" >"$log" 2>&1 || status=$?
    grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$log" || true
    if [ $status -ne 0 ]; then
        tail -n 60 "$log" >&2
        echo "fuzz_$fuzzer found a fault (status $status); the input is in $build/fuzz-faults/" >&2
        exit 1
    fi
done
