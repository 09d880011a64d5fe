#!/usr/bin/env bash
# Builds every target with clang++ into build-clang/ (the tests run from the
# g++ build alone): the code must build with both of Debian's compilers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-clang --parallel "$(nproc)"
echo "Every target built with clang++."
