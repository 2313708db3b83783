#!/usr/bin/env bash
# corvane against ripgrep and grep (concordance of "the") and against a
# Python Counter (word list), on about 400 MB of dictionary text built from
# copies of dict-gcide, in the same run.  Peak memory from /usr/bin/time -v.
#
#   bash bench/run_tool_bench.sh [BUILD_DIR] [MB]
# BUILD_DIR defaults to build/release (a Release build of the corvane target).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
mb=${2:-400}
corvane="$build/bin/corvane"
[ -x "$corvane" ] || { echo "no $corvane: build the corvane target first" >&2; exit 1; }
for p in zcat rg grep /usr/bin/time /usr/bin/python3; do
  command -v "$p" >/dev/null || { echo "missing $p (apt-get install -y dict-gcide ripgrep time)" >&2; exit 1; }
done
[ -f /usr/share/dictd/gcide.dict.dz ] || { echo "apt-get install -y dict-gcide" >&2; exit 1; }

work=${TMPDIR:-/tmp}/corvane_bench
mkdir -p "$work/corpus"
one="$work/gcide.txt"
[ -s "$one" ] || zcat /usr/share/dictd/gcide.dict.dz > "$one"
size=$(stat -c %s "$one")
copies=$(( (mb * 1000000 + size - 1) / size ))
for i in $(seq 1 "$copies"); do
  [ -e "$work/corpus/gcide_$i.txt" ] || ln "$one" "$work/corpus/gcide_$i.txt" 2>/dev/null || cp "$one" "$work/corpus/gcide_$i.txt"
done
total=$((size * copies))
echo "corpus: $copies copies of dict-gcide, $((total / 1000000)) MB"
export CV_SETTINGS_REGION=corvane_bench_$$

# One timed run: prints "<seconds> <peak MB>" for the command.
measure() {
  local log; log=$(mktemp)
  /usr/bin/time -v "$@" > /dev/null 2> "$log" || { cat "$log" >&2; rm -f "$log"; return 1; }
  local wall peak
  wall=$(grep 'Elapsed (wall clock)' "$log" | awk '{print $NF}' | awk -F: '{ if (NF==3) print $1*3600+$2*60+$3; else print $1*60+$2 }')
  peak=$(grep 'Maximum resident set size' "$log" | awk '{printf "%.0f", $NF/1024}')
  rm -f "$log"
  echo "$wall $peak"
}

row() {  # name, command...
  local name=$1; shift
  read -r t m < <(measure "$@")
  printf "  %-34s %8.2f s %8s MB\n" "$name" "$t" "$m"
}

echo
echo "concordance of \"the\" (all hits, output to /dev/null):"
row "corvane concord the" "$corvane" concord the "$work/corpus" --no-colour --width 40
row "corvane concord the --count" "$corvane" concord the "$work/corpus" --count
row "rg -o -w -i the" rg -o -w -i the "$work/corpus"
# GNU grep stops at the first match when its output is /dev/null: pipe it.
row "grep -o -w -i the" bash -c "grep -r -o -w -i the '$work/corpus' | cat"
echo "  hits: corvane $("$corvane" concord the "$work/corpus" --count | tail -2 | head -1)," \
     "rg $(rg -o -w -i the "$work/corpus" | wc -l)"

echo
echo "word list (frequencies of every word):"
tokens=$("$corvane" wordlist "$work/corpus" --top 1 | head -1 | awk '{print $3}')
read -r t m < <(measure "$corvane" wordlist "$work/corpus" --top 0 --tsv)
printf "  %-34s %8.2f s %8s MB  %6.1f M tokens/s\n" "corvane wordlist" "$t" "$m" "$(echo "$tokens / $t / 1000000" | bc -l)"
pyfiles=("$work"/corpus/gcide_1.txt "$work"/corpus/gcide_2.txt)
pytokens=$("$corvane" wordlist "${pyfiles[@]}" --top 1 | head -1 | awk '{print $3}')
# The usual fast Python count: a compiled pattern and Counter.update per line.
cat > "$work/counter.py" <<'PY'
import collections, re, sys
pat = re.compile(r'[^\W_]+')
c = collections.Counter()
for name in sys.argv[1:]:
    with open(name, encoding='utf-8', errors='replace') as f:
        for line in f:
            c.update(pat.findall(line.lower()))
print(len(c), sum(c.values()))
PY
read -r t m < <(measure /usr/bin/python3 "$work/counter.py" "${pyfiles[@]}")
printf "  %-34s %8.2f s %8s MB  %6.1f M tokens/s\n" "Python Counter (2 copies)" "$t" "$m" "$(echo "$pytokens / $t / 1000000" | bc -l)"
read -r t m < <(measure "$corvane" wordlist "${pyfiles[@]}" --top 0 --tsv)
printf "  %-34s %8.2f s %8s MB  %6.1f M tokens/s\n" "corvane wordlist (2 copies)" "$t" "$m" "$(echo "$pytokens / $t / 1000000" | bc -l)"
echo "  tokens: $tokens in the corpus"
