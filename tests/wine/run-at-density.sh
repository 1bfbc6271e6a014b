#!/usr/bin/env bash
# Runs a Windows test program under Wine on the OmbreloTest virtual desktop with the screen set to
# another density, in a copy of the Wine prefix of its own, on a private Xvfb.
#   run-at-density.sh PIXELS_PER_INCH DESKTOP_RUNNER.exe PROGRAM.exe [ARGUMENTS…]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/prefix-copy.sh"
pixels_per_inch=$1
runner=$2
program=$3
shift 3
use_prefix_copy "${pixels_per_inch}dpi"
# Read when the wineserver starts: set it while none runs for this prefix.
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$pixels_per_inch" /f \
  >/dev/null 2>&1
"$WINESERVER" -w
run_on_private_display 1024x768x24 "$runner" OmbreloTest "$(winepath -w "$program")" "$@"
