#!/usr/bin/env bash
# Steps of the set-up against stand-ins, touching nothing of the machine's. Installing
# packages: an index that fails does not stop it, and when the architectures' versions then
# disagree it installs once more without the security suite and removes that pin again.
# Creating a prefix: a wineboot that never ends once the registry is written is ended.
set -euo pipefail
source "$(dirname "$0")/../tools/setup.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
apt_preferences_dir=$work/preferences.d
mkdir -p "$apt_preferences_dir"
failures=0 passes=0

as_root() { "$@"; }
dpkg() { echo i386; }
missing_packages() { local p; for p in "$@"; do [ -e "$work/installed-$p" ] || echo "$p"; done; }

# Scenario variables: update_fails (0/1), needs_pin (0/1).
apt_get() {
  echo "apt-get $*" >>"$work/calls"
  case $1 in
  update)
    [ "$update_fails" = 1 ] || return 0
    echo 'Err:7 http://mirror/debian-security bookworm-security/main i386 Packages'
    echo 'E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?'
    echo 'E: Some index files failed to download. They have been ignored, or old ones used instead.'
    return 100 ;;
  install)
    if [ "$needs_pin" = 1 ] && ! grep -qs 'l=Debian-Security' "$apt_preferences_dir"/*; then
      echo ' wine32:i386 : Depends: libwine:i386 (= 8.0~repack-4) but it is not going to be installed'
      echo 'E: Unable to correct problems, you have held broken packages.'
      return 100
    fi
    shift 4
    for p in "$@"; do touch "$work/installed-$p"; echo "Setting up $p ..."; done ;;
  esac
}

expect() {  # description command...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; passes=$((passes + 1)); else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

run() {  # update_fails needs_pin
  update_fails=$1 needs_pin=$2
  rm -f "$work"/installed-* "$work/calls"
  (install_packages wine wine32:i386) >"$work/out" 2>&1 && status=0 || status=$?
  [ -z "${SHOW:-}" ] || cat "$work/out"
}

run 1 0
expect "a failed index is named and the set-up goes on" grep -q 'binary-i386/Packages.xz' "$work/out"
expect "installs with the lists it has" test "$status" = 0 -a -e "$work/installed-wine32:i386"
expect "no pin when none is needed" test "$(grep -c 'apt-get install' "$work/calls")" = 1

run 1 1
expect "disagreeing versions: installs again without the security suite" test "$status" = 0 -a -e "$work/installed-wine32:i386"
expect "says so" grep -q 'without the security suite' "$work/out"
expect "the pin is removed afterwards" test -z "$(ls -A "$apt_preferences_dir")"

run 0 1
expect "with complete lists a broken install is reported, not pinned" test "$status" != 0
expect "apt's reason is shown" grep -q 'held broken packages' "$work/out"
expect "installed once only" test "$(grep -c 'apt-get install' "$work/calls")" = 1

# A wineboot that writes the registry and then sleeps for good, as seen under qemu.
idle_seconds=10
mkdir -p "$work/prefix"
printf '[System\\\\CurrentControlSet\\\\Services\\\\PlugPlay] 1\n' >"$work/prefix/system.reg"
echo 'WINE REGISTRY' | tee "$work/prefix/user.reg" >"$work/prefix/userdef.reg"
mkdir -p "$work/prefix/drive_c/windows/syswow64"
echo MZ >"$work/prefix/drive_c/windows/syswow64/kernel32.dll"
sleep 600 &
hung=$!
start=$SECONDS
wait_for_prefix "$work/prefix" "$hung" 2>"$work/out"
expect "a wineboot asleep after the registry is written is ended" test "$((SECONDS - start))" -lt 60
expect "says why" grep -q 'is complete but its session still waits' "$work/out"
kill "$hung" 2>/dev/null || true

# The 32-bit half of a prefix, starting under qemu: it computes for a while, writing nothing,
# after the registry is complete. It is waited for.
mkdir -p "$work/busy"
cp -r "$work/prefix/." "$work/busy/"
rm "$work/busy/drive_c/windows/syswow64/kernel32.dll"
WINEPREFIX="$work/busy" bash -c 'while [ $SECONDS -lt 15 ]; do :; done; echo MZ >"$1"' \
  _ "$work/busy/drive_c/windows/syswow64/kernel32.dll" &
wait_for_prefix "$work/busy" $! 2>"$work/out"
expect "a session that computes is not ended" prefix_made "$work/busy"

# A wineboot that writes the registry only after a while: files still absent are no error.
mkdir -p "$work/slow"
(sleep 6; cp -r "$work/prefix/." "$work/slow/") &
slow=$!
expect "registry files absent at first do not end the set-up" \
  bash -c 'set -euo pipefail; source "$1"; wait_for_prefix "$2" "$3"; prefix_made "$2"' \
  _ "$(dirname "$0")/../tools/setup.sh" "$work/slow" "$slow"
kill "$slow" 2>/dev/null || true

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
