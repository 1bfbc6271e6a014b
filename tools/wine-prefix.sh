#!/usr/bin/env bash
# Makes the Wine prefix Ombrelo runs and is tested in (see tools/wine-env.sh for where it lives).
# Safe to run again: once the prefix is complete a stamp file short-cuts everything.
#   tools/wine-prefix.sh            make/complete $WINEPREFIX
#   tools/wine-prefix.sh --force    redo the setup steps on an existing prefix
# Needs no X display. Run it before starting a persistent wineserver (wineserver -p): it
# waits for the server to exit so that the registry is on disk when it returns.
set -euo pipefail

# shellcheck source=tools/wine-env.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# Bump when the setup below changes, so existing prefixes get redone.
setup_version=3
stamp="$WINEPREFIX/.ombrelo-prefix"
font_src=/usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf

force=0
[ "${1:-}" = "--force" ] && force=1

if [ "$force" = 0 ] && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$setup_version" ]; then
  exit 0
fi

# Everything below runs without a display: wineboot and regedit only log that they cannot
# create windows. Unsetting DISPLAY also keeps a caller's desktop free of stray windows.
unset DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  echo "creating Wine prefix in $WINEPREFIX"
  # Without the overrides wineboot offers to install Mono and Gecko and waits for an answer.
  WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot -i
  "$WINESERVER" -w
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

/usr/bin/python3 "$OMBRELO_ROOT/tools/make_font.py" "$font_src" \
  "$WINEPREFIX/drive_c/windows/Fonts/simsun.ttf"

# regedit reads .reg files as UTF-16LE when they start with a BOM; that is the only way
# to get the non-ASCII value name through unmangled.
{
  printf '\xff\xfe'
  sed 's/$/\r/' <<'REG' | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"宋体"="SimSun"

; Virtual desktops the tests start programs in (STARTUPINFO.lpDesktop); a desktop of a name not
; listed here would take whatever size was used last.
[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"OmbreloTest"="1024x768"
"OmbreloSmall"="640x480"
"OmbreloWide"="1600x900"
REG
} >"$tmp/ombrelo.reg"
(cd "$tmp" && "$WINE" regedit /S ombrelo.reg)
"$WINESERVER" -w

echo "$setup_version" >"$stamp"
