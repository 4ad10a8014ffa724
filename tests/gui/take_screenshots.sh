#!/usr/bin/env bash
# Takes the documentation's pictures of the desktop program's windows under a virtual X
# display: docs/<window>.png (English) and docs/ru/<window>.png (Russian), with the main
# window after a whole session and the phase diagrams of its parameter set.
# Usage: tests/gui/take_screenshots.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake --build "$build" --target bubblix_screenshots
tool=$(find "$build" -name bubblix_screenshots -type f -perm -u+x | head -n 1)
mkdir -p docs docs/ru
# The about box reads ReadmeEn.txt / ReadmeRu.txt from the current directory.
cd src/gui/resources
xvfb-run -a -s "-screen 0 1280x1024x24" "$OLDPWD/$tool" "$OLDPWD/docs" en
xvfb-run -a -s "-screen 0 1280x1024x24" "$OLDPWD/$tool" "$OLDPWD/docs/ru" ru
