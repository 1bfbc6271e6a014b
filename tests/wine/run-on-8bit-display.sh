#!/usr/bin/env bash
# Runs a Windows test program under Wine on a private Xvfb of 8 bits per pixel, in a copy of the
# Wine prefix of its own.
#   run-on-8bit-display.sh PROGRAM.exe [ARGUMENTS…]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/prefix-copy.sh"
use_prefix_copy 8bit
run_on_private_display 1024x768x8 "$@"
