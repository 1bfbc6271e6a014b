#!/usr/bin/env bash
# Builds the Windows programs into dist/x86 and dist/x64; with --tests, also the tests and the
# native (sanitized) build of the window-free code. `fuzz` is the tree of the fuzzer alone (clang,
# sanitizers, libFuzzer), tests or not.
#   tools/build.sh [--tests] [x86|x64|native|fuzz ...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

tests=
targets=()
for arg in "$@"; do
  case $arg in
  --tests) tests=-DBUILD_TESTING=ON ;;
  *) targets+=("$arg") ;;
  esac
done
[ ${#targets[@]} -gt 0 ] || targets=(x86 x64)

configure_and_build() {
  local name=$1
  shift
  local testing=$tests
  # Without --tests a new tree leaves the tests out; an existing one keeps what it has.
  [ -n "$testing" ] || [ -f "$root/build/$name/CMakeCache.txt" ] || testing=-DBUILD_TESTING=OFF
  cmake -S "$root" -B "$root/build/$name" -G Ninja $testing "$@" >/dev/null
  ninja -C "$root/build/$name" --quiet
}

for target in "${targets[@]}"; do
  case $target in
  x86) configure_and_build x86 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" ;;
  x64) configure_and_build x64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" ;;
  native) configure_and_build native -DOMBRELO_SANITIZE=ON ;;
  fuzz)
    configure_and_build fuzz -DBUILD_TESTING=ON -DOMBRELO_FUZZ=ON -DOMBRELO_SANITIZE=ON \
      -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
    ;;
  *)
    echo "unknown build: $target" >&2
    exit 2
    ;;
  esac
done
