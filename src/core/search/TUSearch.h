#pragma once
// The criteria of a search, filled by the criteria panel and read by the run.
#include <cstdint>

namespace kolvex {

// SearchFor: what to look for (also the Kind of a hit, with exactly one bit).
inline constexpr std::uint8_t kSearchCatalogs = 1;
inline constexpr std::uint8_t kSearchDirectories = 2;
inline constexpr std::uint8_t kSearchFiles = 4;

// Attributes: which attribute boxes are ticked.
inline constexpr std::uint8_t kAttrArchive = 1;
inline constexpr std::uint8_t kAttrAnyFile = 2;
inline constexpr std::uint8_t kAttrHidden = 4;
inline constexpr std::uint8_t kAttrSystem = 8;
inline constexpr std::uint8_t kAttrReadOnly = 16;

// The value both date pickers start with: 23 May 2003, 22:52:50, as a day count.
inline constexpr double kPickerStartDate = 37764.0 + (22 * 3600 + 52 * 60 + 50) / 86400.0;

// The defaults are the criteria panel's right after it was created.
struct TUSearch {
  std::uint8_t SearchFor = kSearchCatalogs | kSearchDirectories | kSearchFiles;
  bool DateEnabled = false;
  double DateFrom = kPickerStartDate;  // inclusive, full date-time values
  double DateTo = kPickerStartDate;
  bool SizeEnabled = false;
  std::int64_t MinSize = 1024;  // inclusive, bytes
  std::int64_t MaxSize = 102400;
  std::uint8_t Attributes = kAttrAnyFile;

  bool operator==(const TUSearch&) const = default;
};

}  // namespace kolvex
