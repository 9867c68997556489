#!/usr/bin/env bash
# Builds the release package dist/csvchart-VERSION.zip: the stripped 32-bit plug-in, the
# install and uninstall note, the licence and SHA256SUMS.
#   dist.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(csvchart VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' "$root/CMakeLists.txt")
name=csvchart-$version
stage=$root/dist/$name
rm -rf "$stage" "$root/dist/$name.zip"
mkdir -p "$stage"
i686-w64-mingw32-strip --strip-all -o "$stage/csvchart.dll" "$root/$build/i686/bin/csvchart.dll"
"$root/tools/readonly-resources.sh" "$stage/csvchart.dll"   # strip writes the section anew
"$root/tools/check-dll.sh" "$stage/csvchart.dll" i686-w64-mingw32-objdump --shipped >/dev/null
sed "s/@VERSION@/$version/" "$root/tools/dist/INSTALL.txt" | sed 's/$/\r/' > "$stage/INSTALL.txt"
sed 's/$/\r/' "$root/LICENSE" > "$stage/LICENSE.txt"
(cd "$stage" && sha256sum csvchart.dll INSTALL.txt LICENSE.txt > SHA256SUMS)
(cd "$root/dist" && TZ=UTC zip -q -X -r "$name.zip" "$name")
echo "[dist] $root/dist/$name.zip"
