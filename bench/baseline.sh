#!/usr/bin/env bash
# The benchmark suite of commit TREE built on the core files of commit CORE: the optimised
# files (below) are taken back to CORE's version, everything else stays as in TREE. For the
# golden results of new cases and for before/after timings on the same machine:
#   bench/baseline.sh TREE CORE [-- ARGUMENTS FOR bubblix_bench]
#   bench/baseline.sh 740a28b c103cc0 -- --check-only
#   bench/baseline.sh 740a28b c103cc0 -- --benchmark_filter=bubble
# (740a28b: the suite with the sessions, before the Jacobian and batch commits; c103cc0: the
# core before any optimisation.) The build goes to $BUBBLIX_BASELINE_DIR (/tmp/bubblix-baseline).
# The files are those of the layered tree; TREE and CORE must both lie before the split of the
# core into layers (commit "Layers: one library per layer ...") or both after it, since the
# solvers' code moved between files there.
set -euo pipefail
tree=$1
core=$2
shift 2
[[ ${1:-} == -- ]] && shift
root=$(cd "$(dirname "$0")/.." && pwd)
work=${BUBBLIX_BASELINE_DIR:-/tmp/bubblix-baseline}
optimised="src/core/data/properties.cpp src/core/models/wilson.h src/core/models/wilson.cpp
  src/core/models/nrtl.h src/core/models/nrtl.cpp src/core/models/uniquac.h
  src/core/models/uniquac.cpp src/core/models/unifac.h src/core/models/unifac.cpp
  src/core/models/solvers.h src/core/models/solvers.cpp src/core/models/equilibrium_iterations.h
  src/core/models/model_evaluation.h src/core/models/model_evaluation.cpp
  src/core/models/model_evaluator.h src/core/models/model_evaluator.cpp
  src/core/numerics/secant.h src/core/numerics/newton.h src/core/numerics/matrix_inversion.h
  src/core/numerics/matrix_inversion.cpp"
rm -rf "$work"  # a fresh build: the archive keeps the commit times of the files
mkdir -p "$work"
git -C "$root" archive "$tree" | tar -C "$work" -xf -
for f in $optimised; do
  if git -C "$root" cat-file -e "$core:$f" 2>/dev/null; then
    git -C "$root" show "$core:$f" >"$work/$f"
  else
    rm -f "$work/$f"
  fi
done
cmake -S "$work" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUBBLIX_GUI=OFF \
  -DBUBBLIX_TESTS=OFF -DBUBBLIX_BENCH=ON >/dev/null
cmake --build "$work/build" -j2 --target bubblix_bench >/dev/null
exec "$work/build/bench/bubblix_bench" "$@"
