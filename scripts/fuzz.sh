#!/usr/bin/env bash
# Builds the readers' fuzzer with clang and runs it. Crashing inputs land in fuzz-out/;
# keep each one as a test file in tests/data/fuzz/catalog/ once it is fixed.
#   scripts/fuzz.sh [SECONDS]   (default 300)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
seconds=${1:-300}
out=build/fuzz
mkdir -p "$out" fuzz-out
persist=$(ls src/core/persist/*.cpp)
support="tests/support/ExerciseReaders.cpp"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined,float-cast-overflow \
  -Isrc -Itests $persist $support tests/fuzz/fuzz_readers.cpp -o "$out/fuzz_readers"
# Seeds: the corpus kept in the tests, plus freshly made files of every kind.
g++ -std=c++20 -O1 -Isrc -Itests $persist tests/support/CatalogCraft.cpp tests/support/TempDir.cpp \
  tests/fuzz/make_seeds.cpp -o "$out/make_seeds"
mkdir -p "$out/seeds" "$out/corpus"
"$out/make_seeds" "$out/seeds"
"$out/fuzz_readers" -dict=tests/fuzz/stream.dict -max_total_time="$seconds" -max_len=8192 \
  -timeout=5 -rss_limit_mb=2048 -artifact_prefix=fuzz-out/ -print_final_stats=1 \
  "$out/corpus" "$out/seeds" tests/data/fuzz/catalog
