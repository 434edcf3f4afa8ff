#pragma once
// The error raised for a mask that cannot be compiled. Its message reaches the user as it
// stands, so it names the whole mask and the place, counted from 1, where reading stopped.
#include <stdexcept>
#include <string>
#include <string_view>

namespace kolvex {

class EMaskException : public std::runtime_error {
 public:
  // position counts from 1; the mask's length plus 1 means "at its end".
  EMaskException(std::string_view mask, std::size_t position);

  const std::string& mask() const { return mask_; }
  std::size_t position() const { return position_; }

 private:
  std::string mask_;
  std::size_t position_;
};

}  // namespace kolvex
