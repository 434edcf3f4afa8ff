// Names matched per second by a compiled mask list, beside fnmatch(3) with FNM_CASEFOLD
// on the same names in the same run, and beside compiling the list for every name.
#include <fnmatch.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/search/TMaskList.h"

using kolvex::bench::median;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 7;

// Names as a cataloged disc holds them: camera pictures, documents, music, source trees,
// dot files, names without an extension, mixed case, spaces and UTF-8.
std::vector<std::string> makeNames(std::size_t count) {
  const std::vector<std::string> words = {
      "report",       "Budget", "notes",  "holiday", "IMG",       "track",
      "main",         "readme", "Setup",  "invoice", "draft",     "photo",
      "scan",         "backup", "config", "index",   "Thesis",    "caf\xc3\xa9",
      "\xc3\x84rger", "data",   "log",    "final",   "copy of",   "Music",
      "kernel",       "test",   "abacus", "Album",   "about_bach"};
  const std::vector<std::string> exts = {
      ".txt",    ".doc",  ".jpg", ".JPG", ".mp3", ".pdf", ".cpp", ".h", ".docx", ".png",
      ".tar.gz", ".html", ".exe", ".DLL", ".ini", ".xml", ".zip", ".c", ".json", ""};
  std::mt19937 rng(12345);
  auto pick = [&](const std::vector<std::string>& from) { return from[rng() % from.size()]; };
  std::vector<std::string> names;
  names.reserve(count);
  while (names.size() < count) {
    std::string name;
    switch (rng() % 6) {
      case 0:
        name = "IMG_" + std::to_string(1000 + rng() % 9000) + pick(exts);
        break;
      case 1:
        name.append(".").append(pick(words));
        break;
      case 2:
        name = pick(words) + " " + std::to_string(rng() % 100) + " - " + pick(words) + pick(exts);
        break;
      default:
        name = pick(words);
        if (rng() % 2) name.append("_").append(pick(words));
        if (rng() % 3 == 0) name += std::to_string(rng() % 100);
        name += pick(exts);
    }
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> split(const std::string& list) {
  std::vector<std::string> out;
  std::size_t from = 0;
  for (std::size_t at; (at = list.find(';', from)) != std::string::npos; from = at + 1)
    out.push_back(list.substr(from, at - from));
  out.push_back(list.substr(from));
  return out;
}

// Names per second of one pass; hits receives the number of names selected.
template <typename Test>
double namesPerSecond(const std::vector<std::string>& names, std::size_t& hits, Test test) {
  std::size_t n = 0;
  const auto start = Clock::now();
  for (const std::string& name : names) n += test(name);
  const std::chrono::duration<double> took = Clock::now() - start;
  hits = n;
  return static_cast<double>(names.size()) / took.count();
}

}  // namespace

int main() {
  const std::vector<std::string> names = makeNames(1000000);
  std::printf("%zu names; median of %d runs; millions of names per second\n\n", names.size(),
              kRuns);
  std::printf("%-20s %10s %10s %7s %14s %9s\n", "mask", "TMaskList", "fnmatch", "ratio",
              "compile/name", "hits");
  for (const std::string mask : {"*.*", "*.txt;*.doc;*.jpg", "a*b?c*[0-9]"}) {
    kolvex::TMaskList list(mask);
    const std::vector<std::string> patterns = split(mask);
    std::size_t ours = 0, theirs = 0, naive = 0;
    // The three take turns within each run, so a change of load on the machine shifts
    // all of them alike and the ratio of the run stays fair.
    std::vector<double> a, b, c, ratio;
    for (int run = 0; run < kRuns; ++run) {
      a.push_back(
          namesPerSecond(names, ours, [&](const std::string& n) { return list.matches(n); }));
      b.push_back(namesPerSecond(names, theirs, [&](const std::string& n) {
        for (const std::string& p : patterns)
          if (fnmatch(p.c_str(), n.c_str(), FNM_CASEFOLD) == 0) return true;
        return false;
      }));
      c.push_back(namesPerSecond(
          names, naive, [&](const std::string& n) { return kolvex::MatchesMaskList(n, mask); }));
      ratio.push_back(a.back() / b.back());
    }
    std::printf("%-20s %10.1f %10.1f %6.1fx %14.1f %9zu%s\n", mask.c_str(), median(a) / 1e6,
                median(b) / 1e6, median(ratio), median(c) / 1e6, ours,
                ours == theirs && ours == naive ? "" : "  (hits differ!)");
  }
  return 0;
}
