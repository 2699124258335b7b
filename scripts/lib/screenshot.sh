# Sourced by the screenshot scripts.
# vrn_screenshot PICTURE LEFT TOP WIDTH HEIGHT SCREEN [vrn arguments...]
# Builds vrn and runs it under Xvfb (a SCREEN of WxH pixels at 96 dots per inch) with a fresh
# settings store that places the main window at LEFT, TOP, WIDTH, HEIGHT twips; vrn saves
# PICTURE once its main window shows and prints what it saved.
vrn_screenshot() {
  local out=$1 left=$2 top=$3 width=$4 height=$5 screen=$6
  shift 6
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  mkdir -p "$(dirname "$out")"
  "$root/scripts/setup.sh"
  source "$root/scripts/lib/build_tree.sh"
  vrn_configure_build_tree "$root" >/dev/null
  cmake --build "$root/build" --target vrn >/dev/null

  local config
  config=$(mktemp -d)
  cat >"$config/Vrn.conf" <<INI
[VRNSettings]
MainLeft=$left
MainTop=$top
MainWidth=$width
MainHeight=$height
INI
  local status=0
  XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$config" QT_QPA_PLATFORM=xcb \
    VRN_SKIP_SPLASH_WAIT=1 VRN_ACCEPT_NOTICE=1 VRN_SCREENSHOT="$out" \
    timeout 60 xvfb-run -a -s "-screen 0 ${screen}x24 -dpi 96" "$root/build/app/vrn" "$@" ||
    status=$?
  rm -rf "$config"
  if [ "$status" -eq 124 ]; then
    echo "vrn did not save its picture and end within 60 s" >&2
  fi
  return $status
}
