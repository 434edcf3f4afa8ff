#pragma once
// Errors raised by the stream format, the record classes and the catalog file.
// Each carries the message that reaches the user unchanged.
#include <stdexcept>
#include <string>

namespace kolvex {

class Stream;

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

// A catalog that contradicts itself: links that do not form the tree every writer
// guarantees, records of the wrong kind for their chain, counters or totals that do not
// fit what the file holds.
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
// Only regular files are read: a fifo would block, a device never ends.
inline constexpr const char* kNotRegularFile = "Cannot open file %s: it is not a regular file";
// A file whose first bytes are not a stream: empty, or not written by this program.
inline constexpr const char* kNotAStream =
    "Not a Kolvex file: it is empty or does not begin with a stream";
inline constexpr const char* kCannotReplaceFile = "Cannot replace file %s";
}  // namespace msg

// Replaces the first "%s" of a fixed message with text (messages here hold one at most).
std::string fillMessage(const char* format, const std::string& text);

[[noreturn]] void throwReadError();     // "Stream read error"
[[noreturn]] void throwInvalidFormat();  // "Invalid stream format"
[[noreturn]] void throwCannotOpen(const std::string& path);
// "Cannot create file %s", followed by what the system said (err is an errno value).
[[noreturn]] void throwCannotCreate(const std::string& path, int err = 0);
// "Stream write error", followed by what the system said when err is not 0.
[[noreturn]] void throwWriteError(int err);
// "Cannot replace file %s", followed by what the system said.
[[noreturn]] void throwCannotReplace(const std::string& path, int err);
// "Not a Kolvex file: ..." when a file read from its start holds no stream at all;
// in stands at the file's first byte.
void checkStreamStart(Stream& in);

}  // namespace kolvex
