#pragma once
// The layout of a catalog's index file. Everything is little-endian; each section starts
// aligned for its items. It holds, in file order, everything a search tests of a record
// and everything a hit shows of it, so a search reads a catalog's header and nothing
// else of it. The per-record columns are as narrow as the values allow:
//
//   IndexHeader
//   u64             [blockCount]      per block of kBlockRecords records, a digest of its
//                                     slices of the columns and of the name bytes
//   TableFence      [fenceCount]      per chunk of kTableChunk entries of the trigram
//                                     table, its first trigram and a digest of it
//   i64             [recordCount]     sizes
//   f64             [recordCount]     times
//   TrigramEntry    [trigramCount]    sorted by trigram: where its posting list ends
//   PathRun         [pathRunCount]    the records' paths ("X:\...\"): from which record
//                                     on each path holds, until the next run
//   u32             [recordCount]     name ends (a name runs from the previous end, 0 first)
//   i32             [paletteCount]    the distinct attribute values in the order they first
//                                     occur, at most 256
//   u8              [recordCount]     attributes, as places in that palette
//   postings        [postingsSize]    per trigram, the record numbers holding it, as
//                                     gaps in LEB128 varints (first number, then
//                                     next - previous - 1)
//   paths           [pathsSize]       the runs' paths back to back
//   names           [namesSize]       each record's name under test (its path when it has
//                                     no name) as the catalog reader gives it, back to back
//
// Trigrams are taken from the names folded as masks fold them (a to z upper-cased).
// The header names the catalog it came from (device, inode, size, time, a digest of
// its header bytes) and carries digests of itself, of the table fences, the path runs and
// the palette, and of the block digests, so the parts a search relies on are checked
// before it uses them; blocks, chunks of the trigram table, posting lists and paths are
// checked when a search first touches them (a lookup reads one chunk of the table).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kolvex::index {

inline constexpr char kMagic[8] = {'K', 'V', 'X', 'I', 'D', 'X', '\r', '\n'};
inline constexpr std::uint32_t kVersion = 5;
inline constexpr std::uint64_t kBlockRecords = 1024;
inline constexpr std::uint64_t kMaxPalette = 256;
inline constexpr std::uint64_t kTableChunk = 256;  // trigram entries: 4 KiB

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
  std::uint64_t pathRunCount;
  std::uint64_t paletteCount;
  std::uint64_t postingsSize;
  std::uint64_t pathsSize;
  std::uint64_t namesSize;
  std::uint64_t fileSize;
  std::uint64_t tablesDigest;  // of the table fences, the path runs and the palette
  std::uint64_t blocksDigest;  // of the block digests
  std::uint64_t selfDigest;    // of every byte above
};

struct TrigramEntry {
  std::uint32_t trigram;        // three folded bytes, the first one highest
  std::uint32_t digest;         // low half of the digest of its posting list
  std::uint64_t postingsEnd;    // its list runs from the previous entry's end (0 first)
};

struct PathRun {
  std::uint32_t firstRecord;  // ascending; the first run starts at record 0
  std::uint32_t digest;       // low half of the digest of its path
  std::uint64_t pathEnd;      // its path runs from the previous run's end (0 first)
};

// Where a chunk of the trigram table starts: entries k * kTableChunk up to the next chunk.
struct TableFence {
  std::uint32_t firstTrigram;  // its first entry's, ascending from chunk to chunk
  std::uint32_t digest;        // low half of the digest of its entries
  std::uint64_t postingsFrom;  // where its first entry's posting list starts
};

static_assert(sizeof(IndexHeader) % 8 == 0 && sizeof(TrigramEntry) == 16 &&
              sizeof(PathRun) == 16 && sizeof(TableFence) == 16);

// Where each section of an index starts, as offsets into the file.
struct IndexLayout {
  std::uint64_t blocks, fences, sizes, times, trigrams, pathRuns, nameEnds, palette,
      attributes, postings, paths, names, end;
  std::uint64_t blockCount, fenceCount;
};
// The layout the header's counts give; nothing when they overflow or name more than the
// format allows (more than 4 Gi records or name bytes, a palette over kMaxPalette).
std::optional<IndexLayout> layoutOf(const IndexHeader& header);

// What the search tests of one record, gathered from the columns.
struct IndexEntry {
  std::int64_t size;
  double time;
  std::int32_t attribute;
};

// The byte as masks compare it: a to z as A to Z, every other byte as it is.
constexpr unsigned char foldByte(unsigned char b) {
  return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - ('a' - 'A')) : b;
}
std::string foldName(std::string_view name);

constexpr std::uint32_t trigramAt(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}

std::uint64_t digestOf(const void* data, std::size_t size);
// The digest of several pieces as if they stood back to back.
struct Piece {
  const void* data;
  std::size_t size;
};
std::uint64_t digestOf(std::initializer_list<Piece> pieces);

// The same digest of bytes that arrive piece by piece.
class Digest {
 public:
  Digest();
  void add(const void* data, std::size_t size);
  std::uint64_t value() const;

 private:
  alignas(64) unsigned char state_[640];
};

// What the digest of one block covers: its slices of the columns and its names, and where
// its names start (the previous block's last name end).
struct BlockSlices {
  std::uint64_t nameFrom;
  std::uint64_t count;
  const void* sizes;
  const void* times;
  const void* nameEnds;
  const void* attributes;
  const void* names;
  std::uint64_t namesSize;
};
std::uint64_t blockDigestOf(const BlockSlices& block);

// The digest of block b of an index laid out as layout says, from the file's bytes.
// nameFrom and nameTo bound its names (checked by the caller).
std::uint64_t blockDigestOf(const unsigned char* file, const IndexLayout& layout,
                            std::uint64_t recordCount, std::uint64_t b, std::uint64_t nameFrom,
                            std::uint64_t nameTo);

// The digest of the table fences, the path runs and the palette of an index.
std::uint64_t tablesDigestOf(const unsigned char* file, const IndexHeader& header,
                             const IndexLayout& layout);

}  // namespace kolvex::index
