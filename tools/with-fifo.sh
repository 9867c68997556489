#!/usr/bin/env bash
# Runs a command with a Unix FIFO that no one writes to, named .csv, and its path as Wine's
# drive Z: gives it in CSVCHART_FIFO:  with-fifo.sh COMMAND [ARGS...]
set -u
folder=$(mktemp -d)
mkfifo "$folder/never-written.csv"
export CSVCHART_FIFO="Z:$(printf '%s' "$folder/never-written.csv" | tr / '\\')"
"$@"
status=$?
rm -rf "$folder"
exit $status
