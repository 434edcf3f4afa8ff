// export, stats and search --format: the command line over the core's export and
// statistics, with the machine's own MIME database deciding kinds of file.
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliRun.h"
#include "core/report/CatalogStatistics.h"
#include "core/report/CsvExportWriter.h"
#include "core/report/RowText.h"
#include "mime/QtFileKindClassifier.h"
#include "support/ExportParsing.h"
#include "support/OddCatalog.h"
#include "support/TempDir.h"

namespace kolvex::cli {
namespace {

using test::dir;
using test::file;
using test::runCli;

class ReportCommandsTest : public ::testing::Test {
 protected:
  ReportCommandsTest() {
    ::mkdir(tmp.file("archives").c_str(), 0755);
    ::mkdir(tmp.file("out").c_str(), 0755);
    TSCCDInfo h;
    h.CDLabel = "ODD";
    h.CDSize = 1LL << 30;
    odd = tmp.file("archives/odd.qel");
    test::writeCatalog(odd, test::oddTree(300, 9), h);
    h.CDLabel = "MEDIA";
    h.CDSize = 0;
    media = tmp.file("archives/media.qel");
    test::writeCatalog(media,
                       dir("", {file("photo.JPG", 300), file("song.mp3", 200), file("film.mkv", 5000),
                                file("paper.pdf", 40), file("letter.odt", 30), file("backup.tar.gz", 700),
                                file("disc.iso", 900), file("notes.txt", 10), file("mystery.zzqq", 7),
                                dir("src", {file("main.cpp", 3)})}),
                       h);
  }
  std::vector<std::string> names(const std::string& folder) const {
    std::vector<std::string> out;
    if (DIR* d = ::opendir(folder.c_str())) {
      while (dirent* e = ::readdir(d))
        if (e->d_name[0] != '.') out.push_back(e->d_name);
      ::closedir(d);
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  test::TempDir tmp;
  std::string odd, media;
};

TEST_F(ReportCommandsTest, ExportWritesEachFormatToOutputOrFile) {
  const auto csv = runCli({"export", odd, "--format", "csv"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  const auto rows = test::parseCsv(csv.out);
  CatalogReader reader(odd);
  EXPECT_EQ(rows.size(), 1u + reader.header().TotalFiles + reader.header().TotalDirectories);

  const auto jsonl = runCli({"export", odd, "--format", "jsonl"});
  ASSERT_EQ(jsonl.status, 0) << jsonl.err;
  std::istringstream in(jsonl.out);
  std::size_t objects = 0;
  for (std::string line; std::getline(in, line); ++objects)
    EXPECT_EQ(nlohmann::json::parse(line)["label"], "ODD");
  EXPECT_EQ(objects, rows.size() - 1);

  const std::string page = tmp.file("out/report.html");
  test::writeFile(page, "old");
  const auto html = runCli({"export", odd, "--format", "html", "-o", page});
  ASSERT_EQ(html.status, 0) << html.err;
  EXPECT_EQ(html.out, "");
  test::checkedHtmlText(test::readFile(page));
  EXPECT_EQ(names(tmp.file("out")), std::vector<std::string>{"report.html"});
}

TEST_F(ReportCommandsTest, ExportOfOneFolderAndItsErrors) {
  const auto r = runCli({"export", media, "src"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::string(CsvExportWriter::kHeader) + "\r\nfile,main.cpp,/src,3," +
                       IsoDateTimeText(45000.5) + ",A,MEDIA,,,\r\n");

  const std::string kept = tmp.file("kept.csv");
  test::writeFile(kept, "previous");
  const auto missing = runCli({"export", media, "nothere", "-o", kept});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("has no folder nothere"), std::string::npos);
  EXPECT_EQ(test::readFile(kept), "previous");

  // A file that cannot be written is reported and leaves nothing behind.
  const auto unwritable = runCli({"export", media, "-o", tmp.file("no/such/dir/x.csv")});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("Cannot create file " + tmp.file("no/such/dir/x.csv")), std::string::npos)
      << unwritable.err;

  EXPECT_EQ(runCli({"export", media, "--format", "xml"}).status, 2);
  EXPECT_EQ(runCli({"export", tmp.file("none.qel")}).status, 1);
}

TEST_F(ReportCommandsTest, SearchWritesHitsAsExportRows) {
  const auto r = runCli({"search", "*.mp3;*.iso", "--in", media, "--format", "csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto rows = test::parseCsv(r.out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1][0], "file");
  EXPECT_EQ(rows[1][2], "/");
  EXPECT_EQ(rows[1][6], "MEDIA");
  const auto j = runCli({"search", "main.cpp", "--in", media, "--format", "jsonl"});
  ASSERT_EQ(j.status, 0) << j.err;
  const auto o = nlohmann::json::parse(j.out);
  EXPECT_EQ(o["name"], "main.cpp");
  EXPECT_EQ(o["path"], "X:\\src\\");
  EXPECT_EQ(o["attributes"], 32);
  EXPECT_EQ(runCli({"search", "*", "--in", media, "--format", "html"}).status, 2);
  EXPECT_EQ(runCli({"search", "*", "--in", media, "--format", "csv", "--json"}).status, 2);
}

TEST_F(ReportCommandsTest, StatsUseTheDesktopMimeDatabase) {
  const auto r = runCli({"stats", media, "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  const auto& k = doc["catalogs"][0]["kinds"];
  EXPECT_EQ(k["image"]["size"], 300);
  EXPECT_EQ(k["audio"]["size"], 200);
  EXPECT_EQ(k["video"]["size"], 5000);
  EXPECT_EQ(k["document"]["size"], 40 + 30 + 10);
  EXPECT_EQ(k["archive"]["size"], 700 + 900);
  EXPECT_EQ(k["other"]["size"], 7 + 3);
  EXPECT_EQ(doc["catalogs"][0]["fill"], nullptr);
  EXPECT_EQ(doc["catalogs"][0]["largestFiles"][0]["path"], "/film.mkv");
}

TEST_F(ReportCommandsTest, StatsOfEveryCatalogAgreeWithTheCore) {
  const auto r = runCli({"stats", "--archives", tmp.file("archives"), "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  ASSERT_EQ(doc["catalogs"].size(), 2u);
  QtFileKindClassifier mime;
  FileKinds kinds(mime);
  CatalogStatistics both;
  for (const std::string& path : {odd, media}) {
    CatalogReader reader(path);
    ASSERT_TRUE(both.addCatalog(reader, kinds));
  }
  const auto& total = doc["total"];
  EXPECT_EQ(total["catalogs"], 2);
  EXPECT_EQ(total["files"], both.files);
  EXPECT_EQ(total["folders"], both.folders);
  EXPECT_EQ(total["size"], both.bytes);
  EXPECT_EQ(total["capacity"], 1LL << 30);
  EXPECT_EQ(total["volumesWithCapacity"], 1);
  EXPECT_EQ(total["volumesWithoutCapacity"], 1);
  EXPECT_EQ(total["filled"], both.filledBytes());
  EXPECT_EQ(total["extensions"].size(), std::min<std::size_t>(20, both.byExtension.size()));
  EXPECT_EQ(total["largestFiles"][0]["size"], both.largestFiles[0].bytes);

  // Text: one block per catalog, then the one across all of them.
  const auto text = runCli({"stats", odd, media});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("== ODD\t"), std::string::npos);
  EXPECT_NE(text.out.find("== MEDIA\t"), std::string::npos);
  EXPECT_NE(text.out.find("== All 2 catalogs"), std::string::npos);
  // Across catalogs the sizes say what they cover.
  EXPECT_NE(text.out.find("1 volume(s), each counted once; 1 more without a known capacity"),
            std::string::npos) << text.out;

  // A damaged catalog is named; the others are still counted.
  test::writeFile(tmp.file("archives/broken.qel"), "TPF0 no catalog");
  const auto some = runCli({"stats", "--archives", tmp.file("archives"), "--json"});
  EXPECT_EQ(some.status, 1);
  EXPECT_NE(some.err.find("broken.qel"), std::string::npos);
  EXPECT_EQ(nlohmann::json::parse(some.out)["catalogs"].size(), 2u);
}

// Totals of catalogs that could not be read would look like an answer: none are printed.
TEST_F(ReportCommandsTest, StatsOfNothingReadablePrintNoFigures) {
  const std::string fifo = tmp.file("fifo.qel");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"stats", fifo}, {"stats", fifo, tmp.path(), "--json"}}) {
    const auto r = runCli(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "") << r.out;
    EXPECT_NE(r.err.find(fifo + ": "), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace kolvex::cli
