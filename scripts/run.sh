#!/usr/bin/env bash
# Installs what is missing, builds the release configuration and runs the
# command-line tool with its defaults.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${CV_RELEASE_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCV_TESTS=OFF
cmake --build "$build" -j "$(nproc)" --target corvane
"$build/bin/corvane" "$@"
