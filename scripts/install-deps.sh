#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Only what is missing is installed, so running it again is cheap.
set -euo pipefail

packages=(
  # toolchain
  g++ clang cmake ninja-build pkg-config make
  # libraries
  libicu-dev libzip-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
  # oracles and peers used by the tests
  file zip unzip icu-devtools python3-scipy fp-compiler
  # real data the tests read: word lists, lemma exceptions, dictionary and
  # multilingual documentation text
  wamerican wordnet-base dict-gcide debian-handbook
  # peers of the benchmark scripts
  ripgrep time
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
