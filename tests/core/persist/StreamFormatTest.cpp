// The component stream format: the writing rules, the codes the reader accepts, its
// messages, and streams standing back to back.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "core/persist/ComponentReader.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/PersistError.h"
#include "core/persist/TSCCDInfo.h"
#include "core/persist/TSCFileObjectInfo.h"
#include "core/persist/TSCInterfacePack.h"
#include "core/persist/TSCOptions.h"
#include "core/persist/ValueWriter.h"

namespace kolvex {
namespace {

std::string hex(const std::string& s) {
  static const char* d = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (!out.empty()) out += ' ';
    out += d[c >> 4];
    out += d[c & 15];
  }
  return out;
}

std::string bytes(std::initializer_list<int> b) {
  std::string s;
  for (int v : b) s += static_cast<char>(v);
  return s;
}

std::string prop(const std::string& name, const std::string& value) {
  return static_cast<char>(name.size()) + name + value;
}

// The start of a file-record stream, up to its properties.
std::string recordStart() { return "TPF0" + bytes({17}) + "TSCFileObjectInfo" + bytes({0}); }

template <class T>
T readBack(const std::string& stream) {
  MemoryStream in(stream);
  T t;
  readObject(in, t);
  EXPECT_EQ(in.position(), stream.size());
  return t;
}

std::string readError(const std::string& stream, Persistent& into) {
  MemoryStream in(stream);
  try {
    readObject(in, into);
  } catch (const EStreamError& e) {
    return e.what();
  }
  return "no error";
}

std::string encodedText(const std::string& text) {
  std::string out;
  ValueWriter(out).text(text);
  return out;
}

std::string encodedInt(std::int64_t v) {
  std::string out;
  ValueWriter(out).integer(v);
  return out;
}

TEST(StreamFormat, WorkedExampleFileRecordIsByteForByte) {
  TSCFileObjectInfo r;
  r.FileName = "a.txt";
  r.FilePath = "X:\\";
  r.CreateDateTime = 37622.5;
  r.Attribute = 32;
  r.BrotherRP = -1;
  r.FileSize = 5;
  std::string expected = recordStart() + prop("FileName", bytes({6, 5}) + "a.txt") +
                         prop("FilePath", bytes({6, 3}) + "X:\\") +
                         prop("CreateDateTime", bytes({5, 0, 0, 0, 0, 0, 0x80, 0xF6, 0x92, 0x0E, 0x40})) +
                         prop("Attribute", bytes({2, 0x20})) + prop("BrotherRP", bytes({2, 0xFF})) +
                         prop("FileSize", bytes({2, 5})) + prop("FilesUnderMe", bytes({2, 0})) +
                         prop("DirsUnderMe", bytes({2, 0})) + prop("FilesOnlyUM", bytes({2, 0})) +
                         prop("DirsOnlyUM", bytes({2, 0})) + bytes({0, 0});
  std::string got = encodeObject(r);
  EXPECT_EQ(got.size(), 172u);
  EXPECT_EQ(hex(got), hex(expected));

  auto back = readBack<TSCFileObjectInfo>(got);
  EXPECT_EQ(back.FileName, "a.txt");
  EXPECT_EQ(back.FilePath, "X:\\");
  EXPECT_EQ(back.CreateDateTime, 37622.5);
  EXPECT_EQ(back.Attribute, 32);
  EXPECT_EQ(back.BrotherRP, -1);
  EXPECT_EQ(back.FileSize, 5);
  EXPECT_EQ(back.ChildDirRP, 0);
}

TEST(StreamFormat, EmptyObjectsStillWriteIntegersAndBooleans) {
  EXPECT_EQ(hex(encodeObject(TSCFileObjectInfo{})),
            hex(recordStart() + prop("Attribute", bytes({2, 0})) +
                prop("FilesUnderMe", bytes({2, 0})) + prop("DirsUnderMe", bytes({2, 0})) +
                prop("FilesOnlyUM", bytes({2, 0})) + prop("DirsOnlyUM", bytes({2, 0})) +
                bytes({0, 0})));
  std::string header = encodeObject(TSCCDInfo{});
  EXPECT_NE(header.find(prop("TotalFiles", bytes({2, 0}))), std::string::npos);
  EXPECT_NE(header.find(prop("Removable", bytes({8}))), std::string::npos);
  EXPECT_EQ(header.find("EntranceRP"), std::string::npos);
  EXPECT_EQ(header.find("CDDescription"), std::string::npos);
}

TEST(StreamFormat, EveryFileRecordFieldComesBackUnderItsOwnNameInStoredOrder) {
  TSCFileObjectInfo r;
  r.FileName = "name";
  r.FilePath = "X:\\path\\";
  r.EXEIconSmall->setBytes(std::string("\0\0\1\0\1\0", 6) + "small");
  r.EXEIconLarge->setBytes(std::string("\0\0\1\0\1\0", 6) + "large");
  r.CreateDateTime = 2.5;
  r.Attribute = 3;
  r.PEVersion = "version";
  r.PECopyright = "copyright";
  r.PEDescription = "description";
  r.BrotherRP = 4;
  r.ChildFileRP = 5;
  r.ChildDirRP = 6;
  r.FileSize = 7;
  r.FilesUnderMe = 8;
  r.DirsUnderMe = 9;
  r.FilesOnlyUM = 10;
  r.DirsOnlyUM = 11;
  std::string stream = encodeObject(r);
  std::size_t at = 0;
  for (const char* name : {"FileName", "FilePath", "EXEIconSmall.Data", "EXEIconLarge.Data",
                           "CreateDateTime", "Attribute", "PEVersion", "PECopyright",
                           "PEDescription", "BrotherRP", "ChildFileRP", "ChildDirRP", "FileSize",
                           "FilesUnderMe", "DirsUnderMe", "FilesOnlyUM", "DirsOnlyUM"}) {
    std::size_t found = stream.find(prop(name, ""), at);
    ASSERT_NE(found, std::string::npos) << name << " missing or out of order";
    at = found + 1;
  }
  auto fields = [](const TTFileObjectInfo& f) {
    return std::tuple(f.FileName, f.FilePath, f.EXEIconSmall->bytes(), f.EXEIconLarge->bytes(),
                      f.CreateDateTime, f.Attribute, f.PEVersion, f.PECopyright, f.PEDescription,
                      f.BrotherRP, f.ChildFileRP, f.ChildDirRP, f.FileSize, f.FilesUnderMe,
                      f.DirsUnderMe, f.FilesOnlyUM, f.DirsOnlyUM);
  };
  EXPECT_EQ(fields(snapshotOf(readBack<TSCFileObjectInfo>(stream))), fields(r));
}

TEST(StreamFormat, IntegersTakeTheSmallestCode) {
  EXPECT_EQ(hex(encodedInt(127)), "02 7F");
  EXPECT_EQ(hex(encodedInt(-128)), "02 80");
  EXPECT_EQ(hex(encodedInt(128)), "03 80 00");
  EXPECT_EQ(hex(encodedInt(-32768)), "03 00 80");
  EXPECT_EQ(hex(encodedInt(-32769)), "04 FF 7F FF FF");
  EXPECT_EQ(hex(encodedInt(2147483647)), "04 FF FF FF 7F");
  EXPECT_EQ(hex(encodedInt(-2147483649LL)), "13 FF FF FF 7F FF FF FF FF");
  EXPECT_EQ(hex(encodedInt(4294967296LL)), "13 00 00 00 00 01 00 00 00");
  EXPECT_EQ(hex(encodedInt(-1)), "02 FF");
}

TEST(StreamFormat, SixtyFourBitValuesRoundTripAndZeroIsOmitted) {
  for (std::int64_t v : {std::int64_t{-1}, std::int64_t{4294967296}, INT64_MAX, INT64_MIN,
                         std::int64_t{-2147483649}, std::int64_t{5'000'000'000}}) {
    TSCFileObjectInfo r;
    r.FileSize = v;
    r.ChildFileRP = v;
    auto back = readBack<TSCFileObjectInfo>(encodeObject(r));
    EXPECT_EQ(back.FileSize, v);
    EXPECT_EQ(back.ChildFileRP, v);
  }
  TSCFileObjectInfo zero;
  EXPECT_EQ(encodeObject(zero).find("FileSize"), std::string::npos);
}

TEST(StreamFormat, TextRuleChoosesTheEncoding) {
  EXPECT_EQ(hex(encodedText("abc")), "06 03 61 62 63");
  std::string ascii300(300, 'q');
  EXPECT_EQ(encodedText(ascii300).substr(0, 5), bytes({12, 0x2C, 1, 0, 0}));
  EXPECT_EQ(encodedText(std::string(255, 'q'))[0], 6);
  // Four letters, one accented: 5 UTF-8 bytes < 2 * 4 code units.
  EXPECT_EQ(hex(encodedText("caf\xC3\xA9")), "14 05 00 00 00 63 61 66 C3 A9");
  // The accented letter alone: 2 bytes is not less than 2 * 1.
  EXPECT_EQ(hex(encodedText("\xC3\xA9")), "12 01 00 00 00 E9 00");
  // Outside the basic plane: 4 bytes, 2 code units.
  EXPECT_EQ(hex(encodedText("\xF0\x9F\x98\x80")), "12 02 00 00 00 3D D8 00 DE");
}

TEST(StreamFormat, TextsOfEveryKindComeBackAsTheyWere) {
  for (std::string text : {std::string("plain"), std::string(300, 'x'), std::string("caf\xC3\xA9"),
                           std::string("\xC3\xA9"), std::string("\xE6\x97\xA5\xE6\x9C\xAC"),
                           std::string("\xF0\x9F\x98\x80 smile"),
                           std::string("bad \xFF\xFE name"), std::string("\xC3"),
                           std::string("back\\slash")}) {
    TSCFileObjectInfo r;
    r.FileName = text;
    EXPECT_EQ(readBack<TSCFileObjectInfo>(encodeObject(r)).FileName, text) << hex(text);
  }
}

TEST(StreamFormat, EightBitTextsOfOtherWritersAreWindows1252) {
  std::string stream = recordStart() + prop("FileName", bytes({6, 4, 'c', 'a', 'f', 0xE9})) +
                       prop("FilePath", bytes({12, 2, 0, 0, 0, 0x80, 0x9F})) + bytes({0, 0});
  auto r = readBack<TSCFileObjectInfo>(stream);
  EXPECT_EQ(r.FileName, "caf\xC3\xA9");
  EXPECT_EQ(r.FilePath, "\xE2\x82\xAC\xC5\xB8");  // euro sign, Y with diaeresis
}

TEST(StreamFormat, StringListLinesNeverUseWideStrings) {
  TSCCDInfo h;
  h.CDDescription->lines = {"Readme", "\xC3\xA9", ""};
  std::string s = encodeObject(h);
  auto at = s.find("CDDescription.Strings");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(hex(s.substr(at + 21, 18)),
            "01 06 06 52 65 61 64 6D 65 14 02 00 00 00 C3 A9 06 00");
  EXPECT_EQ(readBack<TSCCDInfo>(s).CDDescription->lines, h.CDDescription->lines);
}

TEST(StreamFormat, DateTimesAreExtendedAndRoundTripExactly) {
  for (double d : {37622.5, 0.25, -693593.0, 2958465.99998843, 1e-300, 1e300, 45000.123456789}) {
    TSCFileObjectInfo r;
    r.CreateDateTime = d;
    EXPECT_EQ(readBack<TSCFileObjectInfo>(encodeObject(r)).CreateDateTime, d);
  }
  // A whole number of days may be stored as an integer by other writers.
  std::string stream = recordStart() + prop("CreateDateTime", bytes({3, 0xF6, 0x92})) + bytes({0, 0});
  EXPECT_EQ(readBack<TSCFileObjectInfo>(stream).CreateDateTime, -27914.0);
}

TEST(StreamFormat, ExtendedValuesNoDoubleHoldsAreRefused) {
  TSCFileObjectInfo r;
  std::string huge = bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F});  // infinity
  std::string big = bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x44});   // 2^1025
  EXPECT_EQ(readError(recordStart() + prop("CreateDateTime", huge) + bytes({0, 0}), r),
            "Error reading TSCFileObjectInfo.CreateDateTime: Invalid property value");
  EXPECT_EQ(readError(recordStart() + prop("CreateDateTime", big) + bytes({0, 0}), r),
            "Error reading TSCFileObjectInfo.CreateDateTime: Invalid property value");
}

