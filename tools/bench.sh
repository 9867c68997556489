#!/usr/bin/env bash
# Speed and memory of a render on large generated CSV files (4 numeric columns, 640x480),
# through the exported QOR_LoadBitmapA, in-process. For each file, rounds of one process per
# target, the targets by turns; in each process the render and the floor (reading the file in
# 1 MiB blocks and converting every field with std::from_chars, nothing else) run by turns.
# Each render is divided by the floor run right after it: the median of these ratios over
# all rounds, and their quartiles, show what a busy machine does to the figures. Beside:
# the medians of the times, the peak working set above the process's own, and gnuplot's png
# terminal drawing the same four series, and the detected render over the strict one (csvbench
# detect, in the same rounds, on the file with a header line added). Last, the 32-bit plug-in
# renders 100 million rows (3.8 GB).
#   bench.sh BUILD_DIR
# BENCH_FILES (default "10k 100k 1m 10m 100m") picks the sizes, BENCH_ROUNDS (default 5)
# the rounds, BENCH_TARGETS (default "64 32") the targets: "64" alone where 32-bit code runs
# only under an emulator, whose times say nothing of the plug-in's (its columns show nan).
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

# The file with the header line a,b,c,d before its rows, for the detected render.
with_header() {  # file headed
  [ -s "$2" ] && return 0
  { echo 'a,b,c,d'; cat "$1"; } > "$2"
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

bench64=("$root/tools/winerun.sh" 64 "$root/$build/wine" "$build/x86_64/bin/csvbench.exe")
bench32=("$root/tools/winerun.sh" 32 "$root/$build/wine" "$build/i686/bin/csvbench.exe")
dll64=$build/x86_64/bin/csvchart.dll
dll32=$build/i686/bin/csvchart.dll

rows_of() { case $1 in 10k) echo 10000 ;; 100k) echo 100000 ;; 1m) echo 1000000 ;; 10m) echo 10000000 ;; esac; }
files=${BENCH_FILES:-10k 100k 1m 10m 100m}
rounds=${BENCH_ROUNDS:-5}
targets=${BENCH_TARGETS:-64 32}
measured() { [[ " $targets " == *" $1 "* ]]; }

# Field NAME of a csvbench line: its number, or (for renders, floors, ratios) its list.
field() { awk -v k="$1" -F'\t' '{ for (i = 1; i <= NF; i++) if (index($i, k " ") == 1) { sub(k " ", "", $i); print $i } }'; }

# The median and quartiles of comma-separated lists, one a line: "median q1 q3".
quartiles() {
  tr ',' '\n' | sort -g | awk '{ v[n++] = $1 }
    function at(p,  x, i) { x = p * (n - 1); i = int(x); return v[i] + (x - i) * (v[i + 1 < n ? i + 1 : i] - v[i]) }
    END { printf "%.4f %.4f %.4f", at(0.5), at(0.25), at(0.75) }'
}

# Rounds of compare for one file, and of detect for it with a header line: both targets by
# turns; prints per target "render floor ratio ratio-q1 ratio-q3 peak pairs detected/strict
# det-q1 det-q3".
compare_rounds() {  # file headed-file runs detect-turns
  local win headed round bits line
  win=$(windows_path "$1")
  headed=$(windows_path "$2")
  : >"$dir/rounds64" && : >"$dir/rounds32" && : >"$dir/detect64" && : >"$dir/detect32"
  for round in $(seq "$rounds"); do
    for bits in $targets; do
      if [ "$bits" = 64 ]; then line=$("${bench64[@]}" compare "$dll64" "$3" "$win")
      else line=$("${bench32[@]}" compare "$dll32" "$3" "$win"); fi
      grep -q 'NO BITMAP' <<<"$line" && { say "no bitmap from the $bits-bit plug-in for $1"; exit 1; }
      echo "$line" >>"$dir/rounds$bits"
      if [ "$bits" = 64 ]; then "${bench64[@]}" detect "$4" "$headed" >>"$dir/detect64"
      else "${bench32[@]}" detect "$4" "$headed" >>"$dir/detect32"; fi
    done
  done
  for bits in 64 32; do
    local times=$dir/rounds$bits
    measured "$bits" || { echo "nan nan nan nan nan nan 0 nan nan nan"; continue; }
    printf '%s %s %s %s %s %s\n' \
      "$(field renders <"$times" | quartiles | cut -d' ' -f1)" \
      "$(field floors <"$times" | quartiles | cut -d' ' -f1)" \
      "$(field ratios <"$times" | quartiles)" \
      "$(field 'peak above baseline' <"$times" | sort -g | tail -1 | cut -d' ' -f1)" \
      "$(field ratios <"$times" | tr ',' '\n' | grep -c .)" \
      "$(field ratios <"$dir/detect$bits" | quartiles)"
  done
}

