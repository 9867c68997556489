#!/usr/bin/env bash
# Checks a built plug-in DLL: exactly the four entry points exported, undecorated, and
# only system DLLs imported (the C++ runtime, libgcc and winpthread are linked in).
#   check-dll.sh DLL OBJDUMP
set -euo pipefail
dll=$1 objdump=$2
dump=$("$objdump" -p "$dll")

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | grep -E '^\s+\[ *[0-9]+\] ' | awk '{print $NF}' | sort | tr '\n' ' ')
expected="QOR_Configure QOR_IdentifyA QOR_IdentifyFileA QOR_LoadBitmapA "
if [ "$exports" != "$expected" ]; then
  echo "exports: '$exports', expected '$expected'"; exit 1
fi

allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|msvcrt|COMCTL32|SHELL32|ole32|api-ms-win-crt-[a-z0-9-]+)\.dll$'
status=0
for dll_name in $(grep -oE 'DLL Name: .*' <<<"$dump" | cut -c11-); do
  if ! grep -qiE "$allowed" <<<"$dll_name"; then
    echo "imports a non-system DLL: $dll_name"; status=1
  fi
done
echo "exports: $exports"
echo "imports: $(grep -oE 'DLL Name: .*' <<<"$dump" | cut -c11- | tr '\n' ' ')"
exit $status