TEST(StreamFormat, ReaderAcceptsEveryCodeItsKindAllows) {
  std::string stream = "TPF0" + bytes({9}) + "TSCCDInfo" + bytes({0}) +
                       prop("cdlabel", bytes({20, 2, 0, 0, 0}) + "ok") +        // letter case
                       prop("CDSize", bytes({4, 1, 0, 0, 0})) +                 // Int32 as 64-bit
                       prop("CDFormat", bytes({18, 2, 0, 0, 0, 'f', 0, 's', 0})) +
                       prop("TotalFiles", bytes({3, 0x10, 0x27})) +
                       prop("Removable", bytes({7, 4}) + "tRuE") + prop("Tag", bytes({2, 7})) +
                       bytes({0, 0});
  auto h = readBack<TSCCDInfo>(stream);
  EXPECT_EQ(h.CDLabel, "ok");
  EXPECT_EQ(h.CDSize, 1);
  EXPECT_EQ(h.CDFormat, "fs");
  EXPECT_EQ(h.TotalFiles, 10000);
  EXPECT_TRUE(h.Removable);
  EXPECT_EQ(h.Tag, 7);
}

TEST(StreamFormat, FlagByteBeforeTheClassNameIsSkipped) {
  std::string body = bytes({9}) + "TSCCDInfo" + bytes({0}) + prop("CDLabel", bytes({6, 1, 'L'})) +
                     bytes({0, 0});
  EXPECT_EQ(readBack<TSCCDInfo>("TPF0" + bytes({0xF0}) + body).CDLabel, "L");
  EXPECT_EQ(readBack<TSCCDInfo>("TPF0" + bytes({0xF2, 3, 0x34, 0x12}) + body).CDLabel, "L");
}

