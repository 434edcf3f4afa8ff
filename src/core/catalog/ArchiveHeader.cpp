#include "core/catalog/ArchiveHeader.h"

#include "core/content/CompanionStore.h"
#include "core/index/IndexMaintenance.h"
#include "core/persist/AtomicFileWriter.h"
#include "core/persist/ComponentWriter.h"
#include "core/persist/TQELFile.h"

namespace kolvex {

void CopyArchiveHeader(const TSCCDInfo& s, TSCCDInfo& t) {
  t.CDLabel = s.CDLabel;
  t.CDSize = s.CDSize;
  t.CDFormat = s.CDFormat;
  t.CreateDateTime = s.CreateDateTime;
  t.CreateUser = s.CreateUser;
  t.CreateSerial = s.CreateSerial;
  t.SystemVersion = s.SystemVersion;
  t.CDIconSmall = s.CDIconSmall;
  t.CDIconLarge = s.CDIconLarge;
  t.CDDescription = s.CDDescription;
  t.TotalFiles = s.TotalFiles;
  t.TotalDirectories = s.TotalDirectories;
  t.EntranceRP = s.EntranceRP;
  t.BaseDir = s.BaseDir;
  t.Removable = s.Removable;
}

void RewriteArchiveHeader(const std::string& catalogPath, const TSCCDInfo& header, FileOps& ops) {
  // The fingerprints stay valid (records keep their positions), but they are tied to the
  // catalog's identity, which the new header changes.
  const FingerprintLoad prints = loadFingerprints(catalogPath, ops);
  TQELFile old(ops);
  old.QELFileName = catalogPath;
  old.OpenForRead();
  old.Rewind();
  old.ReadCDHeader();  // leaves the position at the record base
  AtomicFileWriter out(catalogPath, ops);
  writeObject(out.stream(), header);
  Stream& in = old.stream();
  for (std::uint64_t left = in.remaining(); left > 0;) {
    std::size_t chunk = left < FileStream::kBlock ? static_cast<std::size_t>(left) : FileStream::kBlock;
    out.stream().write(in.take(chunk), chunk);
    left -= chunk;
  }
  old.CloseFile();
  out.commit();
  if (prints.usable()) retieCompanion(catalogPath, prints.content, ops);
  index::RefreshIndex(catalogPath);  // the header's digest changed; never fails the rewrite
}

}  // namespace kolvex
