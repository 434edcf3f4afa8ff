#pragma once
// Every message key the program looks up in the "ResourceStrings" section of a language
// file, with the kinds of the values its text is filled with, in order. A text whose key
// takes no values is shown as it stands and is never used as a format.
#include <span>
#include <string_view>

#include "core/app/FormatArg.h"

namespace kolvex {

struct MessageKey {
  std::string_view key;
  std::span<const ArgKind> args;
};

std::span<const MessageKey> messageKeys();
// The key's entry, or null for a key the program does not use.
const MessageKey* findMessageKey(std::string_view key);

}  // namespace kolvex
