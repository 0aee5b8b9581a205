#!/bin/bash
# Runs the libFuzzer programs of tests/fuzz one after the other, niced, each bounded by time
# or by a number of runs, and prints runs and coverage per target.
#   tools/fuzz.sh BUILD_DIR [-max_total_time=N | -runs=N] [target...]
# New inputs go to BUILD_DIR/corpus/<target>, findings to BUILD_DIR/findings/<target>/; the
# committed corpus in tests/fuzz/corpus is read, never written.
set -u
build=$1
limit=${2:--max_total_time=180}
shift 2 2>/dev/null || shift $#
targets=${*:-text editorini rscript coord backtab sidetab script ost folder}
src=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=8}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for t in $targets; do
    mkdir -p "$build/corpus/$t" "$build/findings/$t"
    log="$build/findings/$t.log"
    nice -n 10 "$build/tests/fuzz/fuzz_$t" "$limit" -max_len=1024 -print_final_stats=1 \
        -dict="$src/tests/fuzz/route.dict" -artifact_prefix="$build/findings/$t/" \
        "$build/corpus/$t" "$src/tests/fuzz/corpus/$t" >"$log" 2>&1 || status=1
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    cov=$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -o 'cov: [0-9]* ft: [0-9]*')
    echo "$t: runs ${runs:-?} $cov findings $(ls "$build/findings/$t" | wc -l)"
done
exit $status
