#!/usr/bin/env bash
# The demonstration: one calculation session driven by examples/nrtl-binary.txt - NRTL fitted
# to the experimental data of comp.1 - comp.2, the adequacy table with its error summary and
# two boiling points at 760 mm Hg - and its report on standard output.
#
#   scripts/demo.sh [path/to/bubblix-cli]     (default: build/src/cli/bubblix-cli)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$root/build/src/cli/bubblix-cli}"
exec "$cli" session --answers "$root/examples/nrtl-binary.txt"
