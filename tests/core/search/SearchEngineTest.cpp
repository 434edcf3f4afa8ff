// The search run: which catalogs and records it reads in which order, the hits it makes,
// the status and progress it reports, Pause, Resume and Stop, and runs ended by errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"
#include "core/search/SearchEngine.h"
#include "core/index/IndexMaintenance.h"
#include "support/CatalogCraft.h"
#include "support/ForwardingFileOps.h"
#include "support/LanguageFiles.h"
#include "support/ScriptedSeams.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::dir;
using test::file;

// Counts the catalog files open at any moment.
class CountingFileOps final : public test::ForwardingFileOps {
 public:
  int openRead(const std::string& path) override {
    const int fd = real_.openRead(path);
    open += fd >= 0;
    return fd;
  }
  int close(int fd) override {
    --open;
    return real_.close(fd);
  }
  int open = 0;
};

struct Recorder final : SearchListener {
  void stateChanged(SearchState s) override { states.push_back(s); }
  void resultsCleared() override { ++cleared; }
  void hitFound(TTSearchResultItem&& hit) override { hits.push_back(std::move(hit)); }
  void statusChanged(const std::string& text) override { statuses.push_back(text); }
  void progressStarted(std::int64_t maximum) override { maxima.push_back(maximum); }
  void progressChanged(std::int64_t position) override { positions.push_back(position); }
  void progressEnded() override { ++ended; }

  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& h : hits) out.push_back(h.Name);
    return out;
  }
  std::vector<SearchState> states;
  int cleared = 0;
  std::vector<TTSearchResultItem> hits;
  std::vector<std::string> statuses;
  std::vector<std::int64_t> maxima;
  std::vector<std::int64_t> positions;
  int ended = 0;
};

class SearchEngineTest : public ::testing::Test {
 protected:
  SearchEngineTest() {
    test::writeFile(tmp.file("Test.ini"),
                    "[ResourceStrings]\nA045=Searching %s (%d of %d)\nA046=%d hit(s)\n"
                    "A048=Catalog\nA049=Search\nA050=Resume\n");
    engine.setListener(&rec);
    engine.setEventSlice(std::chrono::milliseconds(0));
    engine.setPausedWait(std::chrono::milliseconds(0));
    engine.setMask("*");
  }

  // A catalog named label in the temporary folder, ticked in the engine's list.
  std::string addCatalog(const std::string& label, const test::Entry& root, bool checked = true) {
    TSCCDInfo h;
    h.CDLabel = label;
    h.BaseDir = "/media/" + label + "/";
    h.CreateDateTime = 40000.25;
    h.Removable = true;
    const std::string path = tmp.file(label + ".qel");
    test::writeCatalog(path, root, h);
    list.push_back({label, path, checked});
    engine.setArchives(list);
    return path;
  }

  void run(std::uint8_t searchFor = kSearchCatalogs | kSearchDirectories | kSearchFiles) {
    engine.criteria().SearchFor = searchFor;
    engine.StartSearch();
  }

  test::TempDir tmp;
  LanguageFile language{tmp.path(), "Test"};
  test::ScriptedPump pump;
  test::ScriptedDialogs dialogs;
  CountingFileOps ops;
  Recorder rec;
  std::vector<CheckedArchive> list;
  SearchEngine engine{pump, dialogs, language, ops};
};

using Names = std::vector<std::string>;

TEST_F(SearchEngineTest, RecordsInFileOrderOfTickedCatalogsInListOrder) {
  addCatalog("One", dir("", {file("a.txt", 5), dir("sub", {file("b.txt", 7)}), file("c")}));
  addCatalog("Skipped", dir("", {file("x.txt")}), false);
  const std::string two = addCatalog("Two", dir("", {file("d.txt", 9)}));
  engine.setMask("*.txt;X*");
  run(kSearchDirectories | kSearchFiles);

  // Post-order: a folder's files come before its own record; the scanned folder's own
  // record (last, named only by its pseudo path) matches "X*" but is never a hit.
  EXPECT_EQ(rec.names(), (Names{"a.txt", "b.txt", "d.txt"}));
  const TTSearchResultItem& d = rec.hits[2];
  EXPECT_EQ(d.Kind, kSearchFiles);
  EXPECT_EQ(d.Size, 9);
  EXPECT_DOUBLE_EQ(d.DateTime, 45000.5);
  EXPECT_EQ(d.FilePath, "X:\\");
  EXPECT_EQ(d.CatalogFile, two);
  EXPECT_EQ(d.CDLabel, "Two");
  EXPECT_EQ(d.BaseDir, "/media/Two/");
  EXPECT_TRUE(d.Removable);
  EXPECT_EQ(d.KindText, "");
  EXPECT_EQ(rec.hits[1].FilePath, "X:\\sub\\");
  EXPECT_EQ(engine.hitCount(), 3);
  EXPECT_EQ(ops.open, 0);
}

