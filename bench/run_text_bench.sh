#!/bin/sh
# Text primitives and their peers (memchr, memmem, a u_charType loop) in one
# release run.  Needs: apt-get install -y dict-gcide libbenchmark-dev
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCV_BENCH=ON -DCV_TESTS=OFF > /dev/null
ninja -C "$build" -j2 text_bench
"$build/bin/text_bench" --benchmark_repetitions="${REPS:-3}" --benchmark_report_aggregates_only=true "$@"
