#include "core/catalog/ModifyArchive.h"

#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/FileNames.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

bool isWindowsPath(const std::string& p) {
  bool driveLetter = p.size() >= 2 &&
                     ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':';
  return driveLetter || p.rfind("\\\\", 0) == 0;
}

}  // namespace

std::string WithTrailingSeparator(const std::string& baseDir) {
  if (!baseDir.empty() && (baseDir.back() == '/' || baseDir.back() == '\\')) return baseDir;
  return baseDir + (isWindowsPath(baseDir) ? "\\" : "/");
}

void ApplyHeaderEdits(const HeaderEdits& edits, TSCCDInfo& header) {
  if (edits.label) header.CDLabel = ReplaceInvalidChars(*edits.label);
  if (edits.baseDir) header.BaseDir = WithTrailingSeparator(*edits.baseDir);
  if (edits.removable) header.Removable = *edits.removable;
  if (edits.description) {
    // A new list: the old one may be shared with the header it was copied from.
    header.CDDescription = std::make_shared<TStringList>();
    header.CDDescription->lines = *edits.description;
  }
}

bool ModifyArchive(const std::string& catalogPath, const HeaderEdits& edits, Dialogs& dialogs,
                   LanguageFile& texts, std::string& reason, FileOps& ops) {
  TSCCDInfo working;
  try {
    CatalogReader reader(catalogPath, ops);
    CopyArchiveHeader(reader.header(), working);
  } catch (const EStreamError& e) {
    reason = e.what();
    dialogs.message(MessageKind::Error, reason);
    return false;
  }
  ApplyHeaderEdits(edits, working);
  if (working.CDLabel.empty()) {
    reason = texts.message("A018");
    dialogs.message(MessageKind::Error, reason);
    return false;
  }
  try {
    RewriteArchiveHeader(catalogPath, working, ops);
  } catch (const EStreamError& e) {
    reason = e.what();
    dialogs.message(MessageKind::Error, reason);
    return false;
  }
  return true;
}

}  // namespace kolvex
