#pragma once
// One value given to a text used as a format: a text for "%s" or a whole number for "%d".
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace kolvex {

enum class ArgKind : std::uint8_t { Text, Integer };

class FormatArg {
 public:
  FormatArg(std::string_view text) : kind_(ArgKind::Text), text_(text) {}
  FormatArg(const char* text) : FormatArg(std::string_view(text)) {}
  FormatArg(const std::string& text) : FormatArg(std::string_view(text)) {}
  template <std::integral T>
  requires(!std::same_as<T, bool> && !std::same_as<T, char>) FormatArg(T number)
      : kind_(ArgKind::Integer), number_(static_cast<std::int64_t>(number)) {}

  ArgKind kind() const { return kind_; }
  const std::string& text() const { return text_; }
  std::int64_t number() const { return number_; }
  // The value as "%s" or "%d" shows it.
  std::string shown() const { return kind_ == ArgKind::Text ? text_ : std::to_string(number_); }

 private:
  ArgKind kind_;
  std::string text_;
  std::int64_t number_ = 0;
};

}  // namespace kolvex
