#!/usr/bin/env bash
# Opens each detail dialog (interaction, practice, practice options, option, guided questions)
# on a matrix file under Xvfb and saves a picture of each:
#   scripts/screenshot-dialogs.sh [matrix.vrn] [folder]
# The defaults are scripts/data/sample.vrn and build/screenshots/dialogs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
matrix=$(realpath "${1:-$root/scripts/data/sample.vrn}")
out=$(realpath -m "${2:-$root/build/screenshots/dialogs}")
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"
vrn_configure_build_tree "$root" >/dev/null
cmake --build "$root/build" --target detail_dialogs_shots >/dev/null

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
saved=$(XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime" QT_QPA_PLATFORM=xcb \
  timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$root/build/tests/app/detail_dialogs_shots" "$matrix" "$out")
echo "$saved"
count=$(grep -c '^saved ' <<<"$saved" || true)
if [[ $count -ne 5 ]]; then
  echo "expected 5 pictures, saved $count" >&2
  exit 1
fi
