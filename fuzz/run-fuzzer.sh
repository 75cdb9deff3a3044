#!/bin/bash
# Runs one fuzzer for a bounded time from a copy of its seed corpus:
#   run-fuzzer.sh FUZZER SEEDS WORK SECONDS [MAX_LEN]
# MAX_LEN is the longest input the fuzzer makes, 4096 bytes when not given or empty.
# Fails when the fuzzer finds a crash, a leak, undefined behaviour or an input that
# takes more than 25 seconds (the slowest legitimate ones, solves that spend their
# search budget, take a few seconds under the sanitizers).
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4 max_len=${5:-4096}
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
cp -r "$seeds"/. "$work/corpus/"
exec "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=25 -rss_limit_mb=2048 \
    -artifact_prefix="$work/findings/" -print_final_stats=1 "$work/corpus"
