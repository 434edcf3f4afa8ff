#pragma once
// A file-name mask compiled once and matched against many names. The language: "*" any run
// of bytes, "?" exactly one byte, "[...]" one byte of a set ("!" first negates, "a-z"
// ranges), everything else itself, with a to z matched regardless of case. A name matches
// only as a whole; "\", ":" and "." are ordinary bytes. Names are UTF-8 bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kolvex {

class TMask {
 public:
  // At most this many "*" may stand in one mask (a run of them counts once).
  static constexpr std::size_t kMaxSkips = 30;

  // Throws EMaskException for a mask that cannot be compiled.
  explicit TMask(std::string_view mask);

  // Allocation-free, and linear in the name for each segment between two "*".
  bool matches(std::string_view name) const noexcept;

  // The runs of bytes every matching name holds: the longest stretches of positions
  // between two "*" that each accept a single byte (a letter in either case counts once,
  // given in upper case), in mask order. A name folded to upper case that matches holds
  // each run; the index uses them to pick candidates.
  std::vector<std::string> literalRuns() const;

 private:
  // The name bytes one position accepts, with the case rule and negation already folded
  // in, so that a test is one bit lookup on the raw byte.
  struct ByteClass {
    std::array<std::uint64_t, 4> bits{};
    void add(std::uint8_t b) { bits[b >> 6] |= std::uint64_t{1} << (b & 63); }
    bool has(std::uint8_t b) const { return (bits[b >> 6] >> (b & 63)) & 1u; }
  };

  // How the search after a "*" finds candidates for the segment's first byte: the search
  // for a single byte (or a letter in either case) is what most masks need, and a byte
  // loop there costs a mispredicted branch per name.
  enum class Lead : std::uint8_t { kByte, kLetter, kClass };
  struct Skip {
    std::size_t at = 0;  // index into positions_ before which the "*" stood
    Lead lead = Lead::kClass;
    std::uint8_t upper = 0, lower = 0;  // the byte, or the letter's two cases
  };

  static ByteClass readSet(std::string_view mask, std::size_t& at);
  void chooseLeads();
  std::size_t findLead(const Skip& skip, const unsigned char* name, std::size_t from,
                       std::size_t last) const noexcept;
  void append(const ByteClass& cls, std::string_view mask, bool& skipPending, std::size_t at);
  void takeSkip(std::string_view mask, bool& skipPending, std::size_t at);
  bool matchRun(const unsigned char* name, std::size_t at, std::size_t first,
                std::size_t count) const noexcept;

  // One entry per byte of the name that the mask consumes (the end of the name is implicit).
  std::vector<ByteClass> positions_;
  // In mask order; an `at` of positions_.size() stands for a "*" before the end of the name.
  std::array<Skip, kMaxSkips> skips_{};
  std::size_t skipCount_ = 0;
};

// Compiles mask, matches name against it and discards it. Throws EMaskException.
bool NameMatchesMask(std::string_view name, std::string_view mask);

}  // namespace kolvex
