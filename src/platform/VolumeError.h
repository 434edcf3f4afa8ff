#pragma once
#include <stdexcept>
#include <string>

namespace kolvex {

// The list of mounts itself cannot be read; no volume can be named then.
class VolumeError : public std::runtime_error {
 public:
  explicit VolumeError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kolvex