TEST_F(SearchEngineTest, StatusStatesAndProgressPerCatalog) {
  addCatalog("One", dir("", {file("a"), file("b"), dir("s")}));
  addCatalog("Off", dir("", {}), false);
  addCatalog("Two", dir("", {}));
  run();
  EXPECT_EQ(rec.states, (std::vector<SearchState>{SearchState::Searching, SearchState::Idle}));
  EXPECT_EQ(rec.cleared, 1);
  // k counts the ticked catalogs only; the count follows each catalog. Catalog "Two"
  // matches "*" as a catalog; its scanned folder's own record is read but is no hit.
  EXPECT_EQ(rec.statuses, (Names{"", "Searching One (1 of 2)", "4 hit(s)", "Searching Two (2 of 2)",
                                 "5 hit(s)"}));
  // One bar over the whole run, each catalog a thousand steps of it.
  EXPECT_EQ(rec.maxima, (std::vector<std::int64_t>{2000}));
  EXPECT_EQ(rec.ended, 1);
  EXPECT_TRUE(engine.Stopped());
  EXPECT_EQ(engine.state(), SearchState::Idle);
}

TEST_F(SearchEngineTest, TheProgressBarRunsOnceOverTheWholeRun) {
  std::vector<test::Entry> many, few;
  for (int i = 0; i < 127; ++i) many.push_back(file("m" + std::to_string(i)));
  for (int i = 0; i < 63; ++i) few.push_back(file("f" + std::to_string(i)));
  addCatalog("One", dir("", many));
  addCatalog("Two", dir("", few));
  addCatalog("Three", dir("", many));
  run(kSearchFiles);
  EXPECT_EQ(rec.maxima, (std::vector<std::int64_t>{3000}));
  EXPECT_EQ(rec.ended, 1);
  // Up and never back, through every catalog's share, whatever its size.
  ASSERT_FALSE(rec.positions.empty());
  EXPECT_TRUE(std::is_sorted(rec.positions.begin(), rec.positions.end()));
  for (std::int64_t share : {0, 1, 2})
    EXPECT_TRUE(std::any_of(rec.positions.begin(), rec.positions.end(), [&](std::int64_t p) {
      return p >= share * 1000 && p < (share + 1) * 1000;
    })) << share;
  EXPECT_LE(rec.positions.back(), 3000);
}

TEST_F(SearchEngineTest, CatalogsAloneTestTheLabelAgainstTheWholeTextAndReadNoRecord) {
  const std::string path = addCatalog("x.txt;Disc", dir("", {file("a.txt")}));
  addCatalog("Disc", dir("", {file("b.txt")}));
  engine.setMask("*.txt;Disc*");  // one mask here, not a list
  run(kSearchCatalogs);
  ASSERT_EQ(rec.hits.size(), 1u);
  const TTSearchResultItem& c = rec.hits[0];
  EXPECT_EQ(c.Kind, kSearchCatalogs);
  EXPECT_EQ(c.Name, "x.txt;Disc");
  EXPECT_EQ(c.CDLabel, "x.txt;Disc");
  EXPECT_EQ(c.FilePath, "/media/x.txt;Disc/");
  EXPECT_EQ(c.CatalogFile, path);
  EXPECT_DOUBLE_EQ(c.DateTime, 40000.25);
  EXPECT_EQ(c.Size, 0);
  EXPECT_EQ(c.BaseDir, "");
  EXPECT_FALSE(c.Removable);
  EXPECT_EQ(c.KindText, "Catalog");
  EXPECT_TRUE(rec.maxima.empty());
  EXPECT_EQ(ops.open, 0);

  // With files too, a catalog's own hit comes before those of its records.
  rec.hits.clear();
  engine.setMask("D*");
  run(kSearchCatalogs | kSearchFiles);
  EXPECT_EQ(rec.names(), (Names{"Disc"}));
  engine.setMask("*");
  rec.hits.clear();
  run(kSearchCatalogs | kSearchFiles);
  EXPECT_EQ(rec.names(), (Names{"x.txt;Disc", "a.txt", "Disc", "b.txt"}));
}

