#!/usr/bin/env bash
# Runs one part of the test program:  run-part.sh FILTER PROBE -- COMMAND...
#
# Where 32-bit programs run natively this is COMMAND --gtest_filter=FILTER and nothing more.
# Where they run only through qemu-user, the emulator itself now and then kills or stalls a
# process in tests that pass natively. There a process that dies, or prints nothing for a
# long time, is reported with the test it was in, and the tests it had not finished run again
# in a new one. A test that printed a failure, or whose process died twice without the
# emulator's own messages, fails. A test whose process the emulator kills twice is reported
# as not run here. PROBE ("PATTERN:PATTERN...=PROGRAM") names tests that start and end
# threads by the dozen and a program with none of our code that does only that: when the
# part's filter names those tests, the probe runs first, and where it dies they are reported
# as not run, with the probe's words, without a process of their own dying twice.
set -uo pipefail
filter=$1 probe=$2
shift 3

emulated() {
  local entry=/proc/sys/fs/binfmt_misc/qemu-i386
  [ -r "$entry" ] && grep -qx enabled "$entry"
}

if [ "${CSVCHART_EMULATED:-}" != 1 ] && ! emulated; then
  exec "$@" --gtest_filter="$filter"
fi

stall_seconds=${CSVCHART_STALL_SECONDS:-300}
attempts=10
log=$(mktemp)
trap 'rm -f "$log" "$log".*' EXIT

# What the emulator did is also kept in this file of the working folder, which `make test`
# shows at the end, as CTest shows no output of a part that passes.
report=emulator-report.txt
say() { printf '[emulator] %s\n' "$*" | tee -a "$report"; }

# Runs the program in a process group of its own, its output into the log, shown when it
# ends; ends the whole group once the program has printed nothing for stall_seconds.
# Status: the program's, or 124 for a stall.
run_watched() {  # filter command...
  local f=$1 last=0 size now=$SECONDS
  shift
  : >"$log"
  setsid "$@" --gtest_filter="$f" >"$log" 2>&1 &
  local program=$!
  while kill -0 "$program" 2>/dev/null; do
    sleep 1
    size=$(stat -c %s "$log")
    if [ "$size" != "$last" ]; then last=$size now=$SECONDS; fi
    if [ $((SECONDS - now)) -ge "$stall_seconds" ]; then
      kill -- -"$program" 2>/dev/null
      wait "$program" 2>/dev/null
      cat "$log"
      return 124
    fi
  done
  wait "$program"
  local status=$?
  cat "$log"
  return "$status"
}

# A process the emulator killed or stalled can leave its Wine session unable to serve the
# next one ("wine client error" in a later process, or a start that ends at once): each
# attempt after one that died starts with a session of its own, for a program run through
# tools/winerun.sh (whose third word is the prefix).
fresh_session() {  # command...
  [[ "$1" == */winerun.sh ]] || return 0
  WINEPREFIX=$3 timeout 60 wineserver -k 2>/dev/null
  WINEPREFIX=$3 timeout 60 wineserver -w 2>/dev/null
  return 0
}

results() { tr -d '\r' <"$log" | sed -n "s/^\[ *\($1\) *\] \([^ ]*\).*/\2/p" | grep -v '^[0-9]' | sort -u; }
unfinished() {
  comm -23 <(results RUN) <(results 'OK\|FAILED\|SKIPPED') | head -1
}

# The filter with the tests named excluded.
without() {  # filter tests...
  local f=$1
  shift
  [ $# -eq 0 ] && { echo "$f"; return; }
  local names
  names=$(IFS=:; echo "$*")
  if [[ "$f" == *-* ]]; then echo "$f:$names"; else echo "$f-$names"; fi
}

# What the running test printed after its start: a failed check there is the test's own.
output_of() {  # test
  tr -d '\r' <"$log" | awk -v start="[ RUN      ] $1" '$0 == start { on = 1 } on'
}

# Messages only the emulator and Wine's link to its server give: a fault in a test program's
# own code is an exception that Wine reports, not a signal qemu could not deliver.
signature='qemu: uncaught target signal [0-9]*\|wine client error:[^ ]*'
emulator_signature() { grep -q "$signature" "$log"; }

done_tests=() failed=() deaths=() emulator_only=()
status=0

# The probe's tests among those the filter names.
probed=() patterns=${probe%%=*}
for pattern in ${patterns//:/ }; do
  [[ ":${filter%%-*}:" == *":$pattern:"* ]] && probed+=("$pattern")
done
if [ "${#probed[@]}" -gt 0 ] && ! probe_output=$("${@:1:$#-1}" "${probe#*=}" 2>&1); then
  say "${probed[*]}: not run here. The emulator kills a program with none of our code that" \
    "only starts and joins threads:"
  printf '%s\n' "$probe_output" | tail -3 | sed 's/^/[emulator]   /' | tee -a "$report"
  filter=$(without "$filter" "${probed[@]}")
  emulator_only+=("${probed[@]}")
fi
for ((attempt = 1; attempt <= attempts; attempt++)); do
  ((attempt == 1)) || fresh_session "$@"
  run_filter=$(without "$filter" "${done_tests[@]}")
  run_watched "$run_filter" "$@"
  code=$?
  mapfile -t -O "${#failed[@]}" failed < <(results FAILED)
  mapfile -t -O "${#done_tests[@]}" done_tests < <(results 'OK\|FAILED\|SKIPPED')
  grep -q '^\[==========\] .* ran\.' <(tr -d '\r' <"$log") && { [ "$code" = 0 ] || status=1; break; }
  test=$(unfinished)
  how="ended with status $code"
  [ "$code" = 124 ] && how="printed nothing for $stall_seconds s"
  emulator_signature && how="was killed by the emulator (status $code: $(grep -o "$signature" "$log" | head -1))"
  if [ -z "$test" ]; then
    say "the test program $how before running a test"
    continue
  fi
  deaths+=("$test")
  died=$(printf '%s\n' "${deaths[@]}" | grep -cxF "$test")
  if output_of "$test" | grep -q ': Failure$'; then
    say "$test failed, then its process $how"
    failed+=("$test")
  elif [ "$died" -lt 2 ]; then
    say "the test program $how in $test; it and the tests after it run again in a new process"
    continue
  elif emulator_signature; then
    say "$test: its process $how, twice; not run here"
    emulator_only+=("$test")
  else
    say "$test: its process $how, twice: failed"
    failed+=("$test")
  fi
  done_tests+=("$test")
done
((attempt > attempts)) && { say "gave up after $attempts processes"; status=1; }
[ "${#failed[@]}" -gt 0 ] && status=1
say "this part: ${#done_tests[@]} tests run, ${#deaths[@]} processes died," \
  "${#emulator_only[@]} tests not run because of it${emulator_only[*]:+ (${emulator_only[*]})}," \
  "failed: $(printf '%s\n' "${failed[@]}" | sort -u | xargs | sed 's/^$/none/')"
exit "$status"
