#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (formatting and function
# length checks included), then does the same under AddressSanitizer and
# UndefinedBehaviorSanitizer. VRN_JOBS sets how many compilers run at once (default: one per
# core).
set -euo pipefail
SECONDS=0
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${VRN_JOBS:-$(nproc)}
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"

vrn_configure_build_tree "$root"
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure
echo "Release build and tests passed in ${SECONDS}s."

vrn_configure_asan_tree "$root"
cmake --build "$root/build-asan" -j "$jobs" --target vrn_tests
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure
echo "All tests passed in ${SECONDS}s."