// A listener may read a hit in place, write into it, or move it away: every hit it is
// handed is whole either way, nothing left over from the one before.
TEST_F(SearchEngineTest, HitsAreWholeWhetherTheListenerKeepsThemOrNot) {
  struct Reader final : SearchListener {
    void hitFound(TTSearchResultItem&& hit) override {
      hits.push_back(hit);
      hit.KindText = "seen";
      hit.BaseDir += "stale";
    }
    std::vector<TTSearchResultItem> hits;
  };
  addCatalog("A catalog with a long label, longer than short strings hold",
             dir("", {file("first file with a long name.txt", 5), dir("sub", {file("b")})}));
  addCatalog("Two", dir("", {file("second file with a long name.txt", 7)}));
  TSCCDInfo plain;
  plain.CDLabel = "Three";
  const std::string three = tmp.file("Three.qel");
  test::writeCatalog(three, dir("", {file("x")}), plain);
  list.push_back({"Three", three, true});
  engine.setArchives(list);
  run();
  const std::vector<TTSearchResultItem> moved = rec.hits;
  ASSERT_EQ(moved.size(), 8u);

  Reader reader;
  engine.setListener(&reader);
  run();
  EXPECT_EQ(reader.hits, moved);
  engine.setListener(&rec);
  rec.hits.clear();
  run();
  EXPECT_EQ(rec.hits, moved);
}

TEST_F(SearchEngineTest, NothingToLookForDoesNothingAndNoTickedCatalogReadsNothing) {
  addCatalog("One", dir("", {file("a")}), false);
  run(0);
  EXPECT_TRUE(rec.states.empty());
  EXPECT_EQ(rec.cleared, 0);

  run();
  EXPECT_EQ(rec.states, (std::vector<SearchState>{SearchState::Searching, SearchState::Idle}));
  EXPECT_EQ(rec.statuses, (Names{""}));
  EXPECT_TRUE(rec.hits.empty());
}

TEST_F(SearchEngineTest, DefaultMaskNeedsADotAndTheScannedFolderIsNeverAHit) {
  addCatalog("One", dir("", {file("readme"), file("a.txt"), file(".profile"), dir("docs")}));
  addCatalog("Empty", dir("", {}));
  engine.setMask("*.*");
  run(kSearchDirectories | kSearchFiles);
  EXPECT_EQ(rec.names(), (Names{"a.txt", ".profile"}));

  rec.hits.clear();
  engine.setMask("X*");
  run(kSearchDirectories | kSearchFiles);
  EXPECT_TRUE(rec.hits.empty());
  EXPECT_EQ(engine.hitCount(), 0);

  // That record is still tested, so a bad mask is reported even for an empty folder.
  engine.setArchives({list[1]});
  engine.setMask("abc[");
  run(kSearchDirectories | kSearchFiles);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("invalid mask"), std::string::npos);
}

TEST_F(SearchEngineTest, KindSizeAndDateTests) {
  addCatalog("One", dir("", {file("small", 10), file("big", 5000), dir("d")}));
  run(kSearchFiles);
  EXPECT_EQ(rec.names(), (Names{"small", "big"}));

  rec.hits.clear();
  engine.criteria().SizeEnabled = true;
  engine.criteria().MinSize = 10;
  engine.criteria().MaxSize = 4999;
  run(kSearchDirectories | kSearchFiles);
  EXPECT_EQ(rec.names(), (Names{"small"}));  // directories have size 0

  rec.hits.clear();
  engine.criteria().MinSize = 5000;
  engine.criteria().MaxSize = 10;
  run(kSearchDirectories | kSearchFiles);
  EXPECT_TRUE(rec.hits.empty());

  rec.hits.clear();
  engine.criteria().SizeEnabled = false;
  engine.criteria().DateEnabled = true;
  engine.criteria().DateFrom = 0.0;  // takes in the directories' 0.0
  engine.criteria().DateTo = 45000.5;
  run(kSearchDirectories | kSearchFiles);
  EXPECT_EQ(rec.names(), (Names{"small", "big", "d"}));
  engine.criteria().DateFrom = 45000.5000001;
  rec.hits.clear();
  run(kSearchDirectories | kSearchFiles);
  EXPECT_TRUE(rec.hits.empty());
}

