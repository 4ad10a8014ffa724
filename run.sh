#!/usr/bin/env bash
# Installs what is needed, builds Bubblix and runs it: without arguments the demonstration
# session (scripts/demo.sh); with arguments bubblix-cli with those arguments, for example
#   ./run.sh fit --model nrtl --components 1,2 --json
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# Build messages go to standard error: standard output carries only the report.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build --target bubblix-cli >&2
if [ $# -eq 0 ]; then
  exec scripts/demo.sh build/src/cli/bubblix-cli
fi
exec build/src/cli/bubblix-cli "$@"