TEST(StreamFormat, EveryFailureHasItsMessage) {
  TSCCDInfo h;
  std::string start = "TPF0" + bytes({9}) + "TSCCDInfo" + bytes({0});
  auto with = [&](const std::string& p) { return start + p + bytes({0, 0}); };
  EXPECT_EQ(readError("TPF1" + start.substr(4), h), "Invalid stream format");
  EXPECT_EQ(readError(start.substr(0, 10), h), "Stream read error");
  EXPECT_EQ(readError(with(prop("Nope", bytes({2, 1}))), h),
            "Error reading TSCCDInfo.Nope: Property Nope does not exist");
  EXPECT_EQ(readError(with(prop("TotalFiles", bytes({6, 1, 'x'}))), h),
            "Error reading TSCCDInfo.TotalFiles: Invalid property value");
  EXPECT_EQ(readError(with(prop("TotalFiles", bytes({19, 1, 0, 0, 0, 0, 0, 0, 0}))), h),
            "Error reading TSCCDInfo.TotalFiles: Invalid property value");
  EXPECT_EQ(readError(with(prop("Removable", bytes({7, 3}) + "Yes")), h),
            "Error reading TSCCDInfo.Removable: Invalid property value");
  EXPECT_EQ(readError(with(prop("CDLabel.Data", bytes({10, 0, 0, 0, 0}))), h),
            "Error reading TSCCDInfo.CDLabel.Data: Invalid property path");
  EXPECT_EQ(readError(with(prop("Missing.Data", bytes({10, 0, 0, 0, 0}))), h),
            "Error reading TSCCDInfo.Missing.Data: Property Missing does not exist");
  EXPECT_EQ(readError(with(prop("CDIconSmall.Pixels", bytes({10, 0, 0, 0, 0}))), h),
            "Error reading TSCCDInfo.CDIconSmall.Pixels: Property Pixels does not exist");
  EXPECT_EQ(readError(with(prop("CDIconSmall.Data", bytes({10, 6, 0, 0, 0, 0, 0, 2, 0, 1, 0}))), h),
            "Error reading TSCCDInfo.CDIconSmall.Data: Icon image is not valid");
  EXPECT_EQ(readError(with(prop("CDIconSmall.Data", bytes({6, 0}))), h),
            "Error reading TSCCDInfo.CDIconSmall.Data: Invalid property value");
  EXPECT_EQ(readError(with(prop("CDDescription.Strings", bytes({1, 2, 5, 0}))), h),
            "Error reading TSCCDInfo.CDDescription.Strings: Invalid property value");
  EXPECT_EQ(readError(start + bytes({0, 1}), h), "Invalid stream format");  // a child

  TSCInterfacePack pack;
  std::string packStart = "TPF0" + bytes({16}) + "TSCInterfacePack" + bytes({0});
  EXPECT_EQ(readError(packStart + prop("FlatMask.Data", bytes({10, 6, 0, 0, 0, 2, 0, 0, 0, 'X', 'M'})) +
                          bytes({0, 0}),
                      pack),
            "Error reading TSCInterfacePack.FlatMask.Data: Bitmap image is not valid");
}