TEST_F(SearchEngineTest, AttributeTests) {
  // Each file links to the one before it; the root's file chain starts at the last.
  auto crafted = [](const char* name, std::int32_t attr, test::Link brother) {
    test::Crafted c;
    c.record.FileName = name;
    c.record.FilePath = "X:\\";
    c.record.Attribute = attr;
    c.brother = brother;
    return c;
  };
  TSCCDInfo h;
  h.CDLabel = "Attrs";
  test::Crafted root = crafted("", faDirectory | faHidden, -1);
  root.childFile = 4;
  test::writeFile(
      tmp.file("attrs.qel"),
      test::craftCatalog({crafted("plain", 0, -1), crafted("hidden", faHidden, 0),
                          crafted("system", faSysFile, 1), crafted("ro", faReadOnly, 2),
                          crafted("arch", faArchive, 3), root},
                         5, h));
  engine.setArchives({{"Attrs", tmp.file("attrs.qel"), true}});
  const auto found = [&](std::uint8_t attrs) {
    rec.hits.clear();
    engine.criteria().Attributes = attrs;
    run(kSearchDirectories | kSearchFiles);
    return rec.names();
  };
  EXPECT_EQ(found(kAttrAnyFile | kAttrHidden),
            (Names{"plain", "hidden", "system", "ro", "arch"}));
  EXPECT_EQ(found(kAttrHidden | kAttrSystem), (Names{"hidden", "system"}));
  EXPECT_EQ(found(kAttrReadOnly), (Names{"ro"}));
  EXPECT_EQ(found(kAttrArchive), (Names{"arch"}));
  EXPECT_TRUE(found(0).empty());  // no box ticked: nothing passes
}

TEST_F(SearchEngineTest, PauseThenResumeGoesOnWithTheNextRecord) {
  std::vector<test::Entry> files;
  for (int i = 0; i < 200; ++i) files.push_back(file("f" + std::to_string(i)));
  addCatalog("Big", dir("", files));
  std::int64_t atPause = -1;
  std::string caption;
  pump.onEvents = [&](int call) {
    if (call == 1) {
      engine.PauseClick();
      atPause = engine.hitCount();
    } else if (call == 3) {
      EXPECT_EQ(engine.hitCount(), atPause);  // nothing read while paused
      caption = engine.searchCaption();
      engine.SearchClick();
    }
  };
  run(kSearchFiles);
  EXPECT_GT(atPause, 0);
  EXPECT_LT(atPause, 200);
  EXPECT_EQ(caption, "Resume");
  ASSERT_EQ(rec.hits.size(), 200u);  // each record once, none skipped
  for (int i = 0; i < 200; ++i) EXPECT_EQ(rec.hits[i].Name, "f" + std::to_string(i));
  EXPECT_EQ(rec.states, (std::vector<SearchState>{SearchState::Searching, SearchState::Paused,
                                                  SearchState::Searching, SearchState::Idle}));
  EXPECT_EQ(engine.searchCaption(), "Search");
}

TEST_F(SearchEngineTest, StopWhilePausedReadsNoFurtherRecord) {
  std::vector<test::Entry> files;
  for (int i = 0; i < 200; ++i) files.push_back(file("f" + std::to_string(i)));
  addCatalog("Big", dir("", files));
  addCatalog("Never", dir("", {file("n")}));
  std::int64_t atPause = -1;
  pump.onEvents = [&](int call) {
    if (call == 1) {
      engine.PauseClick();
      atPause = engine.hitCount();
    } else if (call == 2) {
      engine.StopClick();
    }
  };
  run(kSearchFiles);
  EXPECT_EQ(static_cast<std::int64_t>(rec.hits.size()), atPause);
  EXPECT_EQ(engine.state(), SearchState::Idle);
  EXPECT_FALSE(engine.Paused());
  EXPECT_EQ(rec.states.back(), SearchState::Idle);
  // The catalog is closed at once; the count is still shown and no other catalog is read.
  EXPECT_EQ(rec.statuses.back(), std::to_string(atPause) + " hit(s)");
  EXPECT_EQ(std::count(rec.statuses.begin(), rec.statuses.end(), "Searching Never (2 of 2)"), 0);
  EXPECT_EQ(ops.open, 0);
}

TEST_F(SearchEngineTest, PauseAndStopAreHeardBetweenCatalogsOfACatalogOnlyRun) {
  for (int i = 0; i < 40; ++i) addCatalog("C" + std::to_string(i), dir("", {}));
  pump.onEvents = [&](int) { engine.StopClick(); };
  run(kSearchCatalogs);
  EXPECT_GT(rec.hits.size(), 0u);
  EXPECT_LT(rec.hits.size(), 40u);
}

