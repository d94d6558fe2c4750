# Sourced: the sanitizers' run-time options for the sanitizer build's tests and fuzzers.
# $1, when given, is a folder that receives reports instead of stderr (one file per
# process that reported), so that no report can pass unseen.
suppressions=$(realpath "$(dirname "${BASH_SOURCE[0]}")/lsan-suppressions.txt")
asan="detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1"
ubsan="print_stacktrace=1:halt_on_error=1"
if [ -n "${1:-}" ]; then
    # A distinct exit status, so that a test expecting status 1 from a program it starts
    # does not take a report for the failure it expected.
    asan="$asan:log_path=$1/report:exitcode=86"
    ubsan="$ubsan:log_path=$1/report:exitcode=86"
fi
export ASAN_OPTIONS="$asan"
export UBSAN_OPTIONS="$ubsan"
export LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0"