TEST(StreamFormat, ReadingARecordIntoAHeaderFailsAtItsFirstProperty) {
  TSCFileObjectInfo r;
  r.FileName = "a";
  TSCCDInfo h;
  h.CDLabel = "kept";
  EXPECT_EQ(readError(encodeObject(r), h),
            "Error reading TSCCDInfo.FileName: Property FileName does not exist");
  EXPECT_EQ(h.CDLabel, "kept");
}

TEST(StreamFormat, LengthsBeyondTheDataFailWithoutAllocating) {
  TSCCDInfo h;
  std::string start = "TPF0" + bytes({9}) + "TSCCDInfo" + bytes({0});
  EXPECT_EQ(readError(start + prop("CDLabel", bytes({12, 0xFF, 0xFF, 0xFF, 0xFF})), h),
            "Stream read error");
  EXPECT_EQ(readError(start + prop("CDLabel", bytes({18, 0xFF, 0xFF, 0xFF, 0xFF})), h),
            "Stream read error");
  EXPECT_EQ(readError(start + prop("CDIconSmall.Data", bytes({10, 0xF0, 0xFF, 0xFF, 0x7F})), h),
            "Stream read error");
}

TEST(StreamFormat, GraphicsAndListsRoundTripAndEmptyOnesAreOmitted) {
  TSCInterfacePack pack;
  pack.FlatMask->setBytes("BM\x10\x00rest");
  pack.TopBanner->setBytes(std::string("\xFF\xD8\xFF jpeg", 9));
  std::string s = encodeObject(pack);
  EXPECT_NE(s.find("FlatMask.Data"), std::string::npos);
  EXPECT_EQ(s.find("LeftBar"), std::string::npos);
  auto back = readBack<TSCInterfacePack>(s);
  EXPECT_EQ(back.FlatMask->bytes(), pack.FlatMask->bytes());
  EXPECT_EQ(back.TopBanner->bytes(), pack.TopBanner->bytes());
  EXPECT_TRUE(back.IFace->empty());

  TSCCDInfo h;
  std::string icon = bytes({0, 0, 1, 0, 1, 0}) + std::string(16, '\x01');
  h.CDIconLarge->setBytes(icon);
  auto hb = readBack<TSCCDInfo>(encodeObject(h));
  EXPECT_EQ(hb.CDIconLarge->bytes(), icon);
  EXPECT_TRUE(hb.CDIconSmall->empty());
}

