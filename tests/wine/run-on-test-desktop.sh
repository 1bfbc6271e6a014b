#!/usr/bin/env bash
# CTest's emulator for the Windows tests: runs a Windows program under Wine on a virtual desktop
# (OmbreloTest, 1024x768, unless OMBRELO_DESKTOP names another one listed in the Wine prefix) and
# ends with its exit code.
#   run-on-test-desktop.sh DESKTOP_RUNNER.exe PROGRAM.exe [ARGUMENTS…]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"
runner=$1
program=$2
shift 2
exec "$WINE" "$runner" "${OMBRELO_DESKTOP:-OmbreloTest}" "$(winepath -w "$program")" "$@"
