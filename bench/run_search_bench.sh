#!/bin/bash
# The search engine against ripgrep and grep over about 200 M characters of
# dict-gcide text, in the same run.  Usage: bench/run_search_bench.sh [build dir]
# Needs: apt-get install -y dict-gcide ripgrep libbenchmark-dev
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/search-bench}
data=${CV_SEARCH_BENCH_DIR:-/tmp/cv_search_bench}
mkdir -p "$data"
if [ ! -s "$data/text.1252" ]; then
  zcat /usr/share/dictd/gcide.dict.dz > "$data/one.txt"
  : > "$data/text.1252"
  while [ "$(stat -c %s "$data/text.1252")" -lt 200000000 ]; do cat "$data/one.txt" >> "$data/text.1252"; done
  head -c 200000000 "$data/text.1252" > "$data/t" && mv "$data/t" "$data/text.1252"
  # Stray 8-bit bytes are read as cp1252 on both sides.
  iconv -f CP1252 -t UTF-16LE -c < "$data/text.1252" > "$data/text.utf16"
  rm -f "$data/one.txt"
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCV_BENCH=ON -DCV_TESTS=OFF > /dev/null
ninja -C "$build" -j2 search_bench > /dev/null
t() { local s e; s=$(date +%s.%N); "$@" > "$data/out"; e=$(date +%s.%N); printf '%-55s %6.3f s  %s\n' "$*" "$(echo "$e - $s" | bc)" "$(wc -l < "$data/out") lines"; }
echo "== peers"
t rg -o -w -i -E utf-16le the "$data/text.utf16"
t rg -o -w -i -E utf-16le 'c\w*t' "$data/text.utf16"
t env LC_ALL=C grep -o -w -i -a the "$data/text.1252"
echo "== engine"
CV_SEARCH_BENCH_UTF16="$data/text.utf16" CV_SEARCH_BENCH_ANSI="$data/text.1252" \
  "$build/bin/search_bench" --benchmark_counters_tabular=true
