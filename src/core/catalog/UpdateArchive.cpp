#include "core/catalog/UpdateArchive.h"

#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/BaseFolderFinder.h"
#include "core/catalog/LocalDayCount.h"
#include "core/content/CompanionStore.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "platform/VolumeError.h"

namespace kolvex {
namespace {

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
  std::string base;
  try {
    base = FindBaseFolder(old, catalogPath, cx.volumes);
  } catch (const VolumeError&) {
    return refusal(cx, "A001");
  }
  if (base.empty()) return refusal(cx, "A027");
  TSCCDInfo fresh;
  if (!scanner.GetVolumeInfo(base, fresh)) return refusal(cx, "A001");
  if (fresh.CreateSerial != old.CreateSerial) return refusal(cx, "A027");
  CopyArchiveHeader(old, fresh);
  // The folder as it is mounted now; everything else stays as the catalog had it.
  fresh.BaseDir = base;
  fresh.CreateDateTime = LocalDayCount::now();
  fresh.SystemVersion = kSystemVersion;
  // A catalog that had fingerprints gets them again; the flag is the caller's otherwise.
  const bool asked = cx.fingerprints;
  cx.fingerprints = asked || loadFingerprints(catalogPath, cx.ops).state !=
                                 FingerprintLoad::State::None;
  ScanResult result = scanner.CreateArchive(false, true, fresh, fresh.BaseDir, catalogPath);
  cx.fingerprints = asked;
  return result;
}

}  // namespace kolvex