TEST_F(SearchEngineTest, ButtonsDuringARunDoNotStartAnother) {
  addCatalog("One", dir("", std::vector<test::Entry>(50, file("a"))));
  pump.onEvents = [&](int) {
    engine.SearchClick();
    engine.StartSearch();
    engine.setArchives({});  // a refreshed list applies to the next run
  };
  run(kSearchFiles);
  EXPECT_EQ(rec.cleared, 1);
  EXPECT_EQ(rec.hits.size(), 50u);
}

TEST_F(SearchEngineTest, CatalogsThatCannotBeReadAreSkippedAndTheRunGoesOn) {
  addCatalog("One", dir("", {file("a")}));
  list.push_back({"Gone", tmp.file("gone.qel"), true});
  const std::string damaged = addCatalog("Damaged", dir("", {file("d1"), file("d2"), file("d3")}));
  std::string bytes = test::readFile(damaged);
  // The signature of d2's record: d1 is found, then the run meets the damage.
  const std::size_t at = bytes.rfind("TPF0", bytes.find("FileName\x06\x02" "d2"));
  ASSERT_NE(at, std::string::npos);
  bytes[at + 3] = '1';
  test::writeFile(damaged, bytes);
  addCatalog("Four", dir("", {file("c")}));
  std::vector<SkippedCatalog> heard;
  struct Hearing final : SearchListener {
    void catalogSkipped(const SkippedCatalog& s) override { heard->push_back(s); }
    std::vector<SkippedCatalog>* heard;
  } hearing;
  hearing.heard = &heard;

  for (std::uint8_t kinds : {std::uint8_t(kSearchFiles), std::uint8_t(kSearchCatalogs | kSearchFiles)}) {
    rec.hits.clear();
    rec.statuses.clear();
    rec.ended = 0;
    run(kinds);
    const std::vector<SkippedCatalog> expected = {
        {"Gone", tmp.file("gone.qel"), "Cannot open file " + tmp.file("gone.qel")},
        {"Damaged", damaged, msg::kInvalidStreamFormat}};
    EXPECT_EQ(engine.skipped(), expected);
    // The hits of the damaged catalog before its damage stay; the last one is searched.
    if (kinds == kSearchFiles)
      EXPECT_EQ(rec.names(), (Names{"a", "d1", "c"}));
    else
      EXPECT_EQ(rec.names(), (Names{"One", "a", "Damaged", "d1", "Four", "c"}));
    EXPECT_TRUE(dialogs.messages.empty());  // the view says it, once, after the run
    EXPECT_EQ(rec.statuses.back(), kinds == kSearchFiles ? "3 hit(s)" : "6 hit(s)");
    EXPECT_EQ(rec.ended, 1);  // the progress bar is put away once
    EXPECT_EQ(engine.state(), SearchState::Idle);
    EXPECT_EQ(ops.open, 0);
  }
  engine.setListener(&hearing);
  run(kSearchFiles);
  EXPECT_EQ(heard, engine.skipped());

  // The next run starts with nothing skipped.
  engine.setArchives({list[0]});
  run(kSearchFiles);
  EXPECT_TRUE(engine.skipped().empty());
}

TEST_F(SearchEngineTest, ACatalogDeletedDuringTheRunIsSkippedWithOrWithoutItsIndex) {
  std::vector<test::Entry> many;  // long enough for events to run while it is read
  Names ones;
  for (int i = 0; i < 40; ++i) {
    many.push_back(file("a" + std::to_string(i) + ".txt"));
    ones.push_back("a" + std::to_string(i) + ".txt");
  }
  addCatalog("One", dir("", many));
  const std::string two = addCatalog("Two", dir("", {file("d.txt")}));
  addCatalog("Three", dir("", {file("e.txt")}));
  engine.setMask("*.txt");
  auto fresh = [&] {
    rec.hits.clear();
    test::writeCatalog(two, dir("", {file("d.txt")}));
    run(kSearchFiles);  // whole: an indexed run makes the indexes the next one answers from
    Names all = ones;
    all.insert(all.end(), {"d.txt", "e.txt"});
    ASSERT_EQ(rec.names(), all);
    ASSERT_TRUE(engine.skipped().empty());
    rec.hits.clear();
  };
  auto expectTwoSkipped = [&](const char* why) {
    Names left = ones;
    left.push_back("e.txt");
    EXPECT_EQ(rec.names(), left) << why;
    ASSERT_EQ(engine.skipped().size(), 1u) << why;
    EXPECT_EQ(engine.skipped()[0].label, "Two");
    EXPECT_EQ(engine.skipped()[0].reason, "Cannot open file " + two);
    EXPECT_EQ(ops.open, 0);
  };
  for (bool indexed : {false, true}) {
    engine.setIndexed(indexed);
    fresh();
    // Deleted, index and all, while the first catalog is read.
    pump.onEvents = [&](int) {
      if (::access(two.c_str(), F_OK) == 0) {
        index::RemoveIndex(two);
        ::unlink(two.c_str());
      }
    };
    run(kSearchFiles);
    pump.onEvents = nullptr;
    expectTwoSkipped(indexed ? "indexed" : "read");
  }
  // The catalog alone goes and its index stays behind: the index does not stand in for it.
  fresh();
  ::unlink(two.c_str());
  run(kSearchFiles);
  expectTwoSkipped("index left");
}

