#!/usr/bin/env bash
# What a user sees in the matrix window and its dialogs, on a matrix file under Xvfb:
#   scripts/screenshot-view.sh [matrix.vrn] [folder]
# Saves the matrix as opened, after Scale Down ten times, after Scale Up ten times and four
# steps larger; the Options dialog's Formating and Colors tabs; the guided option questions on a
# question and on a practice without options; and the practice options editor. The defaults are
# scripts/data/sample.vrn and build/screenshots/view/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/shots.sh"
matrix=$(realpath "${1:-$root/scripts/data/sample.vrn}")
out=$(realpath -m "${2:-$root/build/screenshots/view}")
vrn_run_shots vrn_view_shots tests/app/shell/vrn_view_shots 9 1280x1024 "$matrix" "$out"
