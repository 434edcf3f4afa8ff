#include "core/catalog/DamagedCatalogs.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex {

DamagedCatalogs::State DamagedCatalogs::stateOf(const std::string& path) {
  State state;
  struct stat st {};
  // A file that cannot be examined keeps the state "unknown", told once like any other.
  if (::stat(path.c_str(), &st) != 0) return state;
  state.size = st.st_size;
  state.changedSec = st.st_mtim.tv_sec;
  state.changedNsec = st.st_mtim.tv_nsec;
  state.inode = static_cast<std::int64_t>(st.st_ino);
  return state;
}

std::vector<ArchiveEntry> DamagedCatalogs::untold(const std::vector<ArchiveEntry>& unreadable) {
  std::map<std::string, State> now;
  std::vector<ArchiveEntry> fresh;
  for (const ArchiveEntry& entry : unreadable) {
    if (entry.header) continue;
    const State state = stateOf(entry.path);
    auto before = told_.find(entry.path);
    if (before == told_.end() || !(before->second == state)) fresh.push_back(entry);
    now[entry.path] = state;
  }
  told_ = std::move(now);
  return fresh;
}

namespace {

// A path on one line: backslashes and line breaks escaped.
std::string escaped(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

bool unescaped(const std::string& text, std::string& path) {
  path.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      path += text[i];
      continue;
    }
    if (++i == text.size()) return false;
    switch (text[i]) {
      case '\\': path += '\\'; break;
      case 'n': path += '\n'; break;
      case 'r': path += '\r'; break;
      default: return false;
    }
  }
  return !path.empty();
}

}  // namespace

std::string DamagedCatalogs::text() const {
  std::ostringstream out;
  for (const auto& [path, s] : told_)
    out << s.size << ' ' << s.changedSec << ' ' << s.changedNsec << ' ' << s.inode << ' '
        << escaped(path) << '\n';
  return out.str();
}

void DamagedCatalogs::takeText(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    State s;
    std::string rest, path;
    if (!(fields >> s.size >> s.changedSec >> s.changedNsec >> s.inode) || fields.get() != ' ')
      continue;
    std::getline(fields, rest);
    if (unescaped(rest, path)) told_[path] = s;
  }
}

void DamagedCatalogs::load(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return;
  std::ostringstream all;
  all << in.rdbuf();
  takeText(all.str());
}

bool DamagedCatalogs::save(const std::string& file) const {
  try {
    AtomicFileWriter out(file);
    out.stream().write(text());
    out.commit();
    return true;
  } catch (const EStreamError&) {
    return false;
  }
}

}  // namespace kolvex
