#pragma once
// The 32-bit volume serial number of a Linux volume. It must be the same at every mount of
// the same medium: catalog file names and the drive monitor are built on it.
#include <cstdint>
#include <string_view>

namespace kolvex {

// 32-bit FNV-1a, continuing from `hash` so several pieces can be hashed in a row.
std::uint32_t fnv1a32(std::string_view bytes, std::uint32_t hash = 2166136261u);

// The serial of a file-system UUID as libblkid and udev write it:
// - "ABCD-1234" (FAT, exFAT): 0xABCD1234;
// - 16 hex digits (NTFS, UDF): the low 32 bits, i.e. the last 8 digits;
// - other hexadecimal UUIDs ("a4706dab-b2e4-...", dash-free hex runs): the first 8 digits;
// - anything else, such as an ISO 9660 date "2023-01-15-10-30-00-00": FNV-1a of the text.
// An ISO date is made of decimal digits only, so hexadecimal means the shape of a hex UUID,
// not just its characters; otherwise discs mastered on the same day would share a serial.
std::uint32_t serialFromUuid(std::string_view uuid);

// The serial of a volume without UUID (tmpfs, network shares): FNV-1a of statfs' f_fsid
// (its two 32-bit halves, low byte first) followed by the mount source.
std::uint32_t serialFromFsid(std::uint64_t fsid, std::string_view source);

}  // namespace kolvex
