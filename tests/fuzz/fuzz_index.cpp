// libFuzzer entry point for the search index reader. The input is a list of edits to the
// real index of a small catalog (bytes changed, cut out, put in), and the edited index is
// written where the search looks for it.
//
// Left as they are, the digests must make the search refuse the edited index or answer
// exactly as the search that reads the catalog: the same hits, statuses and messages.
// Resealed (the catalog's identity and every digest made to fit the edited bytes), the
// index passes its checks and may name other records; the search must then still stay
// within the mapped file and the catalog, which the sanitizers watch.
//
// Input: one byte of flags (bit 0: reseal), then edits of four bytes each: a little-endian
// offset (taken modulo the size plus one), an operation (xor, set, cut here, put in) and
// a value.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/app/LanguageFile.h"
#include "core/index/IndexFormat.h"
#include "core/index/IndexLocation.h"
#include "core/index/IndexMaintenance.h"
#include "core/search/SearchEngine.h"
#include "support/CatalogCraft.h"
#include "support/SearchTranscript.h"
#include "support/TempDir.h"

using namespace kolvex;

namespace {

using Transcript = test::SearchTranscript;

struct Messages final : Dialogs {
  void message(MessageKind, const std::string& text) override { texts.push_back(text); }
  Answer ask(const std::string&, bool) override { return Answer::No; }
  std::vector<std::string> texts;
};

// Masks that each hold a trigram, so every run is answered from the index when it is taken.
const char* const kMasks[] = {"*txt*", "*.txt;*rep*", "*READ*;[!r]*ort*", "*port*;;*.DOC"};

struct Rig {
  test::TempDir tmp;
  std::string catalog = tmp.file("fuzz.qel");
  std::string indexPath;
  std::string good;
  index::CatalogIdentity identity{};
  std::vector<Transcript> plain;

  Rig() {
    test::writeFile(tmp.file("Fuzz.ini"), "[ResourceStrings]\nA045=Searching %s (%d of %d)\nA046=%d hit(s)\n");
    using test::dir;
    using test::file;
    test::writeCatalog(
        catalog,
        dir("", {file("report.txt", 10), file("Readme.TXT", 5LL << 30), file("a;b"), file("[x]"),
                 file("\xff\xfe.txt"), file(""), file("b\\c"),
                 dir("reports", {file("q1.txt"), file("Q2.TXT"), file("notes.doc"),
                                 dir("old", {file("report.txt.bak"), file("portrait")})}),
                 dir("empty")}));
    std::string error;
    if (index::EnsureIndex(catalog, true, error) != index::IndexOutcome::Built) {
      std::fprintf(stderr, "cannot build the index: %s\n", error.c_str());
      std::abort();
    }
    indexPath = index::indexPathsOf(catalog)[0];
    good = test::readFile(indexPath);
    index::IndexHeader h;
    std::memcpy(&h, good.data(), sizeof h);
    identity = h.catalog;
    for (const char* m : kMasks) plain.push_back(run(false, m));
  }

