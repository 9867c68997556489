#!/usr/bin/env bash
# Marks the resource section (.rsrc) of a PE image read-only: the linker leaves it
# writable, though nothing ever writes to resources.
#   readonly-resources.sh IMAGE
set -euo pipefail
image=$1
u16() { od -An -t u2 -j "$1" -N 2 "$image" | tr -d ' '; }
u32() { od -An -t u4 -j "$1" -N 4 "$image" | tr -d ' '; }
pe=$(u32 60)
sections=$(u16 $((pe + 6)))
optional=$(u16 $((pe + 20)))
table=$((pe + 24 + optional))
for ((i = 0; i < sections; i++)); do
  entry=$((table + 40 * i))
  name=$(dd if="$image" bs=1 skip="$entry" count=8 2>/dev/null | tr -d '\0')
  [ "$name" = .rsrc ] || continue
  flags=$(( $(u32 $((entry + 36))) & ~0x80000000 ))   # IMAGE_SCN_MEM_WRITE off
  printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((flags & 255)) $((flags >> 8 & 255)) $((flags >> 16 & 255)) $((flags >> 24 & 255)))" |
    dd of="$image" bs=1 seek=$((entry + 36)) conv=notrunc 2>/dev/null
  exit 0
done
echo "readonly-resources.sh: no .rsrc section in $image" >&2
exit 1
