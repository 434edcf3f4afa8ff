#pragma once
// Errors raised by the language files and the profile files behind them. Each carries the
// message that reaches the user unchanged.
#include <stdexcept>
#include <string>

namespace kolvex {

// A text that should hold a number does not: "'%s' is not a valid integer value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An entry that a profile file cannot hold as given (a line break in a value, "=" in a
// key); refused before the file is touched, so nothing on disk changes.
class EProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace msg {
inline constexpr const char* kNotValidInteger = "'%s' is not a valid integer value";
inline constexpr const char* kInvalidProfileEntry = "Invalid entry for a profile file: %s";
}  // namespace msg

}  // namespace kolvex
