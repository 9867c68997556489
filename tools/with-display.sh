#!/usr/bin/env bash
# Runs a command with a fresh X display (Xvfb), in Wine sessions that start with it: a Wine
# prefix whose session began without a display cannot show a dialog later.
#   with-display.sh BUILD_DIR COMMAND [ARGS...]
build=$1
shift
end_wine_sessions() {
  local prefix
  for prefix in "$build"/wine32 "$build"/wine64; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null
  done
  return 0
}
end_wine_sessions
xvfb-run -a -s "-screen 0 1024x768x24" "$@"
status=$?
end_wine_sessions
exit $status
