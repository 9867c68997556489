#!/usr/bin/env bash
# Runs a Windows program under Wine:  winerun.sh 32|64 PREFIX PROGRAM [ARGS...]
set -e
bits=$1 prefix=$2
shift 2
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$bits" = 64 ]; then
  exec /usr/lib/wine/wine64 "$@"
else
  exec /usr/lib/wine/wine "$@"
fi
