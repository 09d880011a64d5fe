#!/usr/bin/env bash
# Installs what is missing, builds the program and starts Trelvane, on the
# simulated board unless the environment chooses real hardware (see README).
# Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target trelvane
exec build/bin/trelvane "$@"
