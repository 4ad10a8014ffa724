#!/usr/bin/env bash
# The benchmark suite of this tree on the core of an earlier commit (default: main), for the
# golden results of new cases and for before/after timings on the same machine:
#   bench/baseline.sh [REF] -- ARGUMENTS FOR bubblix_bench
#   bench/baseline.sh main -- --record-golden --golden=/tmp/golden-main.txt
# The tree is copied to a temporary folder; every file of src/core that differs between REF
# and HEAD is taken back to REF's version (or removed when REF has none); bench cases whose
# core routines REF lacks are left out. Needs a committed HEAD.
set -euo pipefail
ref=${1:-main}
shift || true
[[ ${1:-} == -- ]] && shift
root=$(cd "$(dirname "$0")/.." && pwd)
work=${BUBBLIX_BASELINE_DIR:-/tmp/bubblix-baseline}
mkdir -p "$work"
rm -rf "$work/src" "$work/bench" "$work/examples"
tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$work" -xf -
for f in $(git -C "$root" diff --name-only "$ref" HEAD -- src/core); do
  if git -C "$root" cat-file -e "$ref:$f" 2>/dev/null; then
    git -C "$root" show "$ref:$f" >"$work/$f"
  else
    rm -f "$work/$f"
  fi
done
if [[ ! -f $work/src/core/models/batch_solve.h ]]; then
  printf '#include "bench_cases.h"\nnamespace bubblix::bench {\nvoid AddBatchCases() {}\n}\n' \
    >"$work/bench/batch_cases.cpp"
fi
cmake -S "$work" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUBBLIX_GUI=OFF \
  -DBUBBLIX_TESTS=OFF -DBUBBLIX_BENCH=ON >/dev/null
cmake --build "$work/build" -j2 --target bubblix_bench >/dev/null
exec "$work/build/bench/bubblix_bench" "$@"
