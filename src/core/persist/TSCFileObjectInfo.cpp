#include "core/persist/TSCFileObjectInfo.h"

#include "core/persist/SubObjectHelpers.h"

namespace kolvex {

std::span<const PropertyInfo> TSCFileObjectInfo::properties() const {
  using R = TTFileObjectInfo;
  using C = TSCFileObjectInfo;
  static const PropertyInfo table[] = {
      published<&R::FileName, C>("FileName"),
      published<&R::FilePath, C>("FilePath"),
      published<&R::EXEIconSmall, C>("EXEIconSmall"),
      published<&R::EXEIconLarge, C>("EXEIconLarge"),
      published<&R::CreateDateTime, C>("CreateDateTime"),
      published<&R::Attribute, C>("Attribute"),
      published<&R::PEVersion, C>("PEVersion"),
      published<&R::PECopyright, C>("PECopyright"),
      published<&R::PEDescription, C>("PEDescription"),
      published<&R::BrotherRP, C>("BrotherRP"),
      published<&R::ChildFileRP, C>("ChildFileRP"),
      published<&R::ChildDirRP, C>("ChildDirRP"),
      published<&R::FileSize, C>("FileSize"),
      published<&R::FilesUnderMe, C>("FilesUnderMe"),
      published<&R::DirsUnderMe, C>("DirsUnderMe"),
      published<&R::FilesOnlyUM, C>("FilesOnlyUM"),
      published<&R::DirsOnlyUM, C>("DirsOnlyUM"),
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

}  // namespace kolvex
