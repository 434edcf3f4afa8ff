// What "explore" opens for an item found on its medium.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/app/ExploreTarget.h"
#include "support/TempDir.h"

namespace kolvex {
namespace {

TEST(ExploreTargetTest, AFileOpensItsFolderAndAFolderItselfByteForByte) {
  test::TempDir tmp;
  // Names that are not UTF-8 (Latin-1 bytes) are handed on as they are.
  const std::string folder = tmp.file("M\xfcller");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  const std::string file = folder + "/Gr\xfc\xdf" "e.txt";
  test::writeFile(file, "x");
  EXPECT_EQ(ExploreTarget(file), folder);
  EXPECT_EQ(ExploreTarget(folder), folder);
  // Gone from the medium meanwhile: the path itself, for the desktop to report.
  EXPECT_EQ(ExploreTarget(folder + "/gone.txt"), folder + "/gone.txt");
}

}  // namespace
}  // namespace kolvex
