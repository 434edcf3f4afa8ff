#pragma once
// Errors raised by the stream format, the record classes and the catalog file.
// Each carries the message that reaches the user unchanged.
#include <stdexcept>
#include <string>

namespace kolvex {

// Base of every failure on files and streams.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure inside one property: "Error reading <object>.<path>: <inner message>".
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// A catalog whose links do not form the tree every writer guarantees.
class ECatalogLinkError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

namespace msg {
inline constexpr const char* kInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kPropertyDoesNotExist = "Property %s does not exist";
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";
inline constexpr const char* kInvalidPropertyPath = "Invalid property path";
inline constexpr const char* kIconNotValid = "Icon image is not valid";
inline constexpr const char* kBitmapNotValid = "Bitmap image is not valid";
inline constexpr const char* kCannotOpenFile = "Cannot open file %s";
inline constexpr const char* kCannotCreateFile = "Cannot create file %s";
}  // namespace msg

// Replaces the first "%s" of a fixed message with text (messages here hold one at most).
std::string fillMessage(const char* format, const std::string& text);

[[noreturn]] void throwReadError();     // "Stream read error"
[[noreturn]] void throwInvalidFormat();  // "Invalid stream format"
[[noreturn]] void throwCannotOpen(const std::string& path);
[[noreturn]] void throwCannotCreate(const std::string& path);

}  // namespace kolvex
