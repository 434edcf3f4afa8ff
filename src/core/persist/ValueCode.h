#pragma once
#include <cstdint>

namespace kolvex {

// The code byte in front of every value of a stream.
enum ValueCode : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,  // ShortString
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,  // LongString
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,  // WideString
  vaInt64 = 19,
  vaUTF8String = 20,
};

inline constexpr char kSignature[4] = {'T', 'P', 'F', '0'};

}  // namespace kolvex
