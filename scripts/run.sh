#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it: scripts/run.sh [matrix.vrn]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
source "$root/scripts/lib/build_tree.sh"
vrn_configure_build_tree "$root" >/dev/null
cmake --build "$root/build" --target vrn
exec "$root/build/app/vrn" "$@"
