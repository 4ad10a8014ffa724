#!/usr/bin/env bash
# Installs what is needed, builds Bubblix and runs it.
#   ./run.sh               the desktop program; without a display, the command-line
#                          demonstration session instead (scripts/demo.sh)
#   ./run.sh ARGS...       bubblix-cli with those arguments, for example
#                          ./run.sh fit --model nrtl --components 1,2 --json
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# Build messages go to standard error: standard output carries only the program's output.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2

if [ $# -gt 0 ]; then
  cmake --build build --target bubblix-cli >&2
  exec build/src/cli/bubblix-cli "$@"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cmake --build build --target bubblix >&2
  # The Run button's glyphs and the about box's texts are read from the current directory.
  cd build/src/gui
  exec ./bubblix
fi

cat >&2 <<'MSG'
No display was found, so the desktop program cannot open its window.
To run it without a screen of your own, use a virtual one:
    xvfb-run -a ./run.sh
Running the command-line demonstration session instead:

MSG
cmake --build build --target bubblix-cli >&2
exec scripts/demo.sh build/src/cli/bubblix-cli
