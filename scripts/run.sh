#!/usr/bin/env bash
# Builds the application folder build/Kolvex/ and starts the program from it.
# Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
exec build/Kolvex/kolvex-cli "$@"
