#include <gtest/gtest.h>

#include "platform/VolumeSerial.h"

namespace kolvex {
namespace {

TEST(VolumeSerialTest, Fnv1aMatchesTheReferenceValues) {
  EXPECT_EQ(fnv1a32(""), 0x811c9dc5u);
  EXPECT_EQ(fnv1a32("a"), 0xe40c292cu);
  EXPECT_EQ(fnv1a32("foobar"), 0xbf9cf968u);
  EXPECT_EQ(fnv1a32("bar", fnv1a32("foo")), fnv1a32("foobar"));
}

TEST(VolumeSerialTest, FatSerialIsTheEightDigitsAsOneNumber) {
  EXPECT_EQ(serialFromUuid("ABCD-1234"), 0xABCD1234u);
  EXPECT_EQ(serialFromUuid("abcd-1234"), 0xABCD1234u);
  EXPECT_EQ(serialFromUuid("0000-00FF"), 0xFFu);
}

TEST(VolumeSerialTest, NtfsSerialGivesItsLow32Bits) {
  EXPECT_EQ(serialFromUuid("1C2E3F4A5B6C7D8E"), 0x5B6C7D8Eu);
  EXPECT_EQ(serialFromUuid("ffffffff00000001"), 1u);
}

TEST(VolumeSerialTest, OtherHexUuidsGiveTheirFirstEightDigits) {
  EXPECT_EQ(serialFromUuid("a4706dab-b2e4-4639-8192-bee4c6e673f0"), 0xa4706dabu);
  EXPECT_EQ(serialFromUuid("A4706DAB-B2E4-4639-8192-BEE4C6E673F0"), 0xa4706dabu);
  EXPECT_EQ(serialFromUuid("a4706dabb2e446398192bee4c6e673f0"), 0xa4706dabu);
  EXPECT_EQ(serialFromUuid("12345678"), 0x12345678u);
}

TEST(VolumeSerialTest, NonHexUuidsAreHashed) {
  // ISO 9660 dates are all decimal digits: their shape, not their characters, decides.
  const char* iso = "2001-05-12-10-30-00-00";
  EXPECT_EQ(serialFromUuid(iso), fnv1a32(iso));
  EXPECT_NE(serialFromUuid("2001-05-12-10-30-00-00"), serialFromUuid("2001-05-12-11-00-00-00"));
  EXPECT_EQ(serialFromUuid("Xy12-ab34-Zz"), fnv1a32("Xy12-ab34-Zz"));
  EXPECT_EQ(serialFromUuid("1234"), fnv1a32("1234"));              // too short to take 8 digits
  EXPECT_EQ(serialFromUuid("ABCD-12345"), fnv1a32("ABCD-12345"));  // not the FAT shape
}

TEST(VolumeSerialTest, FsidSerialDependsOnIdAndSourceOnly) {
  EXPECT_EQ(serialFromFsid(0x1122334455667788, "nas:/export"),
            serialFromFsid(0x1122334455667788, "nas:/export"));
  EXPECT_NE(serialFromFsid(0, "nas:/export"), serialFromFsid(0, "nas:/other"));
  EXPECT_NE(serialFromFsid(1, "tmpfs"), serialFromFsid(2, "tmpfs"));
  EXPECT_NE(serialFromFsid(1, "tmpfs"), serialFromFsid(std::uint64_t{1} << 32, "tmpfs"));
  // The id is hashed low byte first, then the source.
  EXPECT_EQ(serialFromFsid(0x0807060504030201, "s"),
            fnv1a32("s", fnv1a32(std::string_view("\x01\x02\x03\x04\x05\x06\x07\x08", 8))));
}

}  // namespace
}  // namespace kolvex
