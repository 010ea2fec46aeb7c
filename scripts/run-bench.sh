#!/usr/bin/env bash
# Runs every benchmark of a benchmark build and prints medians; copy the figures that matter
# into bench/RESULTS.md with the date and the machine.
set -euo pipefail
build="${1:-build-bench}"
for bench in "$build"/*_bench; do
  echo "== $(basename "$bench")"
  "$bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true
done
