# Sourced by the scripts that picture the program's windows with a shots program of the tests.
# vrn_run_shots TARGET PROGRAM COUNT SCREEN [arguments...]
# Builds TARGET in build/ and runs build/PROGRAM with the arguments under Xvfb (a SCREEN of WxH
# pixels at 96 dots per inch) with a settings store of its own; prints what it saved and fails
# unless it saved COUNT pictures.
vrn_run_shots() {
  local target=$1 program=$2 expected=$3 screen=$4
  shift 4
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  "$root/scripts/setup.sh"
  source "$root/scripts/lib/build_tree.sh"
  vrn_configure_build_tree "$root" >/dev/null
  cmake --build "$root/build" --target "$target" >/dev/null

  local runtime saved count
  runtime=$(mktemp -d)
  saved=$(XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime" QT_QPA_PLATFORM=xcb \
    timeout 120 xvfb-run -a -s "-screen 0 ${screen}x24 -dpi 96" "$root/build/$program" "$@") ||
    true
  rm -rf "$runtime"
  echo "$saved"
  count=$(grep -c '^saved ' <<<"$saved" || true)
  if [[ $count -ne $expected ]]; then
    echo "expected $expected pictures, saved $count" >&2
    return 1
  fi
}
