#pragma once
// Where an export writes: text is collected in a buffer and handed on in large pieces,
// to a standard stream (the command line's output) or a file stream (an atomic file).
#include <iosfwd>
#include <string>
#include <string_view>

namespace kolvex {

class Stream;

class TextOut {
 public:
  virtual ~TextOut() = default;
  void put(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kFlushAt) flush();
  }
  void put(char c) { buffer_ += c; }
  // Hands on what the buffer holds; throws EStreamError when the target refuses it.
  void flush();

 protected:
  virtual void write(std::string_view text) = 0;

 private:
  static constexpr std::size_t kFlushAt = 64 * 1024;
  std::string buffer_;
};

class OstreamTextOut final : public TextOut {
 public:
  explicit OstreamTextOut(std::ostream& out) : out_(out) {}

 protected:
  void write(std::string_view text) override;

 private:
  std::ostream& out_;
};

class StreamTextOut final : public TextOut {
 public:
  explicit StreamTextOut(Stream& out) : out_(out) {}

 protected:
  void write(std::string_view text) override;

 private:
  Stream& out_;
};

}  // namespace kolvex
