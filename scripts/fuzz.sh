#!/usr/bin/env bash
# Runs one fuzz harness with libFuzzer for a given time.
#
#   scripts/fuzz.sh HARNESS SECONDS [libFuzzer options...]
#   scripts/fuzz.sh merge HARNESS     minimise what the runs found into the seed corpus
#   scripts/fuzz.sh list              the harnesses
#
# The harnesses (tests/fuzz/*_fuzz.cpp) are built with clang into build-fuzz, with
# AddressSanitizer and UndefinedBehaviorSanitizer. A run starts from the seed corpus
# tests/fuzz/corpus/HARNESS and keeps what it finds in build-fuzz/corpus/HARNESS; a crash, a
# sanitizer report, a hang (10 s for one input) or a broken property stops it and leaves the
# input in build-fuzz/artifacts/HARNESS/. The log is build-fuzz/logs/HARNESS.log; its last
# lines give the executions (stat::number_of_executed_units) and the coverage (cov, ft).
# Other work on the machine goes first when it runs as `nice -n 19 scripts/fuzz.sh ...`.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUBBLIX_FUZZ_DIR:-build-fuzz}
harnesses=$(cd tests/fuzz && ls ./*_fuzz.cpp | sed 's|^\./||; s|_fuzz\.cpp$||')

usage() {
  sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

configure_and_build() {
  if ! command -v "${CXX:-clang++}" >/dev/null; then
    echo "${CXX:-clang++} is missing: scripts/install-deps.sh installs clang and libFuzzer" >&2
    exit 2
  fi
  CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DBUBBLIX_FUZZ=ON -DBUBBLIX_TESTS=OFF -DBUBBLIX_GUI=OFF -DBUBBLIX_BENCH=OFF >/dev/null
  cmake --build "$build" --target "fuzz_$1" -j "${BUBBLIX_JOBS:-$(nproc)}"
}

check_harness() {
  if ! grep -qx "$1" <<<"$harnesses"; then
    echo "unknown harness '$1'; the harnesses are:" $harnesses >&2
    exit 2
  fi
}

# Options of each harness: the longest input worth trying and a dictionary when there is one.
harness_options() {
  local options=(-timeout=10 -rss_limit_mb=4096 -print_final_stats=1)
  case "$1" in
    parameter_file) options+=(-max_len=16384) ;;
    report_text) options+=(-max_len=8192) ;;
    *) options+=(-max_len=4096) ;;
  esac
  if [ -f "tests/fuzz/$1.dict" ]; then options+=("-dict=tests/fuzz/$1.dict"); fi
  printf '%s\n' "${options[@]}"
}

case "${1:-}" in
  list)
    echo "$harnesses"
    ;;
  merge)
    [ $# -eq 2 ] || usage
    check_harness "$2"
    configure_and_build "$2"
    mkdir -p "$build/corpus/$2"
    "$build/tests/fuzz/fuzz_$2" -merge=1 $(harness_options "$2") \
      "tests/fuzz/corpus/$2" "$build/corpus/$2"
    ;;
  "" | -h | --help)
    usage
    ;;
  *)
    [ $# -ge 2 ] || usage
    harness=$1
    seconds=$2
    shift 2
    check_harness "$harness"
    [[ "$seconds" =~ ^[0-9]+$ ]] || usage
    configure_and_build "$harness"
    mkdir -p "$build/corpus/$harness" "$build/artifacts/$harness" "$build/logs"
    log="$build/logs/$harness.log"
    echo "fuzz_$harness for $seconds s; log in $log"
    set +e
    "$build/tests/fuzz/fuzz_$harness" $(harness_options "$harness") \
      -max_total_time="$seconds" -artifact_prefix="$root/$build/artifacts/$harness/" "$@" \
      "$build/corpus/$harness" "tests/fuzz/corpus/$harness" >"$log" 2>&1
    status=$?
    set -e
    grep -E '^(#[0-9]+[[:space:]]+DONE|Done [0-9]+ runs|stat::number_of_executed_units|stat::peak_rss_mb)' \
      "$log" || true
    if [ $status -ne 0 ]; then
      echo "fuzz_$harness stopped with status $status: see $log and $build/artifacts/$harness/" >&2
      tail -40 "$log" >&2
    fi
    exit $status
    ;;
esac
