#pragma once
// The layout of a catalog's index file. Everything is little-endian and 8-byte aligned:
//
//   IndexHeader
//   IndexEntry      [recordCount]     what the search tests per record, in file order
//   u64             [blockCount]      a digest of each block of kBlockRecords entries
//                                     together with their name bytes
//   TrigramEntry    [trigramCount]    sorted by trigram: where its posting list ends
//   postings        [postingsSize]    per trigram, the record numbers holding it, as
//                                     gaps in LEB128 varints (first number, then
//                                     next - previous - 1)
//   names           [namesSize]       each record's name under test, folded as masks
//                                     fold it (a to z upper-cased), back to back
//
// The header names the catalog it came from (device, inode, size, time, a digest of
// its header bytes) and carries digests of itself, of the trigram table and of the block
// digests, so the parts a search relies on are checked before it uses them; the blocks
// and posting lists are checked the first time a search touches them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kolvex::index {

inline constexpr char kMagic[8] = {'K', 'V', 'X', 'I', 'D', 'X', '\r', '\n'};
inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::uint64_t kBlockRecords = 1024;

// Where a catalog stood when its index was made.
struct CatalogIdentity {
  std::uint64_t device = 0, inode = 0, size = 0;
  std::int64_t mtimeSeconds = 0, mtimeNanoseconds = 0;
  std::uint64_t headerDigest = 0;  // of the catalog's bytes before its first record
  std::uint64_t recordBase = 0;    // where its first record starts

  bool operator==(const CatalogIdentity&) const = default;
};

struct IndexHeader {
  char magic[8];
  std::uint32_t version;
  std::uint32_t headerSize;
  CatalogIdentity catalog;
  std::uint64_t recordCount;
  std::uint64_t trigramCount;
  std::uint64_t postingsSize;
  std::uint64_t namesSize;
  std::uint64_t fileSize;
  std::uint64_t trigramDigest;
  std::uint64_t blockDigestsDigest;
  std::uint64_t selfDigest;  // of every byte above
};

struct IndexEntry {
  std::uint64_t position;  // of the record, counted from the catalog's record base
  std::int64_t size;
  double time;
  std::int32_t attribute;
  std::uint32_t nameEnd;  // the name runs from the previous entry's nameEnd (0 first)
};

struct TrigramEntry {
  std::uint32_t trigram;        // three folded bytes, the first one highest
  std::uint32_t digest;         // low half of the digest of its posting list
  std::uint64_t postingsEnd;    // its list runs from the previous entry's end (0 first)
};

static_assert(sizeof(IndexHeader) % 8 == 0 && sizeof(IndexEntry) == 32 &&
              sizeof(TrigramEntry) == 16);

// The byte as masks compare it: a to z as A to Z, every other byte as it is.
constexpr unsigned char foldByte(unsigned char b) {
  return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - ('a' - 'A')) : b;
}
std::string foldName(std::string_view name);

constexpr std::uint32_t trigramAt(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}

std::uint64_t digestOf(const void* data, std::size_t size);
// The digest of two pieces as if they stood back to back.
std::uint64_t digestOf(const void* a, std::size_t aSize, const void* b, std::size_t bSize);

}  // namespace kolvex::index
