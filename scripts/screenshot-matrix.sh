#!/usr/bin/env bash
# Opens a matrix file in vrn under Xvfb, as a user would start it, and saves a picture of the
# main window with the matrix window in it:
#   scripts/screenshot-matrix.sh [matrix.vrn] [picture.png]
# The default file (scripts/data/sample.vrn) shows practice cells, the roofs of interactions
# within each state, the cross interactions and both legends. The run also prints what the
# window's canvas draws beside what the document placed, and fails when the two differ.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/screenshot.sh"
matrix=$(realpath "${1:-$root/scripts/data/sample.vrn}")
out=$(realpath -m "${2:-$root/build/screenshots/matrix.png}")
# A main window of 1240 by 1150 pixels.
report=$(vrn_screenshot "$out" 300 300 18600 17250 1280x1200 "$matrix")
echo "$report"
grep -q "^saved $out " <<<"$report"
grep -q "^matrix window .*: same$" <<<"$report" || { echo "no matrix window drawn" >&2; exit 1; }
! grep -q ": differ$" <<<"$report"
