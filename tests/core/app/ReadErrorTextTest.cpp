// Why a catalog could not be read, as the user reads it: the stream's reasons and the
// refusals to open a file in the program's language, the paths and the system's words kept.
#include <gtest/gtest.h>

#include <string>

#include "core/app/LanguageFile.h"
#include "core/app/ReadErrorText.h"
#include "core/persist/PersistError.h"
#include "support/LanguageFiles.h"

namespace kolvex {
namespace {

std::string languagesDir() { return test::languageFilesDir(); }

const std::string kPath = "/home/u/Archives/fifo.qel";

TEST(ReadErrorText, ReasonsAndOpenFailuresAreSaidInTheLanguage) {
  LanguageFile german(languagesDir(), "German");
  EXPECT_EQ(localReadError(german, kPath + ": " + fillMessage(msg::kNotRegularFile, kPath)),
            kPath + ": Die Datei " + kPath +
                " kann nicht geöffnet werden: sie ist keine gewöhnliche Datei");
  EXPECT_EQ(localReadError(german, kPath + ": " + fillMessage(msg::kCannotOpenFile, kPath)),
            kPath + ": Die Datei " + kPath + " kann nicht geöffnet werden");
  // A path holding the words of a message is still taken whole.
  const std::string odd = "/tmp/Cannot open file x: it is not a regular file.qel";
  EXPECT_EQ(localReadError(german, fillMessage(msg::kNotRegularFile, odd)),
            "Die Datei " + odd + " kann nicht geöffnet werden: sie ist keine gewöhnliche Datei");
  EXPECT_EQ(localReadError(german, kPath + ": " + msg::kStreamReadError),
            kPath + ": " + german.message("U002"));

  LanguageFile english(languagesDir(), "English");
  const std::string refusal = kPath + ": " + fillMessage(msg::kNotRegularFile, kPath);
  EXPECT_EQ(localReadError(english, refusal), refusal);
}

TEST(ReadErrorText, OtherTextsAndAMissingLanguageLeaveTheReasonAsItIs) {
  LanguageFile german(languagesDir(), "German");
  const std::string create = fillMessage(msg::kCannotCreateFile, kPath) + ": Permission denied";
  EXPECT_EQ(localReadError(german, create), create);
  EXPECT_EQ(localReadError(german, "Cannot open file "), "Cannot open file ");

  LanguageFile none(languagesDir(), "Klingon");
  const std::string refusal = fillMessage(msg::kNotRegularFile, kPath);
  EXPECT_EQ(localReadError(none, refusal), refusal);
}

}  // namespace
}  // namespace kolvex
