#!/usr/bin/env bash
# Installs what the build, the run, the tests (the fuzzer's too) and the benchmarks need on a
# Debian 12 machine (as root). Regenerating the assets (tools/make_*.py) also needs python3-pil
# and libjpeg-turbo-progs.
# Safe to run again: it does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build dpkg-dev nasm g++
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  googletest
  clang-14 libclang-rt-14-dev
  wine wine64 xvfb imagemagick
  fonts-arphic-gbsn00lp python3-fonttools
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# apt-get source needs deb-src entries; derive them from the machine's own sources instead of
# naming any package host here.
enable_deb_src() {
  local changed=0 f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    if grep -qE '^Types:' "$f" && ! grep -qE '^Types:.*deb-src' "$f"; then
      sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$f"
      changed=1
    fi
  done
  if [ -f /etc/apt/sources.list ] && grep -qE '^deb[[:space:]]' /etc/apt/sources.list &&
    ! grep -qE '^deb-src[[:space:]]' /etc/apt/sources.list; then
    sed -n -E 's/^deb([[:space:]])/deb-src\1/p' /etc/apt/sources.list >>/etc/apt/sources.list
    changed=1
  fi
  return $((1 - changed))
}

need_update=0
enable_deb_src && need_update=1
[ ${#missing[@]} -gt 0 ] && need_update=1
if [ "$need_update" = 1 ]; then
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
