#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it: scripts/run.sh [matrix.vrn]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DVRN_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build" --target vrn
exec "$root/build/app/vrn" "$@"
