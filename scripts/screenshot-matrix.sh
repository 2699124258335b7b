#!/usr/bin/env bash
# Opens a matrix file in vrn under Xvfb, as a user would start it, and saves a picture of the
# main window with the matrix maximised in it:
#   scripts/screenshot-matrix.sh [matrix.vrn] [picture.png]
# The default file (scripts/data/sample.vrn) shows practice cells, the roofs of interactions
# within each state, the cross interactions and both legends. The run also prints what the
# window's canvas draws beside what the document placed, and fails when the two differ.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
matrix=$(realpath "${1:-$root/scripts/data/sample.vrn}")
out=$(realpath -m "${2:-$root/build/screenshots/matrix.png}")
mkdir -p "$(dirname "$out")"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" --target vrn >/dev/null

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# A main window of 1240 by 1150 pixels at 96 dots per inch.
cat >"$config/Vrn.conf" <<'INI'
[VRNSettings]
MainLeft=300
MainTop=300
MainWidth=18600
MainHeight=17250
INI

report=$(XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$config" QT_QPA_PLATFORM=xcb \
  VRN_SKIP_SPLASH_WAIT=1 VRN_ACCEPT_NOTICE=1 VRN_SCREENSHOT="$out" \
  timeout 60 xvfb-run -a -s "-screen 0 1280x1200x24 -dpi 96" "$root/build/app/vrn" "$matrix")
echo "$report"
grep -q "^saved $out " <<<"$report"
grep "^matrix window " <<<"$report" | grep -qv ": differ$" || { echo "no matrix window" >&2; exit 1; }
! grep -q ": differ$" <<<"$report"
