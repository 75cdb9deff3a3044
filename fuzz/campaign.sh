#!/bin/bash
# Runs a long fuzzing campaign and prints each fuzzer's figures:
#   campaign.sh FUZZ_BUILD_DIR WORK SECONDS [FUZZER...]
# Every named fuzzer (all of FUZZ_BUILD_DIR by default) runs for SECONDS from a copy
# of its seed corpus, PARALLEL at a time (2 unless set) at low priority so that the
# machine stays usable.
# Each runs from a copy of its binary, so the tree may be rebuilt meanwhile, and with
# the longest input its build gave it (FUZZER.max_len beside it, else the default).
set -euo pipefail
build=$1 work=$2 seconds=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
fuzzers=("$@")
if [ ${#fuzzers[@]} -eq 0 ]; then
    fuzzers=($(cd "$build" && ls -- *_fuzzer))
fi
mkdir -p "$work/bin"

run_one() {
    local fuzzer=$1 name=${1%_fuzzer} max_len=
    cp "$build/$fuzzer" "$work/bin/$fuzzer"
    if [ -f "$build/$fuzzer.max_len" ]; then max_len=$(cat "$build/$fuzzer.max_len"); fi
    nice -n 19 bash "$here/run-fuzzer.sh" "$work/bin/$fuzzer" "$here/corpus/$name" \
        "$work/$name" "$seconds" "$max_len" >"$work/$name.log" 2>&1 || true
}
export -f run_one
export build work seconds here
printf '%s\n' "${fuzzers[@]}" | xargs -P "${PARALLEL:-2}" -I{} bash -c 'run_one {}'

# One line per fuzzer: executions, speed, coverage, features, corpus, findings.
printf '%-22s %12s %9s %6s %7s %7s %8s\n' fuzzer executions exec/s cov ft corpus findings
for fuzzer in "${fuzzers[@]}"; do
    name=${fuzzer%_fuzzer} log="$work/${fuzzer%_fuzzer}.log"
    execs=$(sed -n 's/^stat::number_of_executed_units: //p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    last=$(grep -E '^#[0-9]+' "$log" | tail -1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corp=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")
    findings=$(find "$work/$name/findings" -type f | wc -l)
    printf '%-22s %12s %9s %6s %7s %7s %8s\n' "$fuzzer" "${execs:-?}" "${speed:-?}" \
        "${cov:-?}" "${ft:-?}" "${corp:-?}" "$findings"
done
