#!/usr/bin/env bash
# The demonstration's report printed to PDF without a printer and without a window:
# docs/demo-report.pdf (A4 portrait, the report's font, as the Print action prints it) and its
# first page as docs/demo-report-page1.png.
#
#   scripts/demo-report-pdf.sh [build folder]     (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target bubblix bubblix-cli >&2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/src/cli/bubblix-cli" session --answers "$root/examples/nrtl-binary.txt" \
  --report demo-report.txt >/dev/null
"$build/src/gui/bubblix" --print-pdf demo-report.txt "$root/docs/demo-report.pdf"
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$root/docs/demo-report.pdf" "$root/docs/demo-report-page1"
echo "docs/demo-report.pdf ($(pdfinfo "$root/docs/demo-report.pdf" | awk '/^Pages:/ {print $2}') pages), docs/demo-report-page1.png"
