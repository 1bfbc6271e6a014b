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
# The stand-in URL opener (tools/browser/xdg-open) sees the UNIX environment Wine was started
# with, not a test's Windows one: name its log here, once for all tests.
export OMBRELO_BROWSER_LOG="${OMBRELO_BROWSER_LOG:-$OMBRELO_ROOT/build/browser-launches.log}"
exec "$WINE" "$runner" "${OMBRELO_DESKTOP:-OmbreloTest}" "$(winepath -w "$program")" "$@"
