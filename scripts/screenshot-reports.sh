#!/usr/bin/env bash
# Runs the program's report and drawing commands on the sample matrix under Xvfb and saves what a
# user would see: the report options dialog (with and without its captured window), the drawing
# window, the printed report's first pages and the captured-picture page:
#   scripts/screenshot-reports.sh [folder]
# Default folder: build/screenshots/reports.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots/reports}")
mkdir -p "$out"
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"
vrn_configure_build_tree "$root" >/dev/null
cmake --build "$root/build" --target shell_tests >/dev/null
VRN_SCREENSHOT_DIR="$out" VRN_KEEP_REPORT_PDF="$out/report.pdf" QT_QPA_PLATFORM=xcb \
  timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$root/build/tests/app/shell/shell_tests" --gtest_brief=1 \
  --gtest_filter='ReportCommandsTest.PrintReport*:ReportCommandsTest.Cancel*:ReportCommandsTest.CaptureForm*:DrawingCommandsTest.Generate*'
pdftoppm -r 60 -png -f 1 -l 3 "$out/report.pdf" "$out/report-page"
ls "$out"
