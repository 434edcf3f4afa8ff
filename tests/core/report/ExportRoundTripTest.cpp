// Exports of generated catalogs with odd names, read back as another program would and
// compared with the tree that was written, entry by entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <nlohmann/json.hpp>
#include <sstream>
#include <tuple>

#include "core/persist/CatalogFolder.h"
#include "core/persist/PersistError.h"
#include "core/persist/TextCodec.h"
#include "core/report/CatalogExport.h"
#include "core/report/CsvExportWriter.h"
#include "core/report/RowText.h"
#include "core/search/TUSearch.h"
#include "support/ExportParsing.h"
#include "support/OddCatalog.h"
#include "support/TempDir.h"

namespace kolvex::test {
namespace {

// kind, name, folder, size, time, attributes: what every format carries.
using Row = std::tuple<std::string, std::string, std::string, std::int64_t, std::string, std::string>;

void expected(const Entry& d, const std::string& path, std::vector<Row>& out) {
  for (const Entry& e : d.entries) {
    const std::int32_t attr = (e.dir ? faDirectory : faArchive) | e.attributes;
    out.emplace_back(e.dir ? "dir" : "file", e.name, path, e.size,
                     e.dir ? "" : IsoDateTimeText(e.time), AttributeLetters(attr));
    if (e.dir) expected(e, JoinFolderPath(path, e.name), out);
  }
}

std::vector<Row> sorted(std::vector<Row> rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree = oddTree(600, 7);
    header.CDLabel = "Odd, \"disc\" <1>";
    header.BaseDir = "/media/u/ODD/";
    header.CDFormat = "ext4";
    header.CDSize = 64LL << 30;
    header.CreateSerial = "1234";
    header.CDDescription->lines = {"first line", "<b>bold</b> & \xff"};
    path = tmp.file("odd.qel");
    writeCatalog(path, tree, header);
  }
  std::string run(ExportFormat format, const std::string& folder = "/") {
    CatalogReader reader(path);
    std::optional<CatalogFolder> at = FindCatalogFolder(reader, folder);
    EXPECT_TRUE(at);
    std::ostringstream os;
    OstreamTextOut out(os);
    auto writer = MakeExportWriter(format, out);
    EXPECT_TRUE(ExportCatalogFolder(reader, path, at->position, at->path, *writer));
    return os.str();
  }

  TempDir tmp;
  Entry tree;
  TSCCDInfo header;
  std::string path;
};

TEST_F(ExportTest, CsvReadsBackEntryByEntry) {
  const auto rows = parseCsv(run(ExportFormat::Csv));
  ASSERT_FALSE(rows.empty());
  std::string headerLine;
  for (const auto& f : rows[0]) headerLine += (headerLine.empty() ? "" : ",") + f;
  EXPECT_EQ(headerLine, CsvExportWriter::kHeader);
  std::vector<Row> got;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const auto& r = rows[i];
    ASSERT_EQ(r.size(), 10u) << i;
    // The exact bytes of a text that is not UTF-8 are in its _bytes column.
    auto exact = [&](int col, int bytesCol) {
      std::string bytes;
      if (r[bytesCol].empty()) return r[col];
      EXPECT_TRUE(BytesFromHex(r[bytesCol], bytes));
      EXPECT_EQ(r[col], readableUtf8(bytes));
      return bytes;
    };
    got.emplace_back(r[0], exact(1, 7), exact(2, 8), std::stoll(r[3]), r[4], r[5]);
    EXPECT_EQ(exact(6, 9), header.CDLabel);
  }
  std::vector<Row> want;
  expected(tree, "/", want);
  EXPECT_EQ(sorted(got), sorted(want));
}

