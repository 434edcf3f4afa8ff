// Compares the matcher with a plain transcription of the backtracking search over
// (position, state) pairs, on random masks and names over a few bytes.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/search/TMask.h"

namespace kolvex {
namespace {

struct RefState {
  bool skip = false;
  bool end = false;
  std::function<bool(unsigned char)> test;
};

unsigned char up(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

// Tokens the generator uses, each turned into a state the slow, obvious way.
const std::vector<std::string> kTokens = {"*", "?", "a", "B", ".", "[a-b]", "[!a]", "[.-a]"};

std::vector<RefState> refCompile(const std::vector<int>& tokens) {
  std::vector<RefState> states;
  bool pending = false;
  auto add = [&](std::function<bool(unsigned char)> test) {
    states.push_back({pending, false, std::move(test)});
    pending = false;
  };
  for (int t : tokens) {
    const std::string& tok = kTokens[t];
    if (tok == "*") {
      pending = true;
    } else if (tok == "?") {
      if (!pending) add([](unsigned char) { return true; });
    } else if (tok == "[a-b]") {
      add([](unsigned char c) { return up(c) >= 'A' && up(c) <= 'B'; });
    } else if (tok == "[!a]") {
      add([](unsigned char c) { return up(c) != 'A'; });
    } else if (tok == "[.-a]") {  // "." to "A": 0x2e to 0x41 of the upper-cased byte
      add([](unsigned char c) { return up(c) >= '.' && up(c) <= 'A'; });
    } else {
      const unsigned char lit = up(static_cast<unsigned char>(tok[0]));
      add([lit](unsigned char c) { return up(c) == lit; });
    }
  }
  states.push_back({pending, true, nullptr});
  return states;
}

bool refMatch(const std::vector<RefState>& states, const std::string& name) {
  auto passes = [&](const RefState& s, std::size_t p) {
    if (s.end) return p == name.size();
    return p < name.size() && s.test(static_cast<unsigned char>(name[p]));
  };
  std::vector<std::pair<std::size_t, std::size_t>> stack;
  std::size_t p = 0, from = 0;
  for (;;) {
    bool ok = true;
    for (std::size_t s = from; s < states.size(); ++s) {
      if (states[s].skip) {
        while (p < name.size() && !passes(states[s], p)) ++p;
        if (p < name.size()) stack.emplace_back(p + 1, s);
      }
      if (!passes(states[s], p)) {
        ok = false;
        break;
      }
      if (!states[s].end) ++p;
    }
    if (ok) return true;
    if (stack.empty()) return false;
    EXPECT_LE(stack.size(), TMask::kMaxSkips);
    std::tie(p, from) = stack.back();
    stack.pop_back();
  }
}

TEST(TMaskReference, AgreesWithBacktrackingSearch) {
  std::mt19937 rng(20240611);
  const std::string alphabet = "aAbB.-";
  int hits = 0;
  for (int round = 0; round < 20000; ++round) {
    std::vector<int> tokens(rng() % 8);
    std::string mask;
    for (int& t : tokens) {
      t = static_cast<int>(rng() % kTokens.size());
      mask += kTokens[t];
    }
    std::string name(rng() % 9, ' ');
    for (char& c : name) c = alphabet[rng() % alphabet.size()];
    const bool expected = refMatch(refCompile(tokens), name);
    hits += expected;
    ASSERT_EQ(TMask(mask).matches(name), expected) << "mask " << mask << " name " << name;
  }
  EXPECT_GT(hits, 1000);  // the draw must exercise both answers
}

}  // namespace
}  // namespace kolvex
