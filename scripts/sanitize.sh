#!/usr/bin/env bash
# Builds Bubblix with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test in
# that build. Any report (an invalid access, a leak, undefined behaviour) fails the test that
# caused it, and so the run.
#
#   scripts/sanitize.sh            build into build-asan and run the tests
#   BUBBLIX_ASAN_DIR=dir           build elsewhere
#   BUBBLIX_ASAN_GUI=OFF           leave the desktop program and its tests out
#   BUBBLIX_JOBS=n                 parallel compile and test jobs (default: the processor count)
#
# The benchmarks are not built: they measure speed, which a sanitized build does not show.
# -Og with line tables only: a quarter of the compile time of -O2 -g (half of -O1), and stack
# traces that still name every function, file and line; assertions stay on.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUBBLIX_ASAN_DIR:-build-asan}
gui=${BUBBLIX_ASAN_GUI:-ON}
jobs=${BUBBLIX_JOBS:-$(nproc)}

# The options hold for the test discovery at build time as well as for the runs.
# shellcheck source=scripts/sanitizer-env.sh
source "$root/scripts/sanitizer-env.sh"

cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-Og -g1" \
  -DBUBBLIX_SANITIZE=ON \
  -DBUBBLIX_GUI="$gui" \
  -DBUBBLIX_BENCH=OFF \
  -DBUBBLIX_TESTS=ON
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
