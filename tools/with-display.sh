#!/usr/bin/env bash
# Runs a command with a fresh X display (Xvfb), in a Wine session that starts with it: a Wine
# prefix whose session began without a display cannot show a dialog later.
#   with-display.sh BUILD_DIR COMMAND [ARGS...]
build=$1
shift
end_wine_sessions() {
  [ -d "$build/wine" ] && WINEPREFIX=$build/wine /usr/lib/wine/wineserver -k 2>/dev/null
  return 0
}
end_wine_sessions
xvfb-run -a -s "-screen 0 1024x768x24" "$@"
status=$?
end_wine_sessions
exit $status
