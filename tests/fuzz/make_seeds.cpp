// Writes the fuzzer's seed files: catalogs, options and packages, and streams that use
// every value code the readers accept.
#include <fstream>
#include <iostream>
#include <string>

#include "core/persist/ComponentWriter.h"
#include "core/persist/TSCCDInfo.h"
#include "core/persist/TSCFileObjectInfo.h"
#include "core/persist/TSCInterfacePack.h"
#include "core/persist/TSCOptions.h"
#include "support/CatalogCraft.h"
#include "support/TempDir.h"

using namespace kolvex;

namespace {

std::string dir;

void save(const std::string& name, const std::string& bytes) {
  std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
}

std::string b(std::initializer_list<int> v) {
  std::string s;
  for (int x : v) s += static_cast<char>(x);
  return s;
}

std::string prop(const std::string& name, const std::string& value) {
  return static_cast<char>(name.size()) + name + value;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_seeds DIR\n";
    return 2;
  }
  dir = argv[1];
  TSCCDInfo h;
  h.CDLabel = "MYDISC_Data";
  h.CDSize = 5'000'000'000;
  h.CDFormat = "ext4";
  h.CreateDateTime = 45000.75;
  h.CreateSerial = "123";
  h.SystemVersion = kSystemVersion;
  h.CDDescription->lines = {"Readme", "\xC3\xA9t\xC3\xA9", std::string(300, 'x')};
  h.CDIconSmall->setBytes(b({0, 0, 1, 0, 1, 0, 16, 16}) + std::string(20, 'p'));
  h.BaseDir = "/media/u/MYDISC/Data/";
  h.Removable = true;
  test::TempDir tmp;
  std::string cat = tmp.file("c.qel");
  test::writeCatalog(cat,
                     test::dir("", {test::file("a.txt", 5), test::dir("d", {test::file("\xC3\xA9", 1LL << 33)}),
                                    test::dir("empty"), test::file("\xE6\x97\xA5")}),
                     h);
  save("catalog.qel", test::readFile(cat));
  test::writeCatalog(cat, test::dir("", {test::dir("first")}));
  save("catalog_pos0.qel", test::readFile(cat));
  // Several levels with files in each, for the walks that follow the chains.
  test::writeCatalog(cat, test::dir("", {test::file("top"), test::dir("a", {test::file("a1"), test::file("a2"),
                                                                            test::dir("b", {test::file("b1")})}),
                                         test::dir("c", {test::dir("d"), test::file("c1")})}));
  save("catalog_levels.qel", test::readFile(cat));
  // A file whose icon holds a whole file record: a link into the middle of that record
  // finds a stream that reads well.
  {
    TSCFileObjectInfo inner;
    inner.FileName = "hidden";
    inner.FilePath = "X:\\";
    inner.Attribute = faArchive;
    test::Crafted holder, root;
    holder.record.FileName = "holder";
    holder.record.FilePath = "X:\\";
    holder.record.Attribute = faArchive;
    holder.record.EXEIconSmall->setBytes(b({0, 0, 1, 0}) + encodeObject(inner));
    root.record.FilePath = "X:\\";
    root.record.Attribute = faDirectory;
    root.childFile = 0;
    save("catalog_nested_stream.qel", test::craftCatalog({holder, root}, 1));
  }

  TSCOptions o;
  o.setFactoryValues();
  save("options.cfg", encodeObject(o));
  TSCInterfacePack p;
  p.FlatMask->setBytes("BM" + std::string(30, 'm'));
  p.TopBanner->setBytes(b({0xFF, 0xD8, 0xFF, 0xE0}) + "jpeg");
  save("pack.ipk", encodeObject(p));

  // Every code a reader accepts, as other writers may use them.
  std::string start = "TPF0" + b({0xF2, 2, 1}) + b({9}) + "TSCCDInfo" + b({0});
  save("codes.bin",
       start + prop("CDLabel", b({12, 2, 0, 0, 0}) + "hi") + prop("CDFormat", b({18, 1, 0, 0, 0, 'x', 0})) +
           prop("CreateUser", b({20, 1, 0, 0, 0}) + "u") + prop("CDSize", b({19, 1, 2, 3, 4, 5, 6, 7, 8})) +
           prop("CreateDateTime", b({3, 1, 1})) + prop("TotalFiles", b({4, 1, 0, 0, 0})) +
           prop("Removable", b({7, 5}) + "False") + prop("Tag", b({2, 1})) +
           prop("CDDescription.Strings", b({1, 6, 1, 'a', 12, 1, 0, 0, 0, 'b', 18, 1, 0, 0, 0, 'c', 0, 20, 0, 0, 0, 0, 0})) +
           b({0, 0}));
  // Codes that no property accepts, for the dump and the error paths.
  save("others.bin", "TPF0" + b({3}) + "Odd" + b({0}) + prop("S", b({11, 1, 'a', 0})) +
                         prop("N", b({13})) + prop("F", b({15, 0, 0, 0x80, 0x3F})) +
                         prop("C", b({16, 1, 0, 0, 0, 0, 0, 0, 0})) + prop("D", b({17, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F})) +
                         prop("L", b({14, 1, 1, 'x', 2, 1, 0, 0})) + b({0, 0}));
  return 0;
}
