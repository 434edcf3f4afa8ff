#include <gtest/gtest.h>

#include "core/app/DriveMonitor.h"
#include "core/app/OptionsFile.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"
#include "support/FaultyFileOps.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

TSCOptions factory() {
  TSCOptions o;
  o.setFactoryValues();
  return o;
}

TSCOptions custom() {
  TSCOptions o;
  o.DescriptionFiles->lines = {"Readme.txt", "Liesmich.txt"};
  o.LanguageName = "German";
  o.IconIndexingMatches = "*.exe";
  o.GradiantShow = false;
  o.VersionInfoMathes = "*.dll";
  o.ForeBackMaxItems = 12;
  o.SearchTypeCaptions->lines = {"Any File (*.*)", "Pictures"};
  o.SearchTypeMasks->lines = {"*.*", "*.jpg;*.png"};
  o.SpyFrequency = 7000;
  o.TransIncreaseBy = 5;
  o.FinalTrans = 128;
  o.AutoStart = true;
  return o;
}

TEST(OptionsFile, FactoryValuesSurviveSaveAndLoad) {
  TempDir dir;
  const std::string path = dir.file(kOptionsFileName);
  saveOptions(factory(), path);
  TSCOptions loaded;
  loadOptions(loaded, path);
  EXPECT_EQ(encodeObject(loaded), encodeObject(factory()));
  EXPECT_EQ(loaded.DescriptionFiles->lines, std::vector<std::string>{"Readme.txt"});
  EXPECT_EQ(loaded.SearchTypeCaptions->lines, std::vector<std::string>{"Any File (*.*)"});
  EXPECT_EQ(loaded.SearchTypeMasks->lines, std::vector<std::string>{"*.*"});
  EXPECT_EQ(loaded.LanguageName, "English");
  EXPECT_EQ(loaded.SpyFrequency, 5000);
  EXPECT_FALSE(loaded.AutoStart);
  // The string lists stay the objects the rest of the program holds.
  const TStringList* before = loaded.DescriptionFiles.get();
  loadOptions(loaded, path);
  EXPECT_EQ(loaded.DescriptionFiles.get(), before);
}

TEST(OptionsFile, PropertiesTheFileLacksKeepTheirValues) {
  TempDir dir;
  const std::string path = dir.file(kOptionsFileName);
  TSCOptions written = factory();
  written.LanguageName.clear();             // empty texts are not written
  written.DescriptionFiles->lines.clear();  // nor are empty lists
  saveOptions(written, path);
  TSCOptions loaded = custom();
  loadOptions(loaded, path);
  EXPECT_EQ(loaded.LanguageName, "German");
  EXPECT_EQ(loaded.DescriptionFiles->lines,
            (std::vector<std::string>{"Readme.txt", "Liesmich.txt"}));
  EXPECT_EQ(loaded.IconIndexingMatches, "*.exe");
  EXPECT_EQ(loaded.SpyFrequency, 5000);
  EXPECT_EQ(loaded.SearchTypeMasks->lines, std::vector<std::string>{"*.*"});
}

TEST(OptionsFile, ADriveMonitorIntervalBelowTheShortestIsReadAsTheShortest) {
  TempDir dir;
  const std::string path = dir.file(kOptionsFileName);
  for (int stored : {0, -5000, 999}) {
    TSCOptions written = factory();
    written.SpyFrequency = stored;
    saveOptions(written, path);
    TSCOptions loaded;
    loadOptions(loaded, path);
    EXPECT_EQ(loaded.SpyFrequency, DriveMonitor::kShortestInterval) << stored;
  }
}

TEST(OptionsFile, AFileThatCannotBeOpenedOrReadChangesNothing) {
  TempDir dir;
  const TSCOptions before = custom();
  TSCOptions options = custom();
  const std::string missing = dir.file("Nope.cfg");
  try {
    loadOptions(options, missing);
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
  }
  EXPECT_THROW(loadOptions(options, dir.path()), EFOpenError);

  const std::string good = encodeObject(factory());
  const std::string damaged = dir.file("Damaged.cfg");
  // Cut near the end, after most properties were read.
  writeFile(damaged, good.substr(0, good.size() - 30));
  try {
    loadOptions(options, damaged);
    ADD_FAILURE();
  } catch (const EStreamError& e) {
    EXPECT_NE(std::string(e.what()).find("Stream read error"), std::string::npos) << e.what();
  }
  writeFile(damaged, "TPF1" + good.substr(4));
  try {
    loadOptions(options, damaged);
    ADD_FAILURE();
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid stream format");
  }
  EXPECT_EQ(encodeObject(options), encodeObject(before));
}

TEST(OptionsFile, AFailedSaveLeavesTheOldFileByteForByte) {
  TempDir dir;
  const std::string path = dir.file(kOptionsFileName);
  saveOptions(custom(), path);
  const std::string old = readFile(path);
  int failures = 0;
  for (int failAt = 1;; ++failAt) {
    writeFile(path, old);
    test::FaultyFileOps ops(failAt, true);
    try {
      saveOptions(factory(), path, ops);
    } catch (const EStreamError&) {
      ++failures;
      EXPECT_EQ(readFile(path), old) << "failing call " << failAt;
      EXPECT_EQ(test::listDir(dir.path()), std::vector<std::string>{kOptionsFileName}) << failAt;
      continue;
    }
    if (ops.failed()) continue;  // only the folder sync failed: the file is complete
    EXPECT_EQ(readFile(path), encodeObject(factory()));
    break;
  }
  EXPECT_GE(failures, 4);
}

}  // namespace
}  // namespace kolvex
