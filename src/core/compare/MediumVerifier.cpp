#include "core/compare/MediumVerifier.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <tuple>
#include <unordered_set>

#include "core/catalog/FileNames.h"
#include "core/catalog/LocalDayCount.h"
#include "core/catalog/LocateOnMedia.h"
#include "core/content/ContentHasher.h"

namespace kolvex {
namespace {

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool below(const std::string& path, const std::string& mount) {
  if (mount == "/") return path.front() == '/';
  return path.compare(0, mount.size(), mount) == 0 &&
         (path.size() == mount.size() || path[mount.size()] == '/');
}

// Every entry below base that is not a folder, by its path below base; folders are
// entered, but neither symbolic links nor other mounted file systems (as the scan does).
void listLive(const std::string& base, std::vector<std::string>& out) {
  struct Dir {
    std::string rel;
  };
  struct stat root {};
  if (::lstat(base.c_str(), &root) != 0) return;
  std::vector<Dir> todo{{""}};
  while (!todo.empty()) {
    Dir d = std::move(todo.back());
    todo.pop_back();
    DIR* dir = ::opendir((base + d.rel).c_str());
    if (!dir) continue;
    while (dirent* e = ::readdir(dir)) {
      std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      std::string rel = d.rel + name;
      struct stat st {};
      if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (S_ISDIR(st.st_mode)) {
        if (st.st_dev == root.st_dev) todo.push_back({rel + "/"});
      } else {
        out.push_back(std::move(rel));
      }
    }
    ::closedir(dir);
  }
}

}  // namespace

const char* verifyKindName(VerifyKind kind) {
  switch (kind) {
    case VerifyKind::Missing: return "missing";
    case VerifyKind::New: return "new";
    case VerifyKind::Changed: return "changed";
    case VerifyKind::Corrupt: return "corrupt";
    case VerifyKind::Unreadable: return "unreadable";
  }
  return "";
}

std::optional<std::string> findMediumBase(const TSCCDInfo& header,
                                          const std::vector<Volume>& volumes) {
  std::string base = header.BaseDir;
  while (base.size() > 1 && (base.back() == '/' || base.back() == '\\')) base.pop_back();
  const std::vector<std::string> parts = baseDirParts(header.BaseDir);
  for (const Volume& v : volumes) {
    if (v.serialText() != header.CreateSerial || header.CreateSerial == "0") continue;
    if (!base.empty() && base.front() == '/' && below(base, v.mountPoint) && isDirectory(base))
      return base + "/";
    // The tails keep the catalogued folder's own name; the volume's root alone is taken
    // only for a catalog of a whole volume, whose label has no folder part.
    const bool wholeVolume =
        header.CDLabel == ReplaceInvalidChars(v.label.empty() ? v.serialText() : v.label);
    for (std::size_t skip = 0; skip < parts.size() + (wholeVolume ? 1 : 0); ++skip) {
      std::string candidate = v.mountPoint == "/" ? "" : v.mountPoint;
      for (std::size_t i = skip; i < parts.size(); ++i) candidate += "/" + parts[i];
      if (candidate.empty()) candidate = "/";
      if (isDirectory(candidate)) return candidate.back() == '/' ? candidate : candidate + "/";
    }
  }
  return std::nullopt;
}

VerifyReport MediumVerifier::verify(const CatalogFiles& catalog, const std::string& base,
                                    const Tick& tick) {
  VerifyReport report;
  report.base = base.empty() || base.back() == '/' ? base : base + "/";
  LocalDayCount dayCount;
  std::unordered_set<std::string_view> known;
  known.reserve(catalog.files.size());
  struct Recheck {
    const CatalogFile* file;
  };
  std::vector<Recheck> recheck;
  std::uint64_t total = 0;
  for (const CatalogFile& f : catalog.files) {
    known.insert(f.path);
    ++report.checked;
    struct stat st {};
    const std::string live = report.base + f.path;
    if (::lstat(live.c_str(), &st) != 0) {
      report.items.push_back({VerifyKind::Missing, f.path, {}});
      continue;
    }
    VerifyItem changed{VerifyKind::Changed, f.path, {}};
    if (!S_ISDIR(st.st_mode) && st.st_size != f.size) changed.what.push_back("size");
    if (f.time != 0.0 && dayCount(st.st_mtim.tv_sec) != f.time) changed.what.push_back("time");
    if (!changed.what.empty()) {
      report.items.push_back(std::move(changed));
    } else if (f.fingerprint && S_ISREG(st.st_mode)) {
      recheck.push_back({&f});
      total += static_cast<std::uint64_t>(f.size);
    }
  }
  std::vector<std::string> live;
  listLive(report.base, live);
  for (std::string& p : live)
    if (!known.count(p)) report.items.push_back({VerifyKind::New, std::move(p), {}});

  ContentHasher hasher;
  std::uint64_t done = 0;
  if (tick && !tick(0, total)) report.cancelled = true;
  for (const Recheck& r : recheck) {
    if (report.cancelled) break;
    HashResult h = hasher.hashFile(report.base + r.file->path, [&](std::uint64_t n) {
      done += n;
      return !tick || tick(std::min(done, total), total);
    });
    if (h.status == HashStatus::Stopped) {
      report.cancelled = true;
      break;
    }
    ++report.rehashed;
    if (h.status != HashStatus::Done)
      report.items.push_back({VerifyKind::Unreadable, r.file->path, {}});
    else if (h.fingerprint != *r.file->fingerprint ||
             h.size != static_cast<std::uint64_t>(r.file->size))
      report.items.push_back({VerifyKind::Corrupt, r.file->path, {}});
  }
  std::sort(report.items.begin(), report.items.end(), [](const VerifyItem& a, const VerifyItem& b) {
    return std::tie(a.kind, a.path) < std::tie(b.kind, b.path);
  });
  return report;
}

}  // namespace kolvex
