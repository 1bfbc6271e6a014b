#!/usr/bin/env bash
# Runs a Windows test program under Wine on a private Xvfb of 8 bits per pixel, in a copy of the
# Wine prefix of its own (one wineserver cannot serve one desktop on two displays).
#   run-on-8bit-display.sh PROGRAM.exe [ARGUMENTS…]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source_prefix="$root/build/wine"
export WINEPREFIX="$root/build/wine-8bit"
. "$root/tools/wine-env.sh"
. "$root/tools/xvfb.sh"
program=$1
shift

if ! cmp -s "$source_prefix/.ombrelo-prefix" "$WINEPREFIX/.ombrelo-prefix"; then
  rm -rf "$WINEPREFIX"
  cp -a "$source_prefix" "$WINEPREFIX"
fi
start_private_xvfb 1024x768x8
trap '"$WINESERVER" -k 2>/dev/null || true; kill "$OMBRELO_XVFB_PID" 2>/dev/null || true' EXIT
# Wine's own services start with the first process and keep its output open: start them apart.
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1
status=0
"$WINE" "$(winepath -w "$program")" "$@" || status=$?
exit $status
