#!/bin/sh
# The directory walker against find(1) on the same 100,000-file tree, in the
# same run: builds files_walk_bench in a release build, makes the tree under
# /tmp (once), then times both.  find is given the equivalent test
# (case-insensitive name, regular files, hidden folders pruned) and, like the
# walker, reads each file's size and date (-printf '%s %T@').
#   CV_SOURCE  source tree (default: this repository)
#   CV_BUILD   build folder (default: <source>/build/release)
#   CV_WALK_TREE  where the tree lives (default: /tmp/cv_files_bench_tree)
set -e
SRC=${CV_SOURCE:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${CV_BUILD:-$SRC/build/release}
TREE=${CV_WALK_TREE:-/tmp/cv_files_bench_tree}
export CV_WALK_TREE="$TREE"

if [ ! -f "$TREE/.complete" ]; then
  rm -rf "$TREE"
  # 20 top folders x 10 subfolders x 500 files = 100,000 files (one in ten
  # is not a .txt file), plus a few hidden folders the walk must skip.
  python3 - "$TREE" <<'PY'
import os, sys
root = sys.argv[1]
for a in range(20):
    for b in range(10):
        d = os.path.join(root, f"top{a:02d}", f"Sub{b}")
        os.makedirs(d, exist_ok=True)
        for i in range(500):
            ext = ".dat" if i % 10 == 0 else (".TXT" if i % 7 == 0 else ".txt")
            with open(os.path.join(d, f"file{i:04d}{ext}"), "w") as f:
                f.write("x")
    os.makedirs(os.path.join(root, f"top{a:02d}", ".hidden"), exist_ok=True)
open(os.path.join(root, ".complete"), "w").close()
PY
fi

cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCV_BENCH=ON -DCV_TESTS=OFF >/dev/null
ninja -C "$BUILD" -j2 files_walk_bench >/dev/null

# Warm the caches once for both.
find "$TREE" >/dev/null

echo "== find (5 runs)"
best_find=""
best_find_cpu=""
for i in 1 2 3 4 5; do
  /usr/bin/time -f '%e %U %S' -o /tmp/cv_files_find_time.txt \
    find "$TREE" -mindepth 1 -name '.*' -prune -o -type f -iname '*.txt' -printf '%s %T@\n' >/tmp/cv_files_find_out.txt
  n=$(wc -l </tmp/cv_files_find_out.txt)
  ms=$(awk '{printf "%d", $1 * 1000}' /tmp/cv_files_find_time.txt)
  cpu=$(awk '{printf "%d", ($2 + $3) * 1000}' /tmp/cv_files_find_time.txt)
  echo "find: ${ms} ms real, ${cpu} ms cpu, ${n} files"
  if [ -z "$best_find" ] || [ "$ms" -lt "$best_find" ]; then best_find=$ms; fi
  if [ -z "$best_find_cpu" ] || [ "$cpu" -lt "$best_find_cpu" ]; then best_find_cpu=$cpu; fi
done

echo "== walker"
"$BUILD/bin/files_walk_bench" --benchmark_repetitions=5 --benchmark_min_time=0.01 \
  --benchmark_report_aggregates_only=false --benchmark_format=console | tee /tmp/cv_files_walk_bench.txt
best_walk=$(awk '/^BM_WalkTree\/real_time /{v=$2; if (min=="" || v<min) min=v} END{print int(min)}' /tmp/cv_files_walk_bench.txt)
best_walk_cpu=$(awk '/^BM_WalkTree\/real_time /{v=$4; if (min=="" || v<min) min=v} END{print int(min)}' /tmp/cv_files_walk_bench.txt)
echo "best find: ${best_find} ms real, ${best_find_cpu} ms cpu; best walker: ${best_walk} ms real, ${best_walk_cpu} ms cpu"
awk -v w="$best_walk" -v f="$best_find" -v wc="$best_walk_cpu" -v fc="$best_find_cpu" \
  'BEGIN{ if (f > 0 && fc > 0) printf "walker / find = %.2f (real), %.2f (cpu)\n", w / f, wc / fc }'
