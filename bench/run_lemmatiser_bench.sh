#!/bin/sh
# Builds the lemmatiser benchmark in a release build and runs the lemma list
# and its std::map peer side by side (same run, same machine), several
# repetitions.  Arguments go to the benchmark program.
#   CV_SOURCE  source tree (default: this repository)
#   CV_BUILD   build folder (default: <source>/build/release)
set -e
SRC=${CV_SOURCE:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${CV_BUILD:-$SRC/build/release}
cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCV_BENCH=ON -DCV_TESTS=OFF >/dev/null
ninja -C "$BUILD" -j2 lemmatiser_bench
"$BUILD/bin/lemmatiser_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
