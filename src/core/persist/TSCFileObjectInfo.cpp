#include "core/persist/TSCFileObjectInfo.h"

#include "core/persist/SubObjectHelpers.h"

namespace kolvex {

std::span<const PropertyInfo> TSCFileObjectInfo::properties() const {
  using C = TSCFileObjectInfo;
  static const PropertyInfo table[] = {
      published<&C::FileName>("FileName"),
      published<&C::FilePath>("FilePath"),
      published<&C::EXEIconSmall>("EXEIconSmall"),
      published<&C::EXEIconLarge>("EXEIconLarge"),
      published<&C::CreateDateTime>("CreateDateTime"),
      published<&C::Attribute>("Attribute"),
      published<&C::PEVersion>("PEVersion"),
      published<&C::PECopyright>("PECopyright"),
      published<&C::PEDescription>("PEDescription"),
      published<&C::BrotherRP>("BrotherRP"),
      published<&C::ChildFileRP>("ChildFileRP"),
      published<&C::ChildDirRP>("ChildDirRP"),
      published<&C::FileSize>("FileSize"),
      published<&C::FilesUnderMe>("FilesUnderMe"),
      published<&C::DirsUnderMe>("DirsUnderMe"),
      published<&C::FilesOnlyUM>("FilesOnlyUM"),
      published<&C::DirsOnlyUM>("DirsOnlyUM"),
  };
  return table;
}

void TSCFileObjectInfo::clear() {
  FileName.clear();
  FilePath.clear();
  resetShared(EXEIconSmall);
  resetShared(EXEIconLarge);
  CreateDateTime = 0.0;
  Attribute = 0;
  PEVersion.clear();
  PECopyright.clear();
  PEDescription.clear();
  BrotherRP = ChildFileRP = ChildDirRP = FileSize = 0;
  FilesUnderMe = DirsUnderMe = FilesOnlyUM = DirsOnlyUM = 0;
}

TTFileObjectInfo snapshotOf(const TSCFileObjectInfo& r) {
  TTFileObjectInfo s;
  s.Attribute = r.Attribute;
  s.PEVersion = r.PEVersion;
  s.PEDescription = r.PEDescription;
  s.FilePath = r.FilePath;
  s.FileName = r.FileName;
  s.PECopyright = r.PECopyright;
  s.EXEIconSmall = r.EXEIconSmall;
  s.EXEIconLarge = r.EXEIconLarge;
  s.CreateDateTime = r.CreateDateTime;
  s.ChildDirRP = r.ChildDirRP;
  s.BrotherRP = r.BrotherRP;
  s.ChildFileRP = r.ChildFileRP;
  s.FileSize = r.FileSize;
  s.FilesUnderMe = r.FilesUnderMe;
  s.DirsUnderMe = r.DirsUnderMe;
  s.FilesOnlyUM = r.FilesOnlyUM;
  s.DirsOnlyUM = r.DirsOnlyUM;
  return s;
}

}  // namespace kolvex
