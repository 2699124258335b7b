#!/usr/bin/env bash
# Draws the sample matrix (scripts/data/sample.vrn) as the program's drawing does, renders the
# SVG with rsvg-convert and saves the picture for a person to look at, with the exported web
# page beside it:
#   scripts/drawing-sample.sh [picture.png]
# Default: build/screenshots/drawing.png (and drawing.html).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots/drawing.png}")
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"
vrn_configure_build_tree "$root" >/dev/null
cmake --build "$root/build" --target drawing_tests >/dev/null
VRN_DRAWING_PNG="$out" "$root/build/tests/platform/drawing_tests" \
  --gtest_filter='SampleDrawingTest.*' --gtest_brief=1
[ -s "$out" ] || { echo "no picture was saved" >&2; exit 1; }
echo "saved $out"
