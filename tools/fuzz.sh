#!/usr/bin/env bash
# Runs the libFuzzer targets of a fuzz build, one after another (one fuzzing
# process at a time).
#   fuzz.sh BUILD regression   every corpus file once through its target
#   fuzz.sh BUILD campaign     each target for FUZZ_SECONDS (default 60),
#                              new inputs kept in BUILD/fuzz-corpus/TARGET
# Prints one line per target; exits non-zero on any finding.
set -uo pipefail
build=${1:?usage: fuzz.sh BUILD regression|campaign}
mode=${2:?usage: fuzz.sh BUILD regression|campaign}
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
targets=(reader sweep settings numbers inspect)
# A per-input time-out and a memory limit make a slow or greedy input a finding.
limits=(-timeout=10 -rss_limit_mb=2048)
failed=0
for target in "${targets[@]}"; do
    exe=$build/tests/fuzz/fuzz_$target
    seeds=$here/tests/fuzz/corpus/$target
    findings=$build/fuzz-findings/$target
    mkdir -p "$findings"
    log=$build/fuzz-$target.log
    if [ "$mode" = regression ]; then
        "$exe" "${limits[@]}" -runs=0 -artifact_prefix="$findings/" "$seeds" >"$log" 2>&1
    else
        work=$build/fuzz-corpus/$target
        mkdir -p "$work"
        "$exe" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$findings/" "$work" "$seeds" >"$log" 2>&1
    fi
    code=$?
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    speed=$(grep -m1 'stat::average_exec_per_sec' "$log" | awk '{print $2}')
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
    found=$(find "$findings" -type f | wc -l)
    printf 'fuzz %-8s %s: executions=%s exec/s=%s coverage=%s findings=%s exit=%s\n' \
        "$target" "$mode" "${runs:-$(sed -n "s/^#\([0-9]*\).*/\1/p" <<<"$done_line")}" "${speed:--}" "${cov:--}" "$found" "$code"
    if [ "$code" -ne 0 ] || [ "$found" -ne 0 ]; then
        failed=$((failed + 1))
        grep -m3 -E 'finding:|ERROR|SUMMARY' "$log"
    fi
done
echo "fuzz: $((${#targets[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
