#!/bin/sh
# Release build of the statistics benchmark, then 10 million keyness
# computations beside 10 million plain logarithms, in the same run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCV_BENCH=ON -DCV_TESTS=OFF >/dev/null
ninja -C "$build" -j2 stats_bench
"$build/bin/stats_bench" --benchmark_repetitions="${REPS:-3}" --benchmark_report_aggregates_only=true "$@"
