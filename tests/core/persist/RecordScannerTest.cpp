// The search's record scanner gives exactly what the general reader gives: the same
// fields, the same positions, the same errors.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/persist/ComponentReader.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"
#include "core/persist/RecordScanner.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

std::string describe(const RecordView& v, std::uint64_t end) {
  return std::string(v.FileName) + "|" + std::string(v.FilePath) + "|" +
         std::to_string(v.CreateDateTime) + "|" + std::to_string(v.Attribute) + "|" +
         std::to_string(v.BrotherRP) + "|" + std::to_string(v.ChildFileRP) + "|" +
         std::to_string(v.ChildDirRP) + "|" + std::to_string(v.FileSize) + "|" +
         std::to_string(v.FilesUnderMe) + "|" + std::to_string(v.DirsUnderMe) + "|" +
         std::to_string(v.FilesOnlyUM) + "|" + std::to_string(v.DirsOnlyUM) + "@" + std::to_string(end);
}

// Reads records back to back from offset 0, with the general reader or the scanner.
std::vector<std::string> readAll(const std::string& bytes, bool fast) {
  std::vector<std::string> out;
  MemoryStream in(bytes);
  RecordScanner scanner(in);
  TSCFileObjectInfo r;
  try {
    for (int i = 0; i < 64 && in.remaining() > 0; ++i) {
      if (fast) {
        const RecordView& v = scanner.next();
        out.push_back(describe(v, in.position()));
      } else {
        r.clear();
        readObject(in, r);
        RecordView v{r.FileName, r.FilePath, r.CreateDateTime, r.Attribute, r.BrotherRP, r.ChildFileRP,
                     r.ChildDirRP, r.FileSize, r.FilesUnderMe, r.DirsUnderMe, r.FilesOnlyUM, r.DirsOnlyUM};
        out.push_back(describe(v, in.position()));
      }
    }
  } catch (const EStreamError& e) {
    out.push_back(std::string("error: ") + e.what());
  }
  return out;
}

TEST(RecordScanner, UsualRecordsTakeTheFastPathAndMatchTheReader) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) {
    TSCFileObjectInfo r;
    r.FileName = i % 3 ? "file" + std::to_string(i) + ".txt" : "caf\xC3\xA9 \xE6\x97\xA5";
    r.FilePath = i % 5 ? "X:\\docs\\" : "\xE6\x97\xA5\xE6\x9C\xAC";  // the latter a WideString
    r.Attribute = i % 7 ? faArchive : faDirectory;
    r.FileSize = i * 1'000'000'007LL;
    r.CreateDateTime = 40000 + i / 7.0;
    r.BrotherRP = i - 1;
    if (i % 11 == 0) r.EXEIconSmall->setBytes(std::string("\0\0\1\0\1\0", 6) + std::string(i, 'x'));
    encodeObject(r, bytes);
  }
  MemoryStream in(bytes);
  RecordScanner s(in);
  for (int i = 0; i < 1000; ++i) s.next();
  EXPECT_EQ(s.slowRecords(), 0u);
  EXPECT_EQ(in.position(), bytes.size());
  EXPECT_EQ(readAll(bytes, true), readAll(bytes, false));
}

TEST(RecordScanner, UnusualRecordsGiveTheReadersResultsAndErrors) {
  auto b = [](std::initializer_list<int> v) {
    std::string s;
    for (int x : v) s += static_cast<char>(x);
    return s;
  };
  auto prop = [](const std::string& n, const std::string& v) { return static_cast<char>(n.size()) + n + v; };
  std::string start = "TPF0" + b({17}) + "TSCFileObjectInfo" + b({0});
  std::vector<std::string> cases = {
      start + prop("filename", b({6, 1, 'x'})) + b({0, 0}),                 // other letter case
      start + prop("FileName", b({6, 2, 'a', 0xE9})) + b({0, 0}),           // Windows-1252
      start + prop("Tag", b({2, 5})) + b({0, 0}),                           // inherited property
      start + prop("Attribute", b({19, 1, 0, 0, 0, 0, 0, 0, 0})) + b({0, 0}),  // wrong code
      start + prop("FileSize", b({6, 1, 'x'})) + b({0, 0}),
      start + prop("Nope", b({2, 1})) + b({0, 0}),
      start + prop("EXEIconSmall.Data", b({10, 6, 0, 0, 0, 0, 0, 3, 0, 1, 0})) + b({0, 0}),
      start + prop("CreateDateTime", b({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})) + b({0, 0}),
      start + prop("CreateDateTime", b({3, 1, 2})) + b({0, 0}),
      start + prop("FileName", b({20, 0xFF, 0xFF, 0, 0})) + b({0, 0}),
      start + b({0, 1}),
      "TPF0" + b({0xF0, 1, 'X', 0}) + prop("FileName", b({6, 1, 'f'})) + b({0, 0}),
      start.substr(0, 12),
  };
  for (const auto& c : cases) {
    std::string two = c + c;
    EXPECT_EQ(readAll(two, true), readAll(two, false)) << c;
  }
}

TEST(RecordScanner, TheFuzzCorpusReadsTheSameBothWays) {
  const char* data = std::getenv("KOLVEX_TEST_DATA");
  ASSERT_NE(data, nullptr);
  std::string dir = std::string(data) + "/fuzz/catalog/";
  for (const auto& name : test::listDir(dir)) {
    std::string bytes = test::readFile(dir + name);
    EXPECT_EQ(readAll(bytes, true), readAll(bytes, false)) << name;
    // The same after a header, as records stand in a catalog.
    for (std::size_t skip : {std::size_t{1}, std::size_t{37}}) {
      if (bytes.size() > skip) {
        std::string rest = bytes.substr(skip);
        EXPECT_EQ(readAll(rest, true), readAll(rest, false)) << name << "+" << skip;
      }
    }
  }
}

}  // namespace
}  // namespace kolvex
