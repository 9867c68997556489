#!/usr/bin/env bash
# Installs what building and testing the plug-in needs on a Debian 12 machine, and creates
# the Wine prefixes. Idempotent: quiet when everything is already there.
#   tools/setup.sh [BUILD_DIR]     (default: build)
set -euo pipefail

build_dir=${1:-build}
mkdir -p "$build_dir"
build_dir=$(cd "$build_dir" && pwd)

packages=(
  cmake make
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-i686-dev mingw-w64-x86-64-dev
  wine wine64 wine32:i386
  googletest
  xvfb xauth fonts-liberation
  locales zip
  gnuplot-nox
)

say() { printf '[setup] %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else say "needs root for: $*"; exit 1
  fi
}

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

install_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture (for 32-bit Wine)"
    as_root dpkg --add-architecture i386
  fi
  say "apt-get update"
  as_root apt-get update -q >/dev/null
  say "installing:" $missing "(this takes a few minutes on a bare machine)"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing \
    | awk '/^Setting up /{ if (++n % 25 == 0) { printf "[setup]   %d packages set up\n", n; fflush() } }
           END { printf "[setup]   %d packages set up\n", n }' >&2 || true
  missing=$(missing_packages "$@")
  if [ -n "$missing" ]; then say "could not install:" $missing; exit 1; fi
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

make_prefix() {  # name arch loader
  local prefix="$build_dir/$1"
  [ -f "$prefix/system.reg" ] && return 0
  say "creating the $2 Wine prefix $prefix (a 32-bit one takes about 3 minutes under emulation)"
  rm -rf "$prefix"
  WINEPREFIX="$prefix" WINEARCH="$2" "$3" wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w || true
  [ -f "$prefix/system.reg" ] || { say "creating $prefix failed"; exit 1; }
}

# Windows of the prefix open in a virtual desktop: on a display without a window manager
# (Xvfb) Wine otherwise waits for each window to be mapped, seconds per dialog.
use_virtual_desktop() {  # name loader
  local prefix="$build_dir/$1"
  grep -q 'Wine\\\\Explorer\\\\Desktops' "$prefix/user.reg" 2>/dev/null && return 0
  say "giving the $1 prefix a virtual desktop"
  WINEPREFIX="$prefix" "$2" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" "$2" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w || true
}

# Drive P: of every prefix is the project folder, so sample paths have no dots in them.
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

project_dir=$(cd "$(dirname "$0")/.." && pwd)
install_packages "${packages[@]}"
ensure_locale ja_JP.UTF-8
ensure_32bit_programs_run
make_prefix wine64 win64 /usr/lib/wine/wine64
make_prefix wine32 win32 /usr/lib/wine/wine
map_project_drive wine64
map_project_drive wine32
use_virtual_desktop wine64 /usr/lib/wine/wine64
use_virtual_desktop wine32 /usr/lib/wine/wine
