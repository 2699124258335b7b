#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, then does the same
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
SECONDS=0
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"

vrn_configure_build_tree "$root"
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure

cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVRN_SANITIZE=ON \
      -DVRN_BUILD_GUI=ON -DVRN_BUILD_BENCHMARKS=OFF -DVRN_FUZZ=OFF
cmake --build "$root/build-asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure
echo "All tests passed in ${SECONDS}s."