TEST_F(ExportTest, JsonLinesReadBackEntryByEntry) {
  std::istringstream in(run(ExportFormat::JsonLines));
  std::vector<Row> got;
  std::string line;
  while (std::getline(in, line)) {
    const auto o = nlohmann::json::parse(line);
    auto exact = [&](const char* key) {
      std::string bytes;
      const std::string k = std::string(key) + "Bytes";
      if (!o.contains(k)) return o[key].get<std::string>();
      EXPECT_TRUE(BytesFromHex(o[k].get<std::string>(), bytes));
      return bytes;
    };
    const bool isDir = o["kind"] == "dir";
    const std::string stored = exact("path");
    // The stored path is the record's own; its folder part must fit the kind's chain.
    EXPECT_EQ(stored.substr(0, 3), "X:\\");
    got.emplace_back(o["kind"].get<std::string>(), exact("name"), std::string(), o["size"].get<std::int64_t>(),
                     isDir ? "" : IsoDateTimeText(o["time"].get<double>()),
                     AttributeLetters(o["attributes"].get<std::int32_t>()));
    EXPECT_EQ(exact("label"), header.CDLabel);
  }
  std::vector<Row> want;
  expected(tree, "/", want);
  for (Row& r : want) std::get<2>(r).clear();  // JSON Lines carries the stored path instead
  EXPECT_EQ(sorted(got), sorted(want));
}

TEST_F(ExportTest, FolderExportHoldsExactlyWhatIsBelowIt) {
  // The first sub-folder that holds more folders.
  const Entry* sub = nullptr;
  for (const Entry& e : tree.entries)
    if (e.dir && !e.entries.empty()) sub = &e;
  ASSERT_NE(sub, nullptr);
  const std::string folder = "/" + sub->name;
  const auto rows = parseCsv(run(ExportFormat::Csv, folder));
  std::vector<Row> got;
  for (std::size_t i = 1; i < rows.size(); ++i)
    got.emplace_back(rows[i][0], rows[i][1], rows[i][2], std::stoll(rows[i][3]), rows[i][4], rows[i][5]);
  std::vector<Row> want;
  expected(*sub, folder, want);
  // Names that are not UTF-8 show their readable form in the name column.
  for (Row& r : want) {
    std::get<1>(r) = readableUtf8(std::get<1>(r));
    std::get<2>(r) = readableUtf8(std::get<2>(r));
  }
  EXPECT_EQ(sorted(got), sorted(want));
}

TEST_F(ExportTest, FoldersComeBeforeWhatIsInsideThem) {
  const auto rows = parseCsv(run(ExportFormat::Csv));
  std::set<std::string> seen{"/"};
  for (std::size_t i = 1; i < rows.size(); ++i) {
    EXPECT_TRUE(seen.count(rows[i][2])) << rows[i][2];
    if (rows[i][0] == "dir") seen.insert(JoinFolderPath(rows[i][2], rows[i][1]));
  }
}

TEST_F(ExportTest, HtmlReportParsesAndEscapesEveryName) {
  const std::string html = run(ExportFormat::Html);
  const std::string text = checkedHtmlText(html);
  std::set<std::string> names;
  std::vector<Row> want;
  expected(tree, "/", want);
  for (const Row& r : want) {
    const std::string& name = std::get<1>(r);
    const std::string readable = readableUtf8(name);
    EXPECT_NE(text.find(readable), std::string::npos) << readable;
    if (readable != name) {
      EXPECT_NE(html.find(HexBytes(name)), std::string::npos) << HexBytes(name);
    }
  }
  EXPECT_EQ(html.find("<script>alert"), std::string::npos);
  EXPECT_NE(text.find(header.CDLabel), std::string::npos);
  EXPECT_NE(text.find("<b>bold</b> & "), std::string::npos);  // the description, as text
  // Nothing is fetched: no source, link or reference to another place.
  for (const char* outside : {"src=", "href=", "http:", "https:", "@import", "url("})
    EXPECT_EQ(html.find(outside), std::string::npos) << outside;
}

TEST_F(ExportTest, HtmlTreeTotalsAgreeWithTheEntries) {
  const std::string html = run(ExportFormat::Html);
  std::int64_t bytes = 0, files = 0;
  std::vector<Row> want;
  expected(tree, "/", want);
  for (const Row& r : want)
    if (std::get<0>(r) == "file") {
      bytes += std::get<3>(r);
      ++files;
    }
  EXPECT_NE(html.find("(" + std::to_string(bytes) + ")"), std::string::npos);
  EXPECT_NE(html.find("<th>Files</th><td>" + std::to_string(files) + "</td>"), std::string::npos);
}

