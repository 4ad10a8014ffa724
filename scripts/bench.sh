#!/usr/bin/env bash
# Builds the benchmark suite in a Release build (build-bench/) and runs it: the golden check
# of every case first, then the timings and the table of medians next to the targets.
# Arguments go to bubblix_bench, e.g.
#   scripts/bench.sh --benchmark_filter=gamma     only the activity-coefficient cases
#   scripts/bench.sh --check-only                 the golden check alone
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUBBLIX_GUI=OFF \
  -DBUBBLIX_TESTS=OFF -DBUBBLIX_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target bubblix_bench
exec build-bench/bench/bubblix_bench "$@"
