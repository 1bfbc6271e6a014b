# shellcheck shell=bash
# Source this (bash) to run a Windows program in a copy of the tests' Wine prefix, on a private
# Xvfb of its own (one wineserver cannot serve one desktop on two displays):
#   use_prefix_copy NAME              WINEPREFIX becomes build/wine-NAME, copied from build/wine
#                                     again whenever that one has been set up anew
#   run_on_private_display GEOMETRY PROGRAM.exe [ARGUMENTS…]
#                                     runs the program there and returns its exit code

use_prefix_copy() {
  local root source_prefix
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  source_prefix="$root/build/wine"
  export WINEPREFIX="$root/build/wine-$1"
  . "$root/tools/wine-env.sh"
  if ! cmp -s "$source_prefix/.ombrelo-prefix" "$WINEPREFIX/.ombrelo-prefix"; then
    rm -rf "$WINEPREFIX"
    cp -a "$source_prefix" "$WINEPREFIX"
  fi
}

run_on_private_display() {
  local geometry=$1 program=$2
  shift 2
  . "$OMBRELO_ROOT/tools/xvfb.sh"
  start_private_xvfb "$geometry"
  trap '"$WINESERVER" -k 2>/dev/null || true; kill "$OMBRELO_XVFB_PID" 2>/dev/null || true' EXIT
  # Wine's own services start with the first process and keep its output open: start them apart.
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
  local status=0
  "$WINE" "$(winepath -w "$program")" "$@" || status=$?
  return $status
}
