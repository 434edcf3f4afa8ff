#!/usr/bin/env bash
# Builds a fuzz target with clang and runs it. Crashing inputs land in fuzz-out/; keep each
# one as a test file once it is fixed.
#   scripts/fuzz.sh [readers|agreement|index] [SECONDS]   (default: readers, 300 s)
#   readers:   every reader of the program's files; corpus kept in tests/data/fuzz/catalog/
#   agreement: ls, the explorer and the search must agree on every catalog they all
#              accept; corpus kept in tests/data/fuzz/agreement/
#   index:     edits to a real search index must be refused or leave the hits as they
#              are; corpus kept in tests/data/fuzz/index/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
target=${1:-readers}
seconds=${2:-300}
out=build/fuzz
mkdir -p "$out" fuzz-out
persist=$(ls src/core/persist/*.cpp)
case "$target" in
  readers)
    sources="tests/support/ExerciseReaders.cpp tests/fuzz/fuzz_readers.cpp"
    keep=tests/data/fuzz/catalog ;;
  agreement)
    sources="src/core/explorer/FolderTreeLoader.cpp src/core/explorer/ListFolder.cpp
             src/core/explorer/FolderTree.cpp src/core/explorer/FolderEntry.cpp
             src/core/explorer/MarkedStream.cpp tests/core/explorer/CatalogAgreement.cpp
             tests/fuzz/fuzz_agreement.cpp"
    keep=tests/data/fuzz/agreement ;;
  index)
    sources="$(ls src/core/index/*.cpp src/core/search/*.cpp) $(ls src/core/app/*.cpp)
             tests/support/CatalogCraft.cpp tests/support/TempDir.cpp
             tests/fuzz/fuzz_index.cpp -lxxhash"
    keep=tests/data/fuzz/index ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined,float-cast-overflow \
  -Isrc -Itests $persist $sources -o "$out/fuzz_$target"
mkdir -p "$out/corpus_$target" "$keep"
if [ "$target" = index ]; then
  # Its inputs are edits to an index the target makes itself: it starts from nothing.
  exec "$out/fuzz_$target" -max_total_time="$seconds" -max_len=512 -timeout=5 \
    -rss_limit_mb=2048 -artifact_prefix=fuzz-out/ -print_final_stats=1 "$out/corpus_$target" "$keep"
fi
# Seeds: the corpora kept in the tests, plus freshly made files of every kind.
g++ -std=c++20 -O1 -Isrc -Itests $persist tests/support/CatalogCraft.cpp tests/support/TempDir.cpp \
  tests/fuzz/make_seeds.cpp -o "$out/make_seeds"
mkdir -p "$out/seeds"
"$out/make_seeds" "$out/seeds"
"$out/fuzz_$target" -dict=tests/fuzz/stream.dict -max_total_time="$seconds" -max_len=8192 \
  -timeout=5 -rss_limit_mb=2048 -artifact_prefix=fuzz-out/ -print_final_stats=1 \
  "$out/corpus_$target" "$out/seeds" "$keep" tests/data/fuzz/catalog