printf '\n%-10s %7s | %8s %8s %-17s %7s %-17s | %8s %-17s %7s %-17s | %6s %8s\n' file MB render64 floor64 'ratio (IQR)' \
  peak64 'det/str (IQR)' render32 'ratio (IQR)' peak32 'det/str (IQR)' '32/64' gnuplot
for size in $files; do
  [ "$size" = 100m ] && continue
  file=$dir/rows-$size.csv
  generate "$(rows_of "$size")" "$file"
  headed=$dir/headed-$size.csv
  with_header "$file" "$headed"
  # At ten million rows the detected and strict renders differ by less than the machine
  # moves between minutes: more pairs.
  runs=5 turns=5; [ "$size" = 10m ] && runs=2 turns=4
  results=$(compare_rounds "$file" "$headed" "$runs" "$turns")
  png=$(gnuplot_png "$file")
  mb=$(awk -v b="$(stat -c %s "$file")" 'BEGIN { printf "%.1f", b / 1048576 }')
  read -r r64 f64 m64 lo64 hi64 p64 n64 d64 dlo64 dhi64 < <(sed -n 1p <<<"$results")
  read -r r32 f32 m32 lo32 hi32 p32 n32 d32 dlo32 dhi32 < <(sed -n 2p <<<"$results")
  awk -v n="rows-$size" -v mb="$mb" -v r="$r64" -v f="$f64" -v m="$m64" -v lo="$lo64" -v hi="$hi64" -v p="$p64" \
      -v d="$d64" -v dlo="$dlo64" -v dhi="$dhi64" -v r2="$r32" -v m2="$m32" -v lo2="$lo32" -v hi2="$hi32" -v p2="$p32" \
      -v d2="$d32" -v dlo2="$dlo32" -v dhi2="$dhi32" -v g="$png" 'BEGIN {
    printf "%-10s %7s | %7.3fs %7.3fs %5.2f (%4.2f-%4.2f) %5.1fMB %5.2f (%4.2f-%4.2f) | %7.3fs %5.2f (%4.2f-%4.2f) %5.1fMB %5.2f (%4.2f-%4.2f) | %5.2fx %7.3fs\n",
      n, mb, r, f, m, lo, hi, p, d, dlo, dhi, r2, m2, lo2, hi2, p2, d2, dlo2, dhi2, r2 / r, g }'
  echo "           ($n64 render-floor pairs and $((rounds * turns)) strict-detected pairs per target, in $rounds rounds)"
done

if [[ " $files " == *" 100m "* ]] && measured 32; then
  # 100 million rows: the 10-million-row file ten times over.
  generate 10000000 "$dir/rows-10m.csv"
  huge=$dir/rows-100m.csv
  if [ ! -s "$huge" ]; then
    say "generating $huge (3.8 GB)"
    for i in 0 1 2 3 4 5 6 7 8 9; do cat "$dir/rows-10m.csv"; done > "$huge"
  fi
  say "rendering 100 million rows through the 32-bit plug-in"
  "${bench32[@]}" compare "$dll32" 1 "$(windows_path "$huge")" | cut -f1-6 | sed 's/^/100m rows, 32-bit: /'
fi
echo
echo "render: QOR_LoadBitmapA, median; floor: the file read in 1 MiB blocks and every field"
echo "converted with std::from_chars, by turns with the render in the same process; ratio:"
echo "median of each render over the floor run right after it, with the quartiles of these"
echo "ratios (IQR); peak: the highest peak working set above the process's own before the first"
echo "render (the 640x480 bitmap, 1.2 MB, included); det/str: the median, with quartiles, of each"
echo "detected render (csvbench detect: in panels, as the plug-in draws it) over the strict render"
echo "run right before it, both of the file with the header line a,b,c,d added; 32/64: the 32-bit"
echo "render over the 64-bit one."
