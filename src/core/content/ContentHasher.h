#pragma once
// Reads one file from start to end in large sequential reads and hashes it. The caller
// hears of every block read (for a bytes-of-bytes bar) and may stop it between blocks.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/content/Fingerprint.h"

namespace kolvex {

enum class HashStatus { Done, Unreadable, Stopped };

struct HashResult {
  HashStatus status = HashStatus::Unreadable;
  Fingerprint fingerprint;
  std::uint64_t size = 0;  // bytes hashed
};

class ContentHasher {
 public:
  static constexpr std::size_t kBlock = 1 << 20;
  // Called after each block with its length; returning false stops the file.
  using OnBlock = std::function<bool(std::uint64_t bytes)>;

  ContentHasher();
  ~ContentHasher();
  ContentHasher(const ContentHasher&) = delete;
  ContentHasher& operator=(const ContentHasher&) = delete;

  // Hashes the regular file at path (a symbolic link or any other kind is unreadable here:
  // it is never followed).
  HashResult hashFile(const std::string& path, const OnBlock& onBlock = {});

 private:
  struct State;
  std::unique_ptr<State> state_;
  std::vector<unsigned char> buffer_;
};

}  // namespace kolvex
