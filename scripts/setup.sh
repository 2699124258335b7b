#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Varnel needs.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config lld clang-format
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libzip-dev zipcmp libsqlite3-dev sqlite3
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps poppler-utils fonts-dejavu-core
  libreoffice-writer-nogui python3-docx
  librsvg2-bin libxml2-utils
)

# How long to wait for another package manager (automatic updates at a new machine's first
# boot) to let go of the package locks.
lock_wait_seconds=${VRN_APT_LOCK_WAIT:-900}
lock_retry_seconds=5

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

# apt_get ARGS...: apt-get waits for dpkg's lock itself (DPkg::Lock::Timeout), but not for the
# package lists' or the download folder's lock: while one of those is held, try again.
apt_get() {
  local deadline=$((SECONDS + lock_wait_seconds)) errors status waited=0
  errors=$(mktemp)
  while true; do
    status=0
    "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout="$lock_wait_seconds" "$@" 2>"$errors" ||
      status=$?
    if ((status == 0)) || ! grep -q "Could not get lock" "$errors" ||
      ((SECONDS >= deadline)); then
      break
    fi
    if ((!waited)); then
      echo "setup.sh: another package manager holds a package lock; waiting up to" \
        "${lock_wait_seconds}s" >&2
      waited=1
    fi
    sleep "$lock_retry_seconds"
  done
  cat "$errors" >&2
  rm -f "$errors"
  if ((status != 0)); then
    echo "setup.sh: 'apt-get $*' failed (see above); if another package manager still holds" \
      "its lock after ${lock_wait_seconds}s, wait for it to finish and run setup.sh again." >&2
  fi
  return "$status"
}

apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
