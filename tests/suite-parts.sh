#!/usr/bin/env bash
# Checks that the parts the 32-bit suite runs in take every test of the test program exactly
# once.
#   suite-parts.sh NAME=FILTER... -- COMMAND...   (COMMAND runs the test program)
set -uo pipefail
parts=()
while [ "$1" != -- ]; do parts+=("$1"); shift; done
shift
list() {  # gtest filter
  "$@" --gtest_list_tests | tr -d '\r' | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }'
}
failures=0
all=$(list "$@") || exit 1
[ -n "$all" ] || { echo "no tests listed"; exit 1; }
taken=""
for part in "${parts[@]}"; do
  name=${part%%=*} filter=${part#*=}
  tests=$(list "$@" --gtest_filter="$filter")
  echo "$name: $(grep -c . <<<"$tests") tests"
  taken+="$tests"$'\n'
done
twice=$(grep . <<<"$taken" | sort | uniq -d)
left=$(comm -23 <(sort <<<"$all") <(grep . <<<"$taken" | sort -u))
[ -z "$twice" ] || { echo "FAILED: in two parts:"; echo "$twice"; failures=$((failures + 1)); }
[ -z "$left" ] || { echo "FAILED: in no part:"; echo "$left"; failures=$((failures + 1)); }
echo "$(grep -c . <<<"$all") tests, each in one part: $([ "$failures" = 0 ] && echo yes || echo no)"
[ "$failures" = 0 ]