  Transcript run(bool indexed, const char* mask) {
    Transcript t;
    Messages dialogs;
    NoEventPump pump;
    LanguageFile language(tmp.path(), "Fuzz");
    SearchEngine engine(pump, dialogs, language);
    engine.setListener(&t);
    engine.setIndexed(indexed);
    engine.setArchives({{"fuzz", catalog, true}});
    engine.setMask(mask);
    engine.StartSearch();
    t.messages = dialogs.texts;
    return t;
  }
};

template <class T>
T* at(std::string& bytes, std::uint64_t offset) {
  return reinterpret_cast<T*>(bytes.data() + offset);
}

// Makes the identity and every digest fit the bytes, where the counts leave room for them.
void reseal(std::string& bytes, const index::CatalogIdentity& identity) {
  using namespace index;
  if (bytes.size() < sizeof(IndexHeader)) return;
  IndexHeader h;
  std::memcpy(&h, bytes.data(), sizeof h);
  h.catalog = identity;
  h.fileSize = bytes.size();
  const std::optional<IndexLayout> layout = layoutOf(h);
  if (layout && layout->end == bytes.size()) {
    const IndexLayout& l = *layout;
    const auto* file = reinterpret_cast<const unsigned char*>(bytes.data());
    auto* blocks = at<std::uint64_t>(bytes, l.blocks);
    const auto* nameEnds = at<std::uint32_t>(bytes, l.nameEnds);
    auto* trigrams = at<TrigramEntry>(bytes, l.trigrams);
    const char* postings = bytes.data() + l.postings;
    for (std::uint64_t b = 0; b < l.blockCount; ++b) {
      const std::uint64_t from = b * kBlockRecords;
      const std::uint64_t to = std::min(h.recordCount, from + kBlockRecords);
      const std::uint64_t nameFrom = from == 0 ? 0 : nameEnds[from - 1];
      const std::uint64_t nameTo = nameEnds[to - 1];
      if (nameFrom <= nameTo && nameTo <= h.namesSize)
        blocks[b] = blockDigestOf(file, l, h.recordCount, b, nameFrom, nameTo);
    }
    for (std::uint64_t i = 0; i < h.trigramCount; ++i) {
      const std::uint64_t from = i == 0 ? 0 : trigrams[i - 1].postingsEnd;
      const std::uint64_t to = trigrams[i].postingsEnd;
      if (from <= to && to <= h.postingsSize)
        trigrams[i].digest = static_cast<std::uint32_t>(digestOf(postings + from, to - from));
    }
    auto* fences = at<TableFence>(bytes, l.fences);
    for (std::uint64_t c = 0; c < l.fenceCount; ++c) {
      const std::uint64_t n = std::min(kTableChunk, h.trigramCount - c * kTableChunk);
      fences[c].digest =
          static_cast<std::uint32_t>(digestOf(trigrams + c * kTableChunk, n * sizeof(TrigramEntry)));
    }
    auto* runs = at<PathRun>(bytes, l.pathRuns);
    for (std::uint64_t i = 0; i < h.pathRunCount; ++i) {
      const std::uint64_t from = i == 0 ? 0 : runs[i - 1].pathEnd;
      const std::uint64_t to = runs[i].pathEnd;
      if (from <= to && to <= h.pathsSize)
        runs[i].digest = static_cast<std::uint32_t>(digestOf(bytes.data() + l.paths + from, to - from));
    }
    h.blocksDigest = digestOf(blocks, l.blockCount * 8);
    h.tablesDigest = tablesDigestOf(file, h, l);
  }
  h.selfDigest = digestOf(&h, offsetof(IndexHeader, selfDigest));
  std::memcpy(bytes.data(), &h, sizeof h);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Rig rig;
  const bool resealed = size > 0 && (data[0] & 1);
  std::string bytes = rig.good;
  for (std::size_t k = 1; k + 4 <= size; k += 4) {
    const std::size_t offset = (data[k] | (std::size_t{data[k + 1]} << 8)) % (bytes.size() + 1);
    const auto value = static_cast<char>(data[k + 3]);
    switch (data[k + 2] % 4) {
      case 0:
        if (offset < bytes.size()) bytes[offset] = static_cast<char>(bytes[offset] ^ value);
        break;
      case 1:
        if (offset < bytes.size()) bytes[offset] = value;
        break;
      case 2: bytes.resize(offset); break;
      default: bytes.insert(offset, 1, value); break;
    }
  }
  if (resealed) reseal(bytes, rig.identity);
  test::writeFile(rig.indexPath, bytes);
  for (std::size_t m = 0; m < std::size(kMasks); ++m) {
    const Transcript t = rig.run(true, kMasks[m]);
    if (!resealed && !(t == rig.plain[m])) {
      std::fprintf(stderr, "an edited index changed the result of mask %s\n", kMasks[m]);
      std::abort();
    }
    test::writeFile(rig.indexPath, bytes);  // the run may have made the index again
  }
  return 0;
}
