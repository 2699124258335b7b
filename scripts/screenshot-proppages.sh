#!/usr/bin/env bash
# Runs stv20pp_demo under Xvfb and saves a picture of the demo with each property page shown:
#   scripts/screenshot-proppages.sh [folder]
# The pictures (default build/screenshots/proppages/) are named by their tabs, "01-Button
# General.png" to "10-Balloon Text.png".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots/proppages}")
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"
vrn_configure_build_tree "$root" >/dev/null
cmake --build "$root/build" --target stv20pp_demo >/dev/null

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
saved=$(XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb STV20PP_SCREENSHOTS="$out" \
  timeout 60 xvfb-run -a -s "-screen 0 1400x900x24 -dpi 96" "$root/build/proppages/stv20pp_demo")
echo "$saved"
count=$(grep -c '^saved ' <<<"$saved" || true)
if [[ $count -ne 10 ]]; then
  echo "expected 10 pictures, saved $count" >&2
  exit 1
fi
