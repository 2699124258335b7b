#!/usr/bin/env bash
# Opens each detail dialog (interaction, practice, practice options, option, guided questions,
# state description) on a matrix file under Xvfb, and an input box and a message that quote a
# practice's name, and saves a picture of each:
#   scripts/screenshot-dialogs.sh [matrix.vrn] [folder]
# The defaults are scripts/data/sample.vrn and build/screenshots/dialogs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/shots.sh"
matrix=$(realpath "${1:-$root/scripts/data/sample.vrn}")
out=$(realpath -m "${2:-$root/build/screenshots/dialogs}")
vrn_run_shots detail_dialogs_shots tests/app/detail_dialogs_shots 8 1280x1024 "$matrix" "$out"
