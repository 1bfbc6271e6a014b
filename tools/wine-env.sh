# shellcheck shell=bash
# Source this (bash) before running anything under Wine:
#   . tools/wine-env.sh
#
# Exports:
#   OMBRELO_ROOT     repo root, derived from where this file lives
#   WINEPREFIX       $OMBRELO_ROOT/build/wine unless the caller already set WINEPREFIX
#                    (a second prefix, e.g. for 8-bit runs, is chosen that way)
#   WINEARCH=win64   the machine runs no 32-bit code, so the prefix is 64-bit only
#   WINEDEBUG=-all   unless the caller set WINEDEBUG; also silences the "wine32 is missing" hint
#   WINE             /usr/bin/wine (runs the 64-bit loader)
#   WINESERVER       the wineserver matching $WINE
#   PATH             tools/browser first, so winebrowser hands URLs to our recording xdg-open
#
# Nothing here starts Wine or touches the prefix; tools/wine-prefix.sh creates it.

OMBRELO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export OMBRELO_ROOT

export WINEPREFIX="${WINEPREFIX:-$OMBRELO_ROOT/build/wine}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"

export WINE="${WINE:-/usr/bin/wine}"
if [ -z "${WINESERVER:-}" ]; then
  if [ -x /usr/lib/wine/wineserver64 ]; then
    WINESERVER=/usr/lib/wine/wineserver64
  else
    WINESERVER="$(command -v wineserver || echo wineserver)"
  fi
fi
export WINESERVER

case ":$PATH:" in
  "$OMBRELO_ROOT/tools/browser:"*) ;;
  *) PATH="$OMBRELO_ROOT/tools/browser:$PATH" ;;
esac
export PATH
