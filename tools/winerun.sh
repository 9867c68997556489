#!/usr/bin/env bash
# Runs a Windows program under Wine:  winerun.sh 32|64 PREFIX PROGRAM [ARGS...]
#
# The first program of a prefix's session starts the session's own processes (wineboot,
# services.exe, ...), which keep its standard error open. They end a few seconds after the
# last program; under qemu wineboot can stay asleep for good, and the session with it, so
# that a test runner reading this script's output would wait until its timeout. The
# program's standard error therefore goes through a pipe of this script's, let go once the
# program has ended.
set -e
bits=$1 prefix=$2
shift 2
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
loader=/usr/lib/wine/wine
[ "$bits" = 64 ] && loader=/usr/lib/wine/wine64

exec {errors}> >(exec cat >&2)
relay=$!
status=0
"$loader" "$@" 2>&"$errors" || status=$?
exec {errors}>&-
sleep 0.2   # what the program wrote last is read
kill "$relay" 2>/dev/null || true
exit "$status"
