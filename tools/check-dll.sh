#!/usr/bin/env bash
# Checks a built plug-in DLL: exactly the four entry points exported, undecorated; only
# system DLLs imported (the C++ runtime, libgcc and winpthread are linked in), none of the
# universal C runtime's api-ms-win-crt-* sets (absent from Windows 7 without its updates);
# a GUI module for Windows 6.0 (Vista, which its imports need); read-only resources. With
# --shipped, also no debug sections (the file of a release).
#   check-dll.sh DLL OBJDUMP [--shipped]
set -euo pipefail
dll=$1 objdump=$2 shipped=${3:-}
dump=$("$objdump" -p "$dll")
sections=$("$objdump" -h "$dll")
status=0
fail() { echo "$*"; status=1; }

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | grep -E '^\s+\[ *[0-9]+\] ' | awk '{print $NF}' | sort | tr '\n' ' ')
expected="QOR_Configure QOR_IdentifyA QOR_IdentifyFileA QOR_LoadBitmapA "
[ "$exports" = "$expected" ] || fail "exports: '$exports', expected '$expected'"

allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|msvcrt|COMCTL32|SHELL32|ole32)\.dll$'
for dll_name in $(grep -oE 'DLL Name: .*' <<<"$dump" | cut -c11-); do
  grep -qiE "$allowed" <<<"$dll_name" || fail "imports a DLL that is not one of the system's own: $dll_name"
done

field() { awk -v k="$1" '$1 == k { print $2 }' <<<"$dump"; }
[ "$(field MajorOSystemVersion)" = 6 ] && [ "$(field MinorOSystemVersion)" = 0 ] ||
  fail "operating system version $(field MajorOSystemVersion).$(field MinorOSystemVersion), expected 6.0"
[ "$(field MajorSubsystemVersion)" = 6 ] && [ "$(field MinorSubsystemVersion)" = 0 ] ||
  fail "subsystem version $(field MajorSubsystemVersion).$(field MinorSubsystemVersion), expected 6.0"
grep -qE '^Subsystem\s+00000002' <<<"$dump" || fail "not a GUI module: $(grep -E '^Subsystem' <<<"$dump")"
grep -A1 -E '\s\.rsrc\s' <<<"$sections" | grep -q READONLY || fail "the resources are writable"
if [ "$shipped" = --shipped ] && grep -qE '\s\.debug_' <<<"$sections"; then
  fail "debug sections in a shipped file"
fi

echo "exports: $exports"
echo "imports: $(grep -oE 'DLL Name: .*' <<<"$dump" | cut -c11- | tr '\n' ' ')"
exit $status
