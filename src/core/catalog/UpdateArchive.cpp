#include "core/catalog/UpdateArchive.h"

#include <sys/stat.h>

#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/LocalDayCount.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder itself or, when it is gone, its nearest existing parent: what tells which
// volume is mounted where the folder was. Empty for a path this system cannot hold (a
// drive letter or a network name of a catalog made on Windows).
std::string nearestExisting(std::string path) {
  if (path.empty() || path.front() != '/') return {};
  while (path.size() > 1 && !isDirectory(path)) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    path.erase(path.rfind('/') + 1);
  }
  return path;
}

ScanResult refusal(ScanContext& cx, const char* key) {
  std::string text = cx.texts.message(key);
  cx.dialogs.message(MessageKind::Error, text);
  return {ScanOutcome::Refused, text};
}

}  // namespace

ScanResult UpdateArchive(VolumeScanner& scanner, ScanContext& cx, const std::string& catalogPath,
                         bool ask) {
  if (ask && cx.dialogs.ask(cx.texts.message("A028")) != Answer::Yes)
    return {ScanOutcome::Cancelled, {}};
  TSCCDInfo old;
  try {
    CatalogReader reader(catalogPath, cx.ops);
    CopyArchiveHeader(reader.header(), old);
  } catch (const EStreamError& e) {
    cx.dialogs.message(MessageKind::Error, e.what());
    return {ScanOutcome::Failed, e.what()};
  }
  TSCCDInfo fresh;
  std::string probe = nearestExisting(old.BaseDir);
  if (probe.empty() || !scanner.GetVolumeInfo(probe, fresh)) return refusal(cx, "A001");
  if (fresh.CreateSerial != old.CreateSerial || !isDirectory(old.BaseDir))
    return refusal(cx, "A027");
  CopyArchiveHeader(old, fresh);
  fresh.CreateDateTime = LocalDayCount::now();
  fresh.SystemVersion = kSystemVersion;
  return scanner.CreateArchive(false, true, fresh, fresh.BaseDir, catalogPath);
}

}  // namespace kolvex