TEST_F(ExportTest, StoppedExportEndsNothingAndReportsIt) {
  for (ExportFormat format : {ExportFormat::Csv, ExportFormat::Html}) {
    CatalogReader reader(path);
    std::ostringstream os;
    OstreamTextOut out(os);
    auto writer = MakeExportWriter(format, out);
    std::int64_t last = 0, total = 0;
    const bool done = ExportCatalogFolder(reader, path, reader.header().EntranceRP, "/", *writer,
                                          [&](std::int64_t d, std::int64_t t) {
                                            last = d;
                                            total = t;
                                            return d < 50;
                                          });
    EXPECT_FALSE(done);
    EXPECT_EQ(last, 50);
    EXPECT_GT(total, 50);
    EXPECT_EQ(os.str().find("</html>"), std::string::npos);
  }
}

TEST_F(ExportTest, DamagedCatalogIsReportedNotShortened) {
  // A record area cut in the middle: the walk meets the damage and says so.
  std::string bytes = readFile(path);
  writeFile(path, bytes.substr(0, bytes.size() * 2 / 3));
  std::ostringstream os;
  OstreamTextOut out(os);
  auto writer = MakeExportWriter(ExportFormat::Csv, out);
  EXPECT_THROW(
      {
        CatalogReader reader(path);
        ExportCatalogFolder(reader, path, reader.header().EntranceRP, "/", *writer);
      },
      EStreamError);
}

TEST(SearchHitExport, HitsKeepKindFolderAndLabel) {
  TTSearchResultItem catalogHit{kSearchCatalogs, 45000.0, 0, 0, "DISC", "/media/DISC/", "/a/DISC.qel", "DISC"};
  TTSearchResultItem fileHit{kSearchFiles, 45001.25, 12, faArchive | faHidden, "a,b.txt", "X:\\docs\\old\\",
                             "/a/DISC.qel", "DISC"};
  TTSearchResultItem dirHit{kSearchDirectories, 0.0, 0, faDirectory, "old", "X:\\docs\\", "/a/DISC.qel", "DISC"};
  std::ostringstream os;
  OstreamTextOut out(os);
  auto writer = MakeExportWriter(ExportFormat::Csv, out);
  ASSERT_TRUE(ExportSearchHits({catalogHit, fileHit, dirHit}, "*.txt", *writer));
  const auto rows = parseCsv(os.str());
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1], (std::vector<std::string>{"catalog", "DISC", "/media/DISC/", "0",
                                               IsoDateTimeText(45000.0), "", "DISC", "", "", ""}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"file", "a,b.txt", "/docs/old", "12",
                                               IsoDateTimeText(45001.25), "HA", "DISC", "", "", ""}));
  EXPECT_EQ(rows[3], (std::vector<std::string>{"dir", "old", "/docs", "0", "", "D", "DISC", "", "", ""}));
}

TEST(RowText, TextsOfEntries) {
  EXPECT_EQ(IsoDateTimeText(45000.5), "2023-03-15T12:00:00");
  EXPECT_EQ(IsoDateTimeText(std::nan("")), "");
  EXPECT_EQ(AttributeLetters(faDirectory | faHidden | faReadOnly), "DRH");
  EXPECT_EQ(AttributeLetters(faArchive | faSysFile | faReparsePoint), "SAL");
  EXPECT_EQ(RealFolderPath("X:\\"), "/");
  EXPECT_EQ(RealFolderPath("X:\\docs\\old\\"), "/docs/old");
  EXPECT_EQ(JoinFolderPath("/", "a"), "/a");
  EXPECT_EQ(JoinFolderPath("/a", "b"), "/a/b");
  std::string back;
  EXPECT_TRUE(BytesFromHex(HexBytes(std::string("\xff\x00z", 3)), back));
  EXPECT_EQ(back, std::string("\xff\x00z", 3));
  EXPECT_FALSE(BytesFromHex("abc", back));
  EXPECT_FALSE(BytesFromHex("zz", back));
  EXPECT_EQ(readableUtf8("a\xff" "b\xc3"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kolvex::test
