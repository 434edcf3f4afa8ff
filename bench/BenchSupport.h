#pragma once
// What the benchmarks share: their file names, a dialog seam that only prints, the
// clock and the median of timings.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/app/Dialogs.h"

namespace kolvex::bench {

// Names as a catalogued disc holds them: pictures, documents, music, sources, dot files,
// names without an extension, mixed case, spaces and UTF-8.
class NameMaker {
 public:
  std::string next() {
    switch (rng_() % 6) {
      case 0:
        return "IMG_" + std::to_string(1000 + rng_() % 9000) + pick(exts_);
      case 1:
        return "." + pick(words_);
      case 2:
        return pick(words_) + " " + std::to_string(rng_() % 100) + " - " + pick(words_) +
               pick(exts_);
      default: {
        std::string name = pick(words_);
        if (rng_() % 2) name.append("_").append(pick(words_));
        if (rng_() % 3 == 0) name += std::to_string(rng_() % 100);
        return name + pick(exts_);
      }
    }
  }

 private:
  const std::string& pick(const std::vector<std::string>& from) {
    return from[rng_() % from.size()];
  }
  std::mt19937 rng_{12345};
  std::vector<std::string> words_ = {
      "report", "Budget",  "notes",   "holiday",     "IMG",          "track",  "main",
      "readme", "Setup",   "invoice", "draft",       "photo",        "scan",   "backup",
      "config", "index",   "Thesis",  "caf\xc3\xa9", "\xc3\x84rger", "data",   "log",
      "final",  "copy of", "Music",   "kernel",      "test",         "abacus", "Album"};
  std::vector<std::string> exts_ = {".txt", ".doc",  ".jpg", ".JPG",    ".mp3",  ".pdf", ".cpp",
                                    ".h",   ".docx", ".png", ".tar.gz", ".html", ".exe", ".DLL",
                                    ".ini", ".xml",  ".zip", ".c",      ".TXT",  ""};
};

class QuietDialogs final : public Dialogs {
 public:
  void message(MessageKind, const std::string& text) override {
    std::fprintf(stderr, "error: %s\n", text.c_str());
  }
  Answer ask(const std::string&, bool) override { return Answer::No; }
};

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace kolvex::bench
