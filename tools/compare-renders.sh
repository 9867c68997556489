#!/usr/bin/env bash
# Compares the renders of one build with those of another, byte for byte.
#   compare-renders.sh THIS_DIR OTHER_DIR
set -u
this=$1 other=$2
if [ ! -d "$other" ] || [ -z "$(ls "$other"/*.bmp 2>/dev/null)" ]; then
  echo "no renders in $other: run the other build's suite first (make test runs both)"; exit 1
fi
passed=0 failed=0
for file in "$this"/*.bmp; do
  name=$(basename "$file")
  if cmp -s "$file" "$other/$name"; then passed=$((passed + 1))
  else failed=$((failed + 1)); echo "differs: $name"
  fi
done
echo "renders: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
