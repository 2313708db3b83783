#!/bin/sh
# Builds the release tree and runs the settings benchmark: a getter and a
# setter of libCairn7 called through dlsym pointers, beside a plain load and
# store in the same run.  Goal: within 3x of the plain access.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCV_BENCH=ON >/dev/null
ninja -C "$build" -j2 settings_bench
"$build/bin/settings_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
