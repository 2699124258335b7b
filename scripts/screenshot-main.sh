#!/usr/bin/env bash
# Runs vrn under Xvfb with a fresh settings store and saves pictures of its main window:
#   scripts/screenshot-main.sh [picture.png]
# The picture (default build/screenshots/main.png) shows the menus, the toolbar and the empty
# matrix window; a second one beside it ("-view-menu.png") shows the View menu open.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/screenshot.sh"
# A main window of 1000 by 700 pixels, away from the screen's corner.
vrn_screenshot "$(realpath -m "${1:-$root/build/screenshots/main.png}")" \
  1500 1500 15000 10500 1280x900
