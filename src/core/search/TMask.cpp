#include "core/search/TMask.h"

#include <bit>
#include <cstring>

#include "core/search/EMaskException.h"

namespace kolvex {
namespace {

// Only a to z have a case; every other byte, UTF-8 sequences included, is compared as is.
constexpr std::uint8_t upper(std::uint8_t b) {
  return b >= 'a' && b <= 'z' ? static_cast<std::uint8_t>(b - ('a' - 'A')) : b;
}

std::uint8_t byteAt(std::string_view text, std::size_t at) {
  return static_cast<std::uint8_t>(text[at]);
}

}  // namespace

// Reads the set whose "[" is at `at`; leaves `at` after its "]". Members are kept
// upper-cased, then turned into the raw name bytes that upper-case to a member (or, when
// negated, to a non-member).
TMask::ByteClass TMask::readSet(std::string_view mask, std::size_t& at) {
  ByteClass members;
  bool negate = false;
  std::size_t i = at + 1;
  if (i < mask.size() && mask[i] == '!') {
    negate = true;
    ++i;
  }
  bool haveMember = false;
  std::uint8_t lastMember = 0;
  while (i < mask.size() && mask[i] != ']') {
    if (mask[i] == '-') {
      if (!haveMember || i + 1 == mask.size()) throw EMaskException(mask, i + 1);
      // The range runs from the last single member, which stays the last one, so that
      // [a-c-e] holds A to E.
      const std::uint8_t to = upper(byteAt(mask, i + 1));
      for (unsigned v = lastMember; v <= to; ++v) members.add(static_cast<std::uint8_t>(v));
      i += 2;
    } else {
      lastMember = upper(byteAt(mask, i));
      haveMember = true;
      members.add(lastMember);
      ++i;
    }
  }
  if (i == mask.size()) throw EMaskException(mask, mask.size() + 1);
  // A range needs a single member before it, so no single member means nothing at all.
  if (!haveMember) throw EMaskException(mask, i + 1);
  at = i + 1;
  ByteClass accepted;
  for (unsigned b = 0; b < 256; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    if (members.has(upper(byte)) != negate) accepted.add(byte);
  }
  return accepted;
}

TMask::TMask(std::string_view mask) {
  bool skipPending = false;
  std::size_t i = 0;
  while (i < mask.size()) {
    const std::size_t start = i;
    const std::uint8_t c = byteAt(mask, i);
    ByteClass cls;
    if (c == '*') {
      skipPending = true;
      ++i;
      continue;
    }
    if (c == '?') {
      ++i;
      if (skipPending) continue;  // "*?" is "*"
      cls.bits.fill(~std::uint64_t{0});
    } else if (c == '[') {
      cls = readSet(mask, i);
    } else {
      const std::uint8_t u = upper(c);
      cls.add(u);
      if (u >= 'A' && u <= 'Z') cls.add(static_cast<std::uint8_t>(u + ('a' - 'A')));
      ++i;
    }
    append(cls, mask, skipPending, start);
  }
  takeSkip(mask, skipPending, mask.size());
  chooseLeads();
}

void TMask::append(const ByteClass& cls, std::string_view mask, bool& skipPending, std::size_t at) {
  takeSkip(mask, skipPending, at);
  positions_.push_back(cls);
}

void TMask::takeSkip(std::string_view mask, bool& skipPending, std::size_t at) {
  if (!skipPending) return;
  if (skipCount_ == kMaxSkips) throw EMaskException(mask, at + 1);
  skips_[skipCount_++].at = positions_.size();
  skipPending = false;
}

void TMask::chooseLeads() {
  for (std::size_t j = 0; j < skipCount_; ++j) {
    Skip& skip = skips_[j];
    if (skip.at == positions_.size()) continue;
    const ByteClass& cls = positions_[skip.at];
    int members = 0;
    for (std::uint64_t w : cls.bits) members += std::popcount(w);
    if (members == 0 || members > 2) continue;  // e.g. "[!\0-\xff]" accepts nothing at all
    unsigned first = 0;
    while (!cls.has(static_cast<std::uint8_t>(first))) ++first;
    skip.upper = static_cast<std::uint8_t>(first);
    if (members == 1) {
      skip.lead = Lead::kByte;
    } else if (members == 2 && first >= 'A' && first <= 'Z' &&
               cls.has(static_cast<std::uint8_t>(first + ('a' - 'A')))) {
      skip.lead = Lead::kLetter;
      skip.lower = static_cast<std::uint8_t>(first + ('a' - 'A'));
    }
  }
}

// The first position in [from, last] whose byte the skip's first position accepts, or
// last + 1.
std::size_t TMask::findLead(const Skip& skip, const unsigned char* name, std::size_t from,
                            std::size_t last) const noexcept {
  if (from > last) return last + 1;
  const std::size_t span = last + 1 - from;
  const unsigned char* start = name + from;
  switch (skip.lead) {
    case Lead::kByte: {
      const void* hit = std::memchr(start, skip.upper, span);
      return hit ? from + static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - start)
                 : last + 1;
    }
    case Lead::kLetter: {
      const void* up = std::memchr(start, skip.upper, span);
      const std::size_t limit =
          up ? static_cast<std::size_t>(static_cast<const unsigned char*>(up) - start) : span;
      const void* low = std::memchr(start, skip.lower, limit);
      const std::size_t offset =
          low ? static_cast<std::size_t>(static_cast<const unsigned char*>(low) - start) : limit;
      return offset == span ? last + 1 : from + offset;
    }
    case Lead::kClass:
      break;
  }
  const ByteClass& cls = positions_[skip.at];
  std::size_t p = from;
  while (p <= last && !cls.has(name[p])) ++p;
  return p;
}

