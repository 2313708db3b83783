#!/bin/sh
# Builds the list benchmarks in a release build and runs them with their
# peers (std::sort, raw write/read) side by side, several repetitions, so
# the ratios come from the same run on the same machine.
#   CV_SOURCE  source tree (default: this repository)
#   CV_BUILD   build folder (default: <source>/build/release)
set -e
SRC=${CV_SOURCE:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${CV_BUILD:-$SRC/build/release}
cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCV_BENCH=ON -DCV_TESTS=OFF >/dev/null
ninja -C "$BUILD" -j2 lists_bench
"$BUILD/bin/lists_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
