#!/bin/sh
# Runs every fuzz target of BUILD for SECONDS each, seeded with the bundled
# example, and prints per target its executions per second, coverage and
# crashes. A crashing input (or a leak, a timeout, a broken table rule) is
# kept in tests/fuzz_regressions/<reader>/, where the regression test of the
# normal suite feeds it to the same reader; the run then fails.
# usage: fuzz/run.sh BUILD SECONDS [reader ...]
set -u
cd "$(dirname "$0")/.."
build=$1
seconds=$2
shift 2

readers="$("$build/fuzz/orvex-fuzz-seeds" "$build/fuzz-seeds") plan_keys gfx_cover" || exit 1
[ $# -gt 0 ] && readers=$*

failed=""
summary="$build/fuzz-summary.txt"
printf '%-16s %10s %8s %8s %s\n' target exec/s cov ft crashes >"$summary"
for reader in $readers; do
    if [ "$reader" = plan_keys ]; then
        # Random key sequences on the three control units, the plan-state
        # rules checked after every step; a fault prints its seed and script.
        log="$build/fuzz-logs/plan_keys.log"
        mkdir -p "$build/fuzz-logs"
        # fontconfig keeps its configuration for the life of the process, as
        # the suite's own runs know (tests/lsan.supp).
        LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp" PLAN_KEYS_SECONDS="$seconds" \
            "$build/tests/test_plan_state" --gtest_also_run_disabled_tests \
            --gtest_filter=PlanStateHunt.DISABLED_RandomSeeds >"$log" 2>&1
        rc=$?
        seeds=$(sed -n 's/^\([0-9]*\) seeds of.*/\1/p' "$log")
        if [ $rc -ne 0 ]; then
            failed="$failed plan_keys"
            sed -n '/^seed /,/^with this script/p' "$log" | head -n 8 | sed 's/^/  plan_keys: /' >&2
        fi
        printf '%-16s %10s %8s %8s %s\n' plan_keys "${seeds:--} seeds" - - "$([ $rc -eq 0 ] && echo 0 || echo failed)" |
            tee -a "$summary"
        continue
    fi
    corpus="$build/fuzz-corpus/$reader"
    found="tests/fuzz_regressions/$reader"
    log="$build/fuzz-logs/$reader.log"
    mkdir -p "$corpus" "$found" "$build/fuzz-logs" "$build/fuzz-seeds/$reader"
    before=$(ls "$found" | wc -l)
    # The regression inputs are run first: a crash not yet mended stops here.
    "$build/fuzz/${reader}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$found/" \
        "$corpus" "$build/fuzz-seeds/$reader" "$found" >"$log" 2>&1
    rc=$?
    after=$(ls "$found" | wc -l)
    rmdir "$found" 2>/dev/null
    execs=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    crashes=$((after - before))
    if [ $rc -ne 0 ]; then
        failed="$failed $reader"
        [ $crashes -eq 0 ] && crashes="failed"
        grep -m 3 -E 'ERROR|SUMMARY|^[a-z_]+: ' "$log" | sed "s/^/  $reader: /" >&2
    fi
    printf '%-16s %10s %8s %8s %s\n' "$reader" "${execs:--}" "${cov:--}" "${ft:--}" "$crashes" | tee -a "$summary"
done
if [ -n "$failed" ]; then
    echo "fuzzing failed:$failed (inputs kept in tests/fuzz_regressions/; logs in $build/fuzz-logs/)" >&2
    exit 1
fi
