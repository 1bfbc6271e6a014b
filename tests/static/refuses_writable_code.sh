#!/usr/bin/env bash
# check_pe.sh must fail a copy of the program whose code section is writable too.
# Usage: refuses_writable_code.sh OBJDUMP OBJCOPY EXE x86|x64
set -euo pipefail
objdump=$1 objcopy=$2 exe=$3 arch=$4
copy=$(mktemp --suffix=.exe)
trap 'rm -f "$copy"' EXIT
"$objcopy" --set-section-flags .text=alloc,load,contents,code "$exe" "$copy"
if report=$("$(dirname "$0")/check_pe.sh" "$objdump" "$copy" "$arch"); then
  echo "check_pe.sh passed a program with writable code"
  exit 1
fi
echo "$report"
grep -q '^FAIL: section .text is both writable and executable$' <<<"$report"
