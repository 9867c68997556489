#!/usr/bin/env bash
# Installs what building and testing the plug-in needs on a Debian 12 machine, and creates
# the Wine prefix (a 64-bit Windows, which runs the programs of both targets). Idempotent: quiet when everything is already there. Every wait is
# bounded; each step says what it does and what went wrong.
#   tools/setup.sh [BUILD_DIR]     (default: build)
set -euo pipefail

packages=(
  cmake make
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-i686-dev mingw-w64-x86-64-dev
  wine wine64 wine32:i386
  googletest
  xvfb xauth fonts-liberation
  locales zip
  gnuplot-nox
)

# Seconds the prefix may take to be created: its 32-bit half takes several minutes where the
# kernel runs 32-bit code only through qemu. Seconds a prefix's session may take to end.
prefix_creation_limit=900
session_end_limit=180
# Seconds a prefix being created must stay complete and idle (no file written, no processor
# time used by its session) before the set-up ends its session.
idle_seconds=60

# A file of apt preferences that keeps the security suite out, for the length of one install.
apt_preferences_dir=/etc/apt/preferences.d
security_pin_name=csvchart-setup-without-security

say() { printf '[setup] %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else say "needs root for: $*"; exit 1
  fi
}

apt_get() { as_root env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# apt-get update, going on past indexes that fail (a mirror being synced): says which
# failed. Returns 1 when one did.
update_package_lists() {
  local log status=0
  log=$(mktemp)
  say "apt-get update"
  apt_get update -q >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    say "apt-get update failed (status $status) on:"
    grep -E '^(E|W|Err):' "$log" | grep -vE 'Some index files failed|ignored, or old ones used' \
      | sed 's/^/[setup]   /' >&2 || true
    say "going on with the package lists as they are"
  fi
  rm -f "$log"
  return $(( status != 0 ))
}

# Installs the packages; the output apt-get gave goes to the file named.
install_missing() {  # log packages...
  local log=$1 status=0
  shift
  say "installing:" "$@" "(this takes a few minutes on a bare machine)"
  apt_get install -y -q --no-install-recommends "$@" >"$log" 2>&1 || status=$?
  awk '/^Setting up /{ n++ } END { printf "[setup]   %d packages set up\n", n }' "$log" >&2
  return "$status"
}

# Without one of the security suite's indexes, the i386 libraries' candidates are older
# than the amd64 ones installed or offered, and apt finds no set the two architectures agree
# on. Taking no package from the security suite makes both take the main suite's versions.
versions_disagree() { grep -qE 'held broken packages|unmet dependencies' "$1"; }

install_without_security_suite() {  # log packages...
  local log=$1 pin="$apt_preferences_dir/$security_pin_name" status=0
  shift
  say "the architectures' package versions disagree: installing without the security suite"
  say "(pinned out for this install by $pin, removed afterwards)"
  printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: -1\n' | as_root tee "$pin" >/dev/null
  install_missing "$log" "$@" || status=$?
  as_root rm -f "$pin"
  return "$status"
}

install_packages() {
  local missing log lists_complete=1
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture (for 32-bit Wine)"
    as_root dpkg --add-architecture i386
  fi
  update_package_lists || lists_complete=0
  log=$(mktemp)
  # shellcheck disable=SC2086
  if ! install_missing "$log" $missing; then
    if [ "$lists_complete" -eq 0 ] && versions_disagree "$log"; then
      # shellcheck disable=SC2086
      install_without_security_suite "$log" $missing || true
    fi
  fi
  missing=$(missing_packages "$@")
  if [ -n "$missing" ]; then
    say "could not install:" $missing
    grep -E '^(E:| )' "$log" | tail -20 | sed 's/^/[setup]   /' >&2 || true
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
}

# 32-bit Wine needs a kernel that runs 32-bit programs; where it cannot, qemu-user runs them.
can_run_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

ensure_32bit_programs_run() {
  can_run_32bit && return 0
  install_packages qemu-user-static
  local binfmt=/proc/sys/fs/binfmt_misc
  if [ ! -e "$binfmt/register" ]; then
    say "mounting binfmt_misc"
    as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  fi
  if [ ! -e "$binfmt/qemu-i386" ]; then
    say "registering qemu-i386 for 32-bit programs"
    printf ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F\n' \
      | as_root tee "$binfmt/register" >/dev/null
  fi
  can_run_32bit || { say "32-bit Wine still does not start"; exit 1; }
}

export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all

# Waits for the prefix's session (its wineserver) to end, at most the limit; then ends it.
end_session() {  # prefix
  WINEPREFIX="$1" timeout "$session_end_limit" /usr/lib/wine/wineserver -w && return 0
  say "the session of $1 did not end within $session_end_limit s: ending it"
  WINEPREFIX="$1" /usr/lib/wine/wineserver -k 2>/dev/null || true
  WINEPREFIX="$1" timeout 30 /usr/lib/wine/wineserver -w || true
}

# The registry files are written from the start and grow; the services the prefix's set-up
# installs (PlugPlay among them) come near its end. Its 32-bit half, which starts later and
# slowly under qemu, writes the 32-bit system folder.
prefix_made() {  # prefix
  [ -s "$1/user.reg" ] && [ -s "$1/userdef.reg" ] \
    && grep -q '^\[System\\\\CurrentControlSet\\\\Services\\\\PlugPlay\]' "$1/system.reg" 2>/dev/null \
    && [ -s "$1/drive_c/windows/syswow64/kernel32.dll" ]
}

# Processor time (clock ticks) of the prefix's session so far: every process started with
# its WINEPREFIX. A 32-bit process starting under qemu computes for a minute or more while
# it writes nothing.
session_ticks() {  # prefix
  local total=0 pid stat
  for pid in $(grep -lsxzF "WINEPREFIX=$1" /proc/[0-9]*/environ | cut -d/ -f3); do
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || continue
    set -- ${stat##*) }
    total=$((total + ${12} + ${13}))
  done
  echo "$total"
}

activity_stamp() {  # prefix
  stat -c '%s %Y' "$1"/system.reg "$1"/user.reg "$1"/userdef.reg 2>/dev/null || true
  session_ticks "$1"
}

# The wineboot started may end before the session's own processes have finished the prefix
# (seen under qemu): the prefix is made when its session ends. Under qemu a session can also
# stay asleep for good once the prefix is made (wineboot, services.exe and rundll32 waiting):
# once the prefix is complete and its files and processes have been idle for a while, its
# session is ended and the set-up goes on.
prefix_being_made() {  # prefix pid-of-wineboot
  kill -0 "$2" 2>/dev/null && return 0
  ! WINEPREFIX="$1" timeout 5 /usr/lib/wine/wineserver -w 2>/dev/null
}

wait_for_prefix() {  # prefix pid-of-wineboot
  local prefix=$1 boot=$2 waited=0 quiet=0 stamp="" now
  while prefix_being_made "$prefix" "$boot"; do
    if [ "$waited" -ge "$prefix_creation_limit" ]; then
      say "creating $prefix took over $prefix_creation_limit s: ending it"
      break
    fi
    now=$(activity_stamp "$prefix")
    if prefix_made "$prefix" && [ "$now" = "$stamp" ]; then
      quiet=$((quiet + 5))
      if [ "$quiet" -ge "$idle_seconds" ]; then
        say "$prefix is complete but its session still waits, idle (seen under qemu): ending it"
        break
      fi
    else
      quiet=0 stamp=$now
    fi
    sleep 5
    waited=$((waited + 5))
  done
  if kill -0 "$boot" 2>/dev/null; then
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    kill "$boot" 2>/dev/null || true
  fi
  wait "$boot" 2>/dev/null || true
  end_session "$prefix"
}

make_prefix() {  # name arch loader
  local prefix="$build_dir/$1"
  prefix_made "$prefix" && return 0
  say "creating the $2 Wine prefix $prefix (its 32-bit half takes minutes where 32-bit code runs under qemu)"
  rm -rf "$prefix"
  WINEPREFIX="$prefix" WINEARCH="$2" "$3" wineboot -i >/dev/null 2>&1 &
  wait_for_prefix "$prefix" $!
  prefix_made "$prefix" || { say "creating $prefix failed"; rm -rf "$prefix"; exit 1; }
}

# The keys that name the crash debugger: of the prefix's own programs, and on a 64-bit
# prefix of its 32-bit ones too.
aedebug_keys() {  # arch
  echo 'Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
  [ "$1" = win32 ] || echo 'Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug'
}

# Whether the file holds the value line under the key (keys written as in .reg files).
has_value() {  # file key value-line
  awk -v key="[${2//\\/\\\\\\\\}]" -v value="$3" '
    index($0, "[") == 1 { inside = (index($0, key) == 1) }
    inside && $0 == value { found = 1 }
    END { exit !found }' "$1"
}

prefix_configured() {  # name arch
  local prefix="$build_dir/$1" key
  has_value "$prefix/user.reg" 'Software\Wine\Explorer\Desktops' '"Default"="1024x768"' || return 1
  while IFS= read -r key; do
    has_value "$prefix/system.reg" "$key" '"Debugger"=""' || return 1
  done < <(aedebug_keys "$2")
}

# Settings of a test prefix, in system.reg (HKLM) and user.reg (HKCU):
# - no crash debugger: a process that crashes ends at once with the exception's status,
#   instead of starting winedbg, which can keep running and hold the test runner's output;
# - windows open in a virtual desktop: on a display without a window manager (Xvfb) Wine
#   otherwise waits for each window to be mapped, seconds per dialog.
# Both written by one regedit, a single process start (a minute under qemu).
prefix_settings() {  # arch
  local key
  printf 'REGEDIT4\n\n'
  while IFS= read -r key; do
    printf '[HKEY_LOCAL_MACHINE\\%s]\n"Debugger"=""\n"Auto"="1"\n\n' "$key"
  done < <(aedebug_keys "$1")
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="1024x768"\n'
}

configure_prefix() {  # name arch loader
  local prefix="$build_dir/$1" file
  prefix_configured "$1" "$2" && return 0
  say "configuring the $1 prefix: no crash debugger, a virtual desktop"
  file="$prefix/drive_c/csvchart-setup.reg"
  prefix_settings "$2" >"$file"
  WINEPREFIX="$prefix" timeout "$prefix_creation_limit" "$3" regedit /S 'C:\csvchart-setup.reg' >/dev/null 2>&1 || true
  end_session "$prefix"
  rm -f "$file"
  prefix_configured "$1" "$2" || { say "could not configure the $1 prefix"; exit 1; }
}

# Drive P: of the prefix is the project folder, so sample paths have no dots in them.
map_project_drive() {
  local link="$build_dir/$1/dosdevices/p:"
  [ "$(readlink "$link" 2>/dev/null)" = "$project_dir" ] || ln -sfn "$project_dir" "$link"
}

# The Japanese locale, in which Wine runs programs under the ANSI code page 932.
ensure_locale() {  # name, e.g. ja_JP.UTF-8
  local lang=${1%%.*}
  locale -a 2>/dev/null | grep -qix "$lang.utf8" && return 0
  say "generating the locale $1"
  as_root localedef -i "$lang" -f UTF-8 "$1"
}

main() {
  build_dir=${1:-build}
  mkdir -p "$build_dir"
  build_dir=$(cd "$build_dir" && pwd)
  project_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  install_packages "${packages[@]}"
  ensure_locale ja_JP.UTF-8
  ensure_32bit_programs_run
  make_prefix wine win64 /usr/lib/wine/wine64
  map_project_drive wine
  configure_prefix wine win64 /usr/lib/wine/wine64
}

# Sourced by the set-up's own test, which drives the functions above one by one.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then main "$@"; fi
