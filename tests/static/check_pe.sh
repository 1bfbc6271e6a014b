#!/usr/bin/env bash
# Static checks of a built program: PE kind, hardening flags, no section both writable and
# executable, imports, no debug data, no timestamp. Usage: check_pe.sh OBJDUMP EXE x86|x64
set -euo pipefail
objdump=$1 exe=$2 arch=$3
headers=$("$objdump" -p "$exe")
sections=$("$objdump" -h "$exe")
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

case $arch in
x86) grep -q 'Magic.*(PE32)' <<<"$headers" || fail "not a PE32 image" ;;
x64) grep -q 'Magic.*(PE32+)' <<<"$headers" || fail "not a PE32+ image" ;;
esac

characteristics=$((16#$(awk '/^DllCharacteristics/ {print $2; exit}' <<<"$headers")))
check_flag() { (((characteristics & $2) != 0)) || fail "$1 is not set"; }
check_flag DYNAMIC_BASE 0x40
check_flag NX_COMPAT 0x100
[ "$arch" = x86 ] || check_flag HIGH_ENTROPY_VA 0x20

# The section table, read from the file itself: objdump shows sections through its own flags.
number() { od -An -t "u$2" -j "$1" -N "$2" --endian=little "$exe" | tr -d ' '; }
pe=$(number 60 4)
section_count=$(number $((pe + 6)) 2)
section_table=$((pe + 24 + $(number $((pe + 20)) 2)))
for ((i = 0; i < section_count; i++)); do
  header=$((section_table + 40 * i))
  section_flags=$(number $((header + 36)) 4)
  # IMAGE_SCN_MEM_EXECUTE and IMAGE_SCN_MEM_WRITE
  if (((section_flags & 0x20000000) && (section_flags & 0x80000000))); then
    name=$(head -c $((header + 8)) "$exe" | tail -c 8 | tr -d '\0')
    fail "section $name is both writable and executable"
  fi
done

# Windows' own DLLs only; every one of these is a known DLL, loaded from the system folder.
allowed='^(kernel32|user32|gdi32|shell32|msvcrt|advapi32)\.dll$'
imports=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers")
[ -n "$imports" ] || fail "no imports found"
while read -r dll; do
  [[ $dll =~ $allowed ]] || fail "imports $dll"
done <<<"$imports"

grep -q '\.debug_' <<<"$sections" && fail "carries debug sections (not stripped)"
grep -q 'PointerToSymbolTable.*[1-9a-f]' <<<"$headers" && fail "carries a symbol table"
grep -q 'Time/Date.*1970' <<<"$headers" || fail "PE header has a build timestamp"

if ((failures)); then
  exit 1
fi
echo "$exe: $arch, hardened, no writable code, imports: $(tr '\n' ' ' <<<"$imports")"