bool TMask::matchRun(const unsigned char* name, std::size_t at, std::size_t first,
                     std::size_t count) const noexcept {
  for (std::size_t k = 0; k < count; ++k)
    if (!positions_[first + k].has(name[at + k])) return false;
  return true;
}

// Every position consumes exactly one byte, so the mask is a fixed head, segments that
// each follow a "*", and the last segment, which must end the name. Taking the leftmost
// place for each middle segment is enough: a later place only leaves less room for the
// rest. This never backtracks more than one segment, so no mask makes it exponential.
bool TMask::matches(std::string_view text) const noexcept {
  const auto* name = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  const std::size_t m = positions_.size();
  if (skipCount_ == 0) return n == m && matchRun(name, 0, 0, m);
  if (n < m || !matchRun(name, 0, 0, skips_[0].at)) return false;
  std::size_t p = skips_[0].at;
  for (std::size_t j = 0; j + 1 < skipCount_; ++j) {
    const std::size_t first = skips_[j].at;
    const std::size_t count = skips_[j + 1].at - first;
    // Latest start that still leaves one byte for every later position.
    const std::size_t latest = n - (m - skips_[j + 1].at) - count;
    for (;; ++p) {
      p = findLead(skips_[j], name, p, latest);
      if (p > latest) return false;
      if (matchRun(name, p + 1, first + 1, count - 1)) break;
    }
    p += count;
  }
  const std::size_t first = skips_[skipCount_ - 1].at;
  if (first == m) return true;  // a trailing "*" takes whatever is left
  const std::size_t count = m - first;
  return n - count >= p && matchRun(name, n - count, first, count);
}

std::vector<std::string> TMask::literalRuns() const {
  std::vector<std::string> runs;
  std::string run;
  std::size_t nextSkip = 0;
  auto endRun = [&] {
    if (!run.empty()) runs.push_back(run);
    run.clear();
  };
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    while (nextSkip < skipCount_ && skips_[nextSkip].at == i) {
      endRun();
      ++nextSkip;
    }
    const ByteClass& cls = positions_[i];
    int members = 0;
    for (std::uint64_t w : cls.bits) members += std::popcount(w);
    unsigned first = 0;
    while (first < 256 && !cls.has(static_cast<std::uint8_t>(first))) ++first;
    const bool letterPair = members == 2 && first >= 'A' && first <= 'Z' &&
                            cls.has(static_cast<std::uint8_t>(first + ('a' - 'A')));
    if (members == 1 || letterPair)
      run += static_cast<char>(first);
    else
      endRun();
  }
  endRun();
  return runs;
}

bool NameMatchesMask(std::string_view name, std::string_view mask) {
  return TMask(mask).matches(name);
}

}  // namespace kolvex