TEST_F(SearchEngineTest, ARangeThatEndsBeforeItStartsIsToldAndStartsNoRun) {
  addCatalog("One", dir("", {file("a", 5)}));
  test::writeFile(tmp.file("Test.ini"), "[ResourceStrings]\nA088=sizes reversed\nA089=dates reversed\n");
  language.setLanguageName("Test");
  TUSearch& c = engine.criteria();
  c.SizeEnabled = true;
  c.MinSize = 6;
  c.MaxSize = 5;
  run(kSearchFiles);
  c.MinSize = 5;  // one size: fine
  c.DateEnabled = true;
  c.DateFrom = 45000.5;
  c.DateTo = 45000.4;
  run(kSearchFiles);
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].text, "sizes reversed");
  EXPECT_EQ(dialogs.messages[1].text, "dates reversed");
  EXPECT_TRUE(rec.states.empty());  // no run, the results as they were
  EXPECT_EQ(rec.cleared, 0);
  // The ranges test folders and files only: a run for catalogs is sound.
  run(kSearchCatalogs);
  EXPECT_EQ(rec.names(), (Names{"One"}));
  c.DateTo = 45000.5;
  run(kSearchFiles);
  EXPECT_EQ(rec.names(), (Names{"One", "a"}));
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(SearchEngineTest, NegativeRecordCountIsDamage) {
  TSCCDInfo h;
  h.TotalFiles = -5;
  test::Crafted root;
  root.record.FilePath = "X:\\";
  root.record.Attribute = faDirectory;
  test::writeFile(tmp.file("neg.qel"), test::craftCatalog({root}, 0, h, test::Counters::AsGiven));
  engine.setArchives({{"Neg", tmp.file("neg.qel"), true}});
  run(kSearchFiles);
  ASSERT_EQ(engine.skipped().size(), 1u);
  EXPECT_NE(engine.skipped()[0].reason.find("damaged"), std::string::npos);
  EXPECT_EQ(ops.open, 0);
}

TEST_F(SearchEngineTest, InvalidMaskIsReportedAtTheFirstTestThatReachesIt) {
  addCatalog("One", dir("", {file("a.txt"), file("b")}));
  engine.setMask("*.txt;abc[");
  run(kSearchFiles);
  // a.txt matches the first mask; b reaches the second.
  EXPECT_EQ(rec.names(), (Names{"a.txt"}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "'abc[' is an invalid mask at (5)");
  EXPECT_EQ(engine.state(), SearchState::Idle);
  EXPECT_EQ(ops.open, 0);
  // The status no longer says the run is searching a catalog: it gives the count found.
  EXPECT_EQ(rec.statuses.back(), "1 hit(s)");

  // A catalog name is tested against the whole text, invalid as one mask.
  dialogs.messages.clear();
  run(kSearchCatalogs);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "'*.txt;abc[' is an invalid mask at (11)");

  // Never reached: every name matches the first mask.
  dialogs.messages.clear();
  engine.setMask("*;abc[");
  run(kSearchFiles);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SearchEngineTest, InvalidMaskIsToldInTheProgramsLanguage) {
  test::writeFile(tmp.file("Test.ini"), test::readFile(test::languageFilesDir() + "German.ini"));
  addCatalog("One", dir("", {file("b")}));
  engine.setMask("abc[");
  run(kSearchFiles);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Die Maske 'abc[' ist ab Stelle 5 ungültig");
}

}  // namespace
}  // namespace kolvex
