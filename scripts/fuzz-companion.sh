#!/usr/bin/env bash
# Builds the fingerprint file reader's fuzzer with clang and runs it from a few made-up
# companion files. Crashing inputs land in fuzz-out/.
#   scripts/fuzz-companion.sh [SECONDS]   (default 120)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
seconds=${1:-120}
out=build/fuzz
mkdir -p "$out/companion-corpus" fuzz-out
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc \
  src/core/content/CompanionFile.cpp src/core/content/Fingerprint.cpp \
  tests/fuzz/fuzz_companion.cpp -lxxhash -o "$out/fuzz_companion"
# Seeds: the mark and a count, so the fuzzer starts inside the format.
printf 'KVXQFP01%040d' 0 > "$out/companion-corpus/empty"
"$out/fuzz_companion" -max_total_time="$seconds" -max_len=4096 -timeout=5 \
  -rss_limit_mb=2048 -artifact_prefix=fuzz-out/ -print_final_stats=1 "$out/companion-corpus"
