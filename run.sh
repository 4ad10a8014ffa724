#!/usr/bin/env bash
# Installs what is needed, builds Bubblix and runs it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target bubblix-cli
exec build/src/cli/bubblix-cli "$@"
