#include "core/compare/CatalogFiles.h"

#include "core/catalog/ArchiveHeader.h"
#include "core/content/CatalogFileWalk.h"

namespace kolvex {

std::optional<Fingerprint> fittingFingerprint(const CompanionContent& content,
                                              std::int64_t record, std::int64_t size) {
  const FingerprintEntry* e = content.find(record);
  if (!e || e->size != size) return std::nullopt;
  return e->fingerprint;
}

CatalogFiles loadCatalogFiles(const std::string& catalogPath, FileOps& ops) {
  CatalogFiles out;
  out.catalogPath = catalogPath;
  FingerprintLoad prints = loadFingerprints(catalogPath, ops);
  out.fingerprints = prints.state;
  if (!prints.usable() && prints.state != FingerprintLoad::State::None)
    out.warning = ignoredCompanionText(catalogPath, prints);
  CatalogReader reader(catalogPath, ops);
  CopyArchiveHeader(reader.header(), out.header);
  std::size_t unfit = 0;
  forEachCatalogEntry(reader, false,
                      [&](std::int64_t pos, const TSCFileObjectInfo& r, const std::string& p) {
                        CatalogFile f{p, pos, r.FileSize, r.CreateDateTime, r.Attribute, {}};
                        if (prints.usable()) {
                          f.fingerprint = fittingFingerprint(prints.content, pos, r.FileSize);
                          if (!f.fingerprint && prints.content.find(pos)) ++unfit;
                        }
                        out.files.push_back(std::move(f));
                      });
  if (unfit > 0) {
    // Sizes that do not fit mean the companion cannot be trusted for any record.
    for (CatalogFile& f : out.files) f.fingerprint.reset();
    out.fingerprints = FingerprintLoad::State::Damaged;
    prints.problem = "The fingerprint file does not fit the catalog's records";
    out.warning = ignoredCompanionText(catalogPath, prints);
  }
  return out;
}

}  // namespace kolvex
