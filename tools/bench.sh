#!/usr/bin/env bash
# Renders generated CSV files (4 numeric columns) at 640x480 through the exported
# QOR_LoadBitmapA, timed in-process (64-bit build; median of several runs), and in the same
# run times gnuplot's png and pngcairo terminals drawing the same files, reading and
# parsing the numbers alone, and cat as the floor. Peak memory comes from the 32-bit build.
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
median() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

time_command() {  # runs command...
  local runs=$1; shift
  for ((r = 0; r < runs; r++)); do
    local start; start=$(seconds)
    "$@" >/dev/null 2>&1
    awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f\n", b - a }'
  done | median
}

gnuplot_plot() {  # terminal file
  gnuplot -e "set terminal $1 size 640,480; set output '/dev/null'; set datafile separator ',';
    plot '$2' using 0:1 with lines notitle, '' using 0:2 with lines notitle,
         '' using 0:3 with lines notitle, '' using 0:4 with lines notitle"
}

windows_path() { printf 'P:\\%s' "$(realpath --relative-to="$root" "$1" | tr / '\\')"; }

bench64=("$root/tools/winerun.sh" 64 "$root/$build/wine64" "$build/x86_64/bin/csvbench.exe")
bench32=("$root/tools/winerun.sh" 32 "$root/$build/wine32" "$build/i686/bin/csvbench.exe")

generate 10000 "$dir/rows-10k.csv"
generate 100000 "$dir/rows-100k.csv"
generate 1000000 "$dir/rows-1m.csv"
generate 6000000 "$dir/rows-200mb.csv"

printf '\n%-16s %8s %9s %9s %9s %9s %9s %8s %8s %8s %7s\n' file MB plug-in parse png pngcairo cat \
  png/plug cairo/plg plug/prs peak32
for name in rows-10k rows-100k rows-1m rows-200mb; do
  file=$dir/$name.csv
  runs=5; [ "$name" = rows-1m ] && runs=3; [ "$name" = rows-200mb ] && runs=1
  win=$(windows_path "$file")
  plugin=$("${bench64[@]}" render "$build/x86_64/bin/csvchart.dll" $((runs + 2)) "$win" | awk '{ print $3 }')
  parse=$("${bench64[@]}" parse $((runs + 2)) "$win" | awk '{ print $6 }')
  peak=$("${bench32[@]}" render "$build/i686/bin/csvchart.dll" 1 "$win" | awk '{ print $(NF-1) }')
  png=$(time_command "$runs" gnuplot_plot png "$file")
  cairo=$(time_command "$runs" gnuplot_plot pngcairo "$file")
  cat=$(time_command "$runs" cat "$file")
  mb=$(awk -v b="$(stat -c %s "$file")" 'BEGIN { printf "%.1f", b / 1048576 }')
  awk -v n="$name" -v mb="$mb" -v p="$plugin" -v r="$parse" -v g="$png" -v c="$cairo" -v t="$cat" -v k="$peak" 'BEGIN {
    printf "%-16s %8s %8.3fs %8.3fs %8.3fs %8.3fs %8.3fs %7.1fx %7.1fx %7.1fx %5sMB\n",
      n, mb, p, r, g, c, t, g / p, c / p, p / r, k }'
done
echo
echo "plug-in: QOR_LoadBitmapA in-process, 64-bit, median; parse: reading and converting the"
echo "numbers alone; png/pngcairo: gnuplot drawing the same four series to a 640x480 PNG;"
echo "cat: reading the file; peak32: peak working set of the 32-bit build rendering the file."
