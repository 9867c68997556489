#!/usr/bin/env bash
# tests/run-part.sh as under qemu, against a stand-in test program whose tests die, stall or
# fail as each case says.
set -uo pipefail
runner=$(cd "$(dirname "$0")" && pwd)/run-part.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
passes=0 failures=0
expect() {  # description command...
  local what=$1
  shift
  if "$@"; then passes=$((passes + 1)); else failures=$((failures + 1)); echo "FAILED: $what"; fi
}

# The stand-in: tests S.A, S.B, S.C; FATE names what a test does on its first N runs
# ("S.B=qemu:1" dies as qemu kills a process, once). The probe dies when PROBE_SAYS is set.
echo 'echo "probe: ${PROBE_SAYS:-fine}"; [ -z "${PROBE_SAYS:-}" ]' >probe
cat >program <<'EOF'
filter=${1#--gtest_filter=}; excluded=""; [[ "$filter" == *-* ]] && excluded=${filter#*-}
for test in S.A S.B S.C; do
  [[ ":$excluded:" == *":$test:"* ]] && continue
  echo "[ RUN      ] $test"
  runs=$(( $(cat "runs.$test" 2>/dev/null || echo 0) + 1 )); echo "$runs" >"runs.$test"
  fate=$(tr ' ' '\n' <<<"$FATE" | sed -n "s/^$test=\(.*\):\([0-9]*\)$/\1 \2/p")
  if [ -n "$fate" ] && [ "$runs" -le "${fate#* }" ]; then
    case ${fate% *} in
      qemu) echo "qemu: uncaught target signal 11 (Segmentation fault) - core dumped"; exit 139 ;;
      crash) exit 5 ;;
      stall) sleep 30; exit 0 ;;
      fail) echo "x.cpp:1: Failure"; exit 5 ;;
    esac
  fi
  echo "[       OK ] $test (1 ms)"
done
echo "[==========] 3 tests from 1 test suite ran. (1 ms total)"
EOF

run() {  # fate [probe output]
  rm -f runs.* emulator-report.txt
  FATE=$1 PROBE_SAYS=${2:-} CSVCHART_EMULATED=1 CSVCHART_STALL_SECONDS=10 \
    "$runner" 'S.A:S.B:S.C' 'S.B=./probe' -- bash ./program >out 2>&1
}
ran() { cat "runs.$1" 2>/dev/null || echo 0; }

run ''
expect "a part without deaths passes" test $? = 0
run 'S.B=qemu:1'
expect "killed once by the emulator: passes" test $? = 0
expect "the test it died in runs again, the one before does not" test "$(ran S.B)$(ran S.A)$(ran S.C)" = 211
expect "the report names the test and the emulator" grep -q 'uncaught target signal 11) in S.B' emulator-report.txt
run 'S.C=qemu:9' 'stack smashing detected'
expect "killed each time: not run, the part passes" test $? = 0
expect "two tries" test "$(ran S.C)" = 2
expect "reported as not run" grep -q 'S.C: .*not run here' emulator-report.txt
run 'S.B=qemu:9' 'stack smashing detected'
expect "where the probe dies its tests are not run" test $? = 0 -a "$(ran S.B)$(ran S.C)" = 01
expect "the probe's words are shown" grep -q 'stack smashing detected' emulator-report.txt
run 'S.B=crash:9'
expect "where the probe lives its tests run and may fail" test $? != 0 -a "$(ran S.B)" = 2
run 'S.A=crash:2'
expect "died twice without the emulator's messages: fails" test $? != 0
run 'S.A=fail:1'
expect "a failure printed before dying fails, unrun again" test $? != 0 -a "$(ran S.A)" = 1
run 'S.B=stall:1'
expect "a stalled process is ended and its test runs again" test $? = 0 -a "$(ran S.B)" = 2

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
