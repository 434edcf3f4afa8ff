#include "core/index/IndexBuilder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/persist/RecordScanner.h"

namespace kolvex::index {
namespace {

void appendVarint(std::string& out, std::uint64_t v) {
  while (v >= 0x80) {
    out += static_cast<char>((v & 0x7F) | 0x80);
    v >>= 7;
  }
  out += static_cast<char>(v);
}

template <class T>
void appendRaw(std::string& out, const T* items, std::size_t count) {
  out.append(reinterpret_cast<const char*>(items), count * sizeof(T));
}

}  // namespace

void IndexBuilder::add(std::uint64_t position, const RecordView& record) {
  if (entries_.size() >= std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("too many records for an index");
  const std::string_view name = NameUnderTest(record);
  const std::size_t start = names_.size();
  if (name.size() > std::numeric_limits<std::uint32_t>::max() - start)
    throw std::length_error("too many name bytes for an index");
  names_ += name;
  auto* folded = reinterpret_cast<unsigned char*>(names_.data() + start);
  for (std::size_t i = 0; i < name.size(); ++i) folded[i] = foldByte(folded[i]);

  IndexEntry e{};
  e.position = position;
  e.size = record.FileSize;
  e.time = record.CreateDateTime;
  e.attribute = record.Attribute;
  e.nameEnd = static_cast<std::uint32_t>(names_.size());
  const auto number = static_cast<std::uint32_t>(entries_.size());
  entries_.push_back(e);

  nameTrigrams_.clear();
  for (std::size_t i = 0; i + 3 <= name.size(); ++i) nameTrigrams_.push_back(trigramAt(folded + i));
  std::sort(nameTrigrams_.begin(), nameTrigrams_.end());
  nameTrigrams_.erase(std::unique(nameTrigrams_.begin(), nameTrigrams_.end()), nameTrigrams_.end());
  for (std::uint32_t t : nameTrigrams_) pairs_.push_back(std::uint64_t{t} << 32 | number);
}

std::string IndexBuilder::finish(const CatalogIdentity& catalog) {
  // Records were added in order, so a stable order by trigram keeps each list ascending.
  std::sort(pairs_.begin(), pairs_.end());
  std::vector<TrigramEntry> table;
  std::string postings;
  for (std::size_t i = 0; i < pairs_.size();) {
    const auto trigram = static_cast<std::uint32_t>(pairs_[i] >> 32);
    const std::size_t start = postings.size();
    std::uint64_t previous = 0;
    bool first = true;
    for (; i < pairs_.size() && (pairs_[i] >> 32) == trigram; ++i) {
      const std::uint64_t number = pairs_[i] & 0xFFFFFFFFu;
      appendVarint(postings, first ? number : number - previous - 1);
      previous = number;
      first = false;
    }
    const auto digest =
        static_cast<std::uint32_t>(digestOf(postings.data() + start, postings.size() - start));
    table.push_back({trigram, digest, postings.size()});
  }

  std::vector<std::uint64_t> blocks;
  for (std::size_t b = 0; b * kBlockRecords < entries_.size(); ++b) {
    const std::size_t from = b * kBlockRecords;
    const std::size_t to = std::min(entries_.size(), from + kBlockRecords);
    const std::size_t nameFrom = from == 0 ? 0 : entries_[from - 1].nameEnd;
    const std::size_t nameTo = entries_[to - 1].nameEnd;
    blocks.push_back(digestOf(&entries_[from], (to - from) * sizeof(IndexEntry),
                              names_.data() + nameFrom, nameTo - nameFrom));
  }

  IndexHeader h{};
  std::memcpy(h.magic, kMagic, sizeof kMagic);
  h.version = kVersion;
  h.headerSize = sizeof(IndexHeader);
  h.catalog = catalog;
  h.recordCount = entries_.size();
  h.trigramCount = table.size();
  h.postingsSize = postings.size();
  h.namesSize = names_.size();
  h.trigramDigest = digestOf(table.data(), table.size() * sizeof(TrigramEntry));
  h.blockDigestsDigest = digestOf(blocks.data(), blocks.size() * sizeof(std::uint64_t));

  std::string out;
  out.resize(sizeof(IndexHeader));
  appendRaw(out, entries_.data(), entries_.size());
  appendRaw(out, blocks.data(), blocks.size());
  appendRaw(out, table.data(), table.size());
  out += postings;
  out += names_;
  h.fileSize = out.size();
  h.selfDigest = digestOf(&h, offsetof(IndexHeader, selfDigest));
  std::memcpy(out.data(), &h, sizeof h);
  return out;
}

}  // namespace kolvex::index
