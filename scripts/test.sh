#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DKOLVEX_SANITIZE=ON >/dev/null
cmake --build build/test -j"$(nproc)"
cd build/test
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j"$(nproc)"
