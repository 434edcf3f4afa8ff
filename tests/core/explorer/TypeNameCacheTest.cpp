#include <gtest/gtest.h>

#include "core/explorer/TypeNameCache.h"

namespace kolvex {
namespace {

struct CountingProvider final : IconProvider {
  bool iconsOf(const std::string&, TIcon&, TIcon&) override { return false; }
  std::string typeNameOf(const std::string& name) override {
    asked.push_back(name);
    return "type of " + name;
  }
  std::vector<std::string> asked;
};

TEST(TypeNameCache, AsksOncePerExtensionIgnoringCase) {
  CountingProvider p;
  TypeNameCache cache(p);
  EXPECT_EQ(cache.typeNameOf("a.Txt"), "type of GETSHINFO.Txt");
  EXPECT_EQ(cache.typeNameOf("b.TXT"), "type of GETSHINFO.Txt");
  EXPECT_EQ(cache.typeNameOf("archive.tar.gz"), "type of GETSHINFO.gz");
  EXPECT_EQ(cache.typeNameOf("Makefile"), "type of GETSHINFO");
  EXPECT_EQ(cache.typeNameOf("README"), "type of GETSHINFO");
  EXPECT_EQ(cache.typeNameOf("c.txt"), "type of GETSHINFO.Txt");
  EXPECT_EQ(p.asked, (std::vector<std::string>{"GETSHINFO.Txt", "GETSHINFO.gz", "GETSHINFO"}));
  cache.clear();
  cache.typeNameOf("c.txt");
  EXPECT_EQ(p.asked.back(), "GETSHINFO.txt");
}

}  // namespace
}  // namespace kolvex
