#pragma once
// Byte streams with a logical position. Reading goes through a window of buffered bytes
// so that decoding a record costs no call per item; the position is always exact, so
// streams that stand back to back are read one after the other.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace kolvex {

class Stream {
 public:
  virtual ~Stream() = default;
  Stream() = default;
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  std::uint64_t position() const { return winPos_ + static_cast<std::uint64_t>(cur_ - buf_); }
  virtual std::uint64_t size() = 0;
  std::uint64_t remaining() {
    std::uint64_t s = size(), p = position();
    return s > p ? s - p : 0;
  }
  void seek(std::uint64_t pos);

  // The next n bytes, advancing past them; throws "Stream read error" at the end.
  const std::uint8_t* take(std::size_t n) {
    if (static_cast<std::size_t>(end_ - cur_) >= n) {
      const std::uint8_t* p = cur_;
      cur_ += n;
      return p;
    }
    fill(n);
    const std::uint8_t* p = cur_;
    cur_ += n;
    return p;
  }
  std::uint8_t takeByte() { return *take(1); }
  // The next byte without consuming it.
  std::uint8_t peekByte() {
    if (cur_ == end_) fill(1);
    return *cur_;
  }
  // The buffered bytes from the current position on, at least min(n, remaining()) of
  // them; avail receives how many. Nothing is consumed: see skip().
  const std::uint8_t* window(std::size_t n, std::size_t& avail) {
    if (static_cast<std::size_t>(end_ - cur_) < n) {
      std::uint64_t left = remaining();
      if (left > static_cast<std::uint64_t>(end_ - cur_)) fill(n < left ? n : static_cast<std::size_t>(left));
    }
    avail = static_cast<std::size_t>(end_ - cur_);
    return cur_;
  }
  // Consumes n bytes that window() showed.
  void skip(std::size_t n) { cur_ += n; }
  // Reads exactly n bytes into dst (any size); throws "Stream read error" at the end.
  void readInto(void* dst, std::size_t n);
  // Appends exactly n bytes to out, checking first that the stream holds them.
  void readAppend(std::string& out, std::uint64_t n);

  virtual void write(const void* data, std::size_t n) = 0;
  void write(const std::string& s) { write(s.data(), s.size()); }
  // Ends the use of the stream; a file writes out what it buffered.
  virtual void close() {}

 protected:
  // Makes the window start at the current position and hold at least n bytes, or throws
  // "Stream read error" when the stream has fewer.
  virtual void fill(std::size_t n) = 0;
  // Moves to pos outside the current window.
  virtual void seekOutside(std::uint64_t pos) = 0;

  const std::uint8_t* buf_ = nullptr;  // window start, at stream offset winPos_
  const std::uint8_t* cur_ = nullptr;
  const std::uint8_t* end_ = nullptr;
  std::uint64_t winPos_ = 0;
};

// A stream over bytes in memory (tests, fuzzing, assembling a stream before writing).
class MemoryStream final : public Stream {
 public:
  MemoryStream() { reset(0); }
  explicit MemoryStream(std::string data) : data_(std::move(data)) { reset(0); }
  std::uint64_t size() override { return data_.size(); }
  using Stream::write;
  void write(const void* data, std::size_t n) override;
  const std::string& data() const { return data_; }

 protected:
  void fill(std::size_t n) override;
  void seekOutside(std::uint64_t pos) override;

 private:
  void reset(std::uint64_t pos);
  std::string data_;
};

}  // namespace kolvex
