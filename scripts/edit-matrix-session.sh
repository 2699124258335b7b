#!/usr/bin/env bash
# A user's editing session under Xvfb, on a copy of a matrix file:
#   scripts/edit-matrix-session.sh [matrix.vrn] [picture.png]
# The first start opens the copy, adds a practice, sets two interactions, renames a group with a
# double press, adds an alternative, types a description and authors and saves each with Ctrl+S
# while the cursor is still in its box, with presses on the matrix, its popup menus, the keys and
# the real dialogs. A second start opens the saved copy and checks that every change is there;
# a third, the program itself, saves a picture of the edited matrix. Fails when a step fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/screenshot.sh"
matrix=$(realpath "${1:-$root/scripts/data/sample.vrn}")
out=$(realpath -m "${2:-$root/build/screenshots/edited-matrix.png}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy="$work/$(basename "$matrix")"
cp "$matrix" "$copy"

"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"
vrn_configure_build_tree "$root" >/dev/null
cmake --build "$root/build" --target vrn vrn_edit_session >/dev/null

session() {
  XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb \
    timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    "$root/build/tests/app/shell/vrn_edit_session" "$@"
}
mkdir -p "$work/config"
echo "== first start: editing $copy"
session edit "$copy"
echo "== second start: what the saved file holds"
session show "$copy"
echo "== the edited matrix"
vrn_screenshot "$out" 300 300 18600 15000 1280x1024 "$copy"
