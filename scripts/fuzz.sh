#!/usr/bin/env bash
# Builds the fuzzers with AddressSanitizer into build-fuzzers/ and runs each for the given
# seconds (default 60), starting from its committed seed corpus. New inputs go to
# build-fuzzers/fuzz-corpus/ (kept between runs); a fault stops the run and leaves the input in
# build-fuzzers/fuzz-faults/.
# Usage: scripts/fuzz.sh [SECONDS [FUZZER...]]
# FUZZ_SEED fixes libFuzzer's random seeds (the workers' are FUZZ_SEED, FUZZ_SEED + 1, ...;
# CI sets it); without it every run starts from seeds of its own. FUZZ_WORKERS sets how many
# processes run each fuzzer (default: one a core).
# location_store and reg_import keep their hives in memory; each then runs FUZZ_FILE_SECONDS
# (default 10) more on hive files.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=(coordinate_text registry_value location_store
                                     almanac_options reg_import)
scripts/install-deps.sh sanitizers

# AddressSanitizer alone: UndefinedBehaviorSanitizer's checks in every function took a
# quarter of location_store's time. scripts/test-sanitizers.sh builds the fuzzers with both
# and replays every committed input under both (fuzz_corpus.NAME).
build=build-fuzzers
source scripts/clang-configure.sh
# The list's checksum goes into the flags, so that a changed list rebuilds everything.
ignorelist=$PWD/fuzz/coverage-ignorelist.txt
ignorelist_sum=$(sha1sum "$ignorelist" | cut -c1-12)
configure_clang "$build" \
    "-fsanitize=address -fno-omit-frame-pointer -fsanitize-coverage-ignorelist=$ignorelist -DHORVANE_COVERAGE_IGNORELIST=$ignorelist_sum" \
    -DHORVANE_BUILD_TESTS=OFF -DHORVANE_BUILD_FUZZERS=ON >/dev/null
cmake --build "$build" --target "${fuzzers[@]/#/fuzz_}"
build=$(realpath "$build")

source scripts/sanitizer-options.sh
# Files on a memory file system when there is one (the smoke run's hives, the files that
# reg_import writes): their syncs then cost nothing.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
mkdir -p "$build/fuzz-faults" "$build/fuzz-logs"
rm -f "$build"/fuzz-logs/*.log

# The fuzzers that write hives free memory as fast as they take it, a few hundred kilobytes an
# input. Freed memory stays poisoned, so that a use after free is caught, while later
# allocations add up to this many megabytes: ASan's 256 made nearly every allocation touch
# cold memory and fault pages in; 16 still spans dozens of inputs. Their frames stay on the
# real stack: every refused file and failed call throws, and each throw makes ASan sweep its
# whole fake stack (the tests still look for uses of a returned frame's memory).
hive_asan_options="quarantine_size_mb=16:detect_stack_use_after_return=0"

# Each fuzzer runs as this many processes at once, one a core, sharing its corpus folder;
# each takes in what the others found every reload_seconds (libFuzzer's 1 spent a tenth of
# the time listing the folder).
workers=${FUZZ_WORKERS:-$(nproc)}
reload_seconds=5

# run_fuzzer NAME SECONDS LOG: one fuzzer's run by every worker, its figures printed (the
# inputs summed over the workers), a fault fatal.
run_fuzzer() {
    local fuzzer=$1 seconds=$2 logs="$build/fuzz-logs/$3"
    local corpus="$build/fuzz-corpus/$fuzzer"
    local asan=$ASAN_OPTIONS
    case $fuzzer in
    location_store | reg_import) asan="$asan:$hive_asan_options" ;;
    esac
    mkdir -p "$corpus"
    local pids=() worker
    for ((worker = 0; worker < workers; ++worker)); do
        # Distinct seeds, so that the workers never try the same inputs.
        ASAN_OPTIONS=$asan "$build/bin/fuzz_$fuzzer" -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=4096 -reload="$reload_seconds" ${FUZZ_SEED:+-seed="$((FUZZ_SEED + worker))"} \
            -print_final_stats=1 -artifact_prefix="$build/fuzz-faults/$fuzzer-" \
            "$corpus" "fuzz/corpus/$fuzzer" >"$logs-$worker.log" 2>&1 &
        pids+=($!)
    done
    local failed=()
    for ((worker = 0; worker < workers; ++worker)); do
        wait "${pids[worker]}" || failed+=("$worker")
    done
    awk -v workers="$workers" '
        /^stat::number_of_executed_units/ { inputs += $2 }
        /^stat::new_units_added/ { added += $2 }
        /^stat::peak_rss_mb/ { if ($2 > rss) rss = $2 }
        END { printf "inputs run: %d by %d workers\nnew inputs: %d\npeak memory of a worker: %d MB\n",
                     inputs, workers, added, rss }' "$logs"-*.log
    for worker in "${failed[@]}"; do
        tail -n 60 "$logs-$worker.log" >&2
        echo "fuzz_$fuzzer found a fault (worker $worker); the input is in $build/fuzz-faults/" >&2
    done
    [ ${#failed[@]} -eq 0 ] || exit 1
}

for fuzzer in "${fuzzers[@]}"; do
    echo "== fuzz_$fuzzer, ${seconds} s"
    run_fuzzer "$fuzzer" "$seconds" "$fuzzer"
done

# The fuzzers that write hives keep them in memory; a short smoke run of each keeps them in
# files, as the program does, so that the code of the files is fuzzed as well.
smoke_seconds=${FUZZ_FILE_SECONDS:-10}
for fuzzer in "${fuzzers[@]}"; do
    case $fuzzer in
    location_store | reg_import) ;;
    *) continue ;;
    esac
    echo "== fuzz_$fuzzer with hive files, ${smoke_seconds} s"
    HORVANE_FUZZ_HIVE_FILES=1 run_fuzzer "$fuzzer" "$smoke_seconds" "$fuzzer-files"
done
