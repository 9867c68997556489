#!/usr/bin/env bash
# Speed and memory of a render on large generated CSV files (4 numeric columns, 640x480),
# through the exported QOR_LoadBitmapA, in-process. For each file and each target, the
# render and the floor (reading the file in 1 MiB blocks and converting every field with
# std::from_chars, nothing else) run by turns in one process; the medians, their ratio and
# the peak working set above the process's own. gnuplot's png terminal drawing the same
# four series is timed beside. Last, the 32-bit plug-in renders 100 million rows (3.8 GB).
#   bench.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$build/bench
mkdir -p "$dir"
export LC_ALL=C

say() { printf '[bench] %s\n' "$*" >&2; }

# Four random walks, a line each step; the same bytes every time.
generate() {  # rows file
  [ -s "$2" ] && return 0
  say "generating $2"
  awk -v n="$1" 'BEGIN {
    s = 12345; for (k = 0; k < 4; k++) v[k] = 50 * (k + 1)
    for (i = 0; i < n; i++) {
      line = ""
      for (k = 0; k < 4; k++) {
        s = (s * 69069 + 1) % 4294967296
        v[k] += s / 4294967296 - 0.5
        line = line (k ? "," : "") sprintf("%.4f", v[k])
      }
      print line
    }
  }' > "$2"
}

seconds() { date +%s.%N; }

gnuplot_png() {  # file
  local start; start=$(seconds)
  gnuplot -e "set terminal png size 640,480; set output '/dev/null'; set datafile separator ',';
    plot '$1' using 0:1 with lines notitle, '' using 0:2 with lines notitle,
         '' using 0:3 with lines notitle, '' using 0:4 with lines notitle" >/dev/null 2>&1
  awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }'
}

windows_path() { printf 'P:\\%s' "$(realpath --relative-to="$root" "$1" | tr / '\\')"; }

bench64=("$root/tools/winerun.sh" 64 "$root/$build/wine64" "$build/x86_64/bin/csvbench.exe")
bench32=("$root/tools/winerun.sh" 32 "$root/$build/wine32" "$build/i686/bin/csvbench.exe")
dll64=$build/x86_64/bin/csvchart.dll
dll32=$build/i686/bin/csvchart.dll

generate 10000 "$dir/rows-10k.csv"
generate 100000 "$dir/rows-100k.csv"
generate 1000000 "$dir/rows-1m.csv"
generate 10000000 "$dir/rows-10m.csv"

field() { awk -v k="$1" -F'\t' '{ for (i = 1; i <= NF; i++) if (index($i, k " ") == 1) { sub(k " ", "", $i); print $i + 0 } }'; }

printf '\n%-10s %7s | %8s %8s %6s %7s | %8s %6s %7s | %8s %7s\n' file MB render64 floor64 ratio peak64 \
  render32 ratio peak32 '32/64' gnuplot
for name in rows-10k rows-100k rows-1m rows-10m; do
  file=$dir/$name.csv
  runs=11; [ "$name" = rows-10m ] && runs=3
  win=$(windows_path "$file")
  line64=$("${bench64[@]}" compare "$dll64" "$runs" "$win")
  line32=$("${bench32[@]}" compare "$dll32" "$runs" "$win")
  png=$(gnuplot_png "$file")
  mb=$(awk -v b="$(stat -c %s "$file")" 'BEGIN { printf "%.1f", b / 1048576 }')
  r64=$(field render <<<"$line64"); f64=$(field floor <<<"$line64"); p64=$(field "peak above baseline" <<<"$line64")
  r32=$(field render <<<"$line32"); p32=$(field "peak above baseline" <<<"$line32"); f32=$(field floor <<<"$line32")
  awk -v n="$name" -v mb="$mb" -v r="$r64" -v f="$f64" -v p="$p64" -v r2="$r32" -v f2="$f32" -v p2="$p32" -v g="$png" 'BEGIN {
    printf "%-10s %7s | %7.3fs %7.3fs %5.2fx %5.1fMB | %7.3fs %5.2fx %5.1fMB | %7.2fx %7.3fs\n",
      n, mb, r, f, r / f, p, r2, r2 / f2, p2, r2 / r, g }'
done

# 100 million rows: the 10-million-row file ten times over.
huge=$dir/rows-100m.csv
if [ ! -s "$huge" ]; then
  say "generating $huge (3.8 GB)"
  for i in 0 1 2 3 4 5 6 7 8 9; do cat "$dir/rows-10m.csv"; done > "$huge"
fi
say "rendering 100 million rows through the 32-bit plug-in"
"${bench32[@]}" compare "$dll32" 1 "$(windows_path "$huge")" | sed 's/^/100m rows, 32-bit: /'
echo
echo "render: QOR_LoadBitmapA, median; floor: the file read in 1 MiB blocks and every field"
echo "converted with std::from_chars, by turns with the render in the same process; ratio:"
echo "render / floor; peak: peak working set above the process's own before the first render"
echo "(the 640x480 bitmap, 1.2 MB, included); 32/64: the 32-bit render over the 64-bit one."
