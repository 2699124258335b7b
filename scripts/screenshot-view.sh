#!/usr/bin/env bash
# What a user sees in the matrix window and its dialogs, on a matrix file under Xvfb:
#   scripts/screenshot-view.sh [matrix.vrn] [folder]
# Saves the matrix as opened, after Scale Down ten times, after Scale Up ten times and four
# steps larger; the Options dialog's Formating and Colors tabs; the guided option questions on a
# question and on a practice without options; and the practice options editor. The defaults are
# scripts/data/sample.vrn and build/screenshots/view/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
matrix=$(realpath "${1:-$root/scripts/data/sample.vrn}")
out=$(realpath -m "${2:-$root/build/screenshots/view}")
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"
vrn_configure_build_tree "$root" >/dev/null
cmake --build "$root/build" --target vrn_view_shots >/dev/null

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
saved=$(XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime" QT_QPA_PLATFORM=xcb \
  timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$root/build/tests/app/shell/vrn_view_shots" "$matrix" "$out")
echo "$saved"
count=$(grep -c '^saved ' <<<"$saved" || true)
if [[ $count -ne 9 ]]; then
  echo "expected 9 pictures, saved $count" >&2
  exit 1
fi
