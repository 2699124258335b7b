#!/usr/bin/env bash
# Draws the sample matrix (scripts/data/sample.vrn) and a matrix of long names
# (scripts/data/long_names.vrn) with the program's Generate Drawing command, renders each SVG with
# rsvg-convert and saves the pictures for a person to look at, with the exported web pages beside
# them:
#   scripts/drawing-sample.sh [picture.png]
# Default: build/screenshots/drawing.png (and drawing.html, drawing-long-names.png and .html).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots/drawing.png}")
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"
vrn_configure_build_tree "$root" >/dev/null
cmake --build "$root/build" --target shell_tests >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
VRN_DRAWING_DIR="$work" QT_QPA_PLATFORM=offscreen "$root/build/tests/app/shell/shell_tests" \
  --gtest_filter='DrawingCommandsTest.EveryTextOfTheDrawingLiesInsideItsShape' --gtest_brief=1
mkdir -p "$(dirname "$out")"
for drawing in sample long_names; do
  [ -s "$work/$drawing.svg" ] || { echo "no drawing of $drawing was saved" >&2; exit 1; }
done
picture_of() {  # <drawing> <picture>
  rsvg-convert --format=png --background-color=white --output "$2" "$work/$1.svg"
  cp "$work/$1.html" "${2%.png}.html"
  echo "saved $2"
}
picture_of sample "$out"
picture_of long_names "${out%.png}-long-names.png"
