#pragma once
#include <cstdint>
#include <string>

namespace kolvex {

// Size text: the byte count in the largest unit of B, KB, MB, GB, TB (steps of 1024) that
// leaves it below 1024 (TB at most), with two decimals truncated (not rounded), in
// the shortest general notation with the given decimal separator, a space and the unit.
// 1126 gives "1.09 KB". The units end at TB, so 2^50 bytes are "1024 TB". A negative
// count names no size (a volume's capacity is -1 when unknown): see FormatKnownSize.
std::string FormatSize(std::int64_t bytes, const std::string& decimalSeparator);
// The same with the decimal separator of the current C locale.
std::string FormatSize(std::int64_t bytes);
// FormatSize, or the given text ("unknown") for a negative count, which names no size.
std::string FormatKnownSize(std::int64_t bytes, const std::string& unknown);
// For a column of sizes: always two decimals ("2.60 GB" beside "441.30 MB"), whole
// bytes without ("512 B"); still truncated, with the current C locale's separator.
std::string FormatSizeTwoDecimals(std::int64_t bytes);

}  // namespace kolvex
