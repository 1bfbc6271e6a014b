#!/usr/bin/env bash
# Runs the JPEG decoder's fuzzer from its seeds for at most SECONDS and RUNS inputs (RUNS -1: no
# limit). New inputs go to CORPUS, kept for the next run, or without one to a temporary folder.
# An input that fails is saved next to the fuzzer (crash-*, leak-*, timeout-*, oom-*,
# malloc-limit-*) and ends the run with a failure.
#   run-fuzzer.sh FUZZER SEEDS SECONDS RUNS [CORPUS]
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3 runs=$4 corpus=${5:-}
if [ -z "$corpus" ]; then
  corpus=$(mktemp -d)
  trap 'rm -rf "$corpus"' EXIT
fi
mkdir -p "$corpus"
# The fuzzer decodes pictures of a quarter of a megapixel at most (see the target), each in well
# under a second: 10 s is a hang. They need a few MiB at a time, so an allocation of 64 MiB means
# that a header over the decoder's size bound got through.
"$fuzzer" -max_total_time="$seconds" -runs="$runs" -timeout=10 -malloc_limit_mb=64 \
  -dict="$(dirname "$0")/jpeg.dict" -artifact_prefix="$(dirname "$fuzzer")/" \
  -print_final_stats=1 "$corpus" "$seeds"