TEST(StreamFormat, OptionsWithFactoryValuesRoundTrip) {
  TSCOptions o;
  o.setFactoryValues();
  o.AutoStart = true;
  auto back = readBack<TSCOptions>(encodeObject(o));
  EXPECT_EQ(back.DescriptionFiles->lines, std::vector<std::string>{"Readme.txt"});
  EXPECT_EQ(back.SearchTypeCaptions->lines, std::vector<std::string>{"Any File (*.*)"});
  EXPECT_EQ(back.SearchTypeMasks->lines, std::vector<std::string>{"*.*"});
  EXPECT_EQ(back.LanguageName, "English");
  EXPECT_EQ(back.VersionInfoMathes, "*.exe");
  EXPECT_TRUE(back.GradiantShow);
  EXPECT_EQ(back.ForeBackMaxItems, 6);
  EXPECT_EQ(back.SpyFrequency, 5000);
  EXPECT_EQ(back.TransIncreaseBy, 25);
  EXPECT_EQ(back.FinalTrans, 255);
  EXPECT_TRUE(back.AutoStart);
  EXPECT_EQ(encodeObject(o).find("IconIndexingMatches"), std::string::npos);
}

TEST(StreamFormat, StreamsBackToBackAreReadInOrderWhateverTheirSize) {
  // Sizes around the read block, so streams straddle block boundaries.
  for (std::size_t big : {100u, 4000u, 4090u, 4096u, 5000u, 65530u, 65536u, 70000u}) {
    MemoryStream out;
    TSCCDInfo h;
    h.CDLabel = std::string(big, 'L');
    writeObject(out, h);
    TSCFileObjectInfo a, b;
    a.FileName = "first";
    b.FileName = std::string(big / 2, 'b');
    writeObject(out, a);
    writeObject(out, b);
    MemoryStream in(out.data());
    TSCCDInfo h2;
    TSCFileObjectInfo a2, b2;
    readObject(in, h2);
    readObject(in, a2);
    readObject(in, b2);
    EXPECT_EQ(h2.CDLabel, h.CDLabel);
    EXPECT_EQ(a2.FileName, "first");
    EXPECT_EQ(b2.FileName, b.FileName);
    EXPECT_EQ(in.position(), out.data().size());
  }
}

}  // namespace
}  // namespace kolvex
