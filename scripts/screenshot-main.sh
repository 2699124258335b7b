#!/usr/bin/env bash
# Runs vrn under Xvfb with a fresh settings store and saves pictures of its main window:
#   scripts/screenshot-main.sh [picture.png]
# The picture (default build/screenshots/main.png) shows the menus, the toolbar and the empty
# matrix window; a second one beside it ("-view-menu.png") shows the View menu open.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots/main.png}")
mkdir -p "$(dirname "$out")"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" --target vrn >/dev/null

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# A main window of 1000 by 700 pixels at 96 dots per inch, away from the screen's corner.
cat >"$config/Vrn.conf" <<'INI'
[VRNSettings]
MainLeft=1500
MainTop=1500
MainWidth=15000
MainHeight=10500
INI

XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$config" QT_QPA_PLATFORM=xcb \
  VRN_SKIP_SPLASH_WAIT=1 VRN_ACCEPT_NOTICE=1 VRN_SCREENSHOT="$out" \
  timeout 60 xvfb-run -a -s "-screen 0 1280x900x24 -dpi 96" "$root/build/app/vrn"
