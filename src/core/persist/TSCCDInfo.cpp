#include "core/persist/TSCCDInfo.h"

#include "core/persist/SubObjectHelpers.h"

namespace kolvex {

std::span<const PropertyInfo> TSCCDInfo::properties() const {
  using C = TSCCDInfo;
  static const PropertyInfo table[] = {
      published<&C::CDLabel>("CDLabel"),
      published<&C::CDSize>("CDSize"),
      published<&C::CDFormat>("CDFormat"),
      published<&C::CreateDateTime>("CreateDateTime"),
      published<&C::CreateUser>("CreateUser"),
      published<&C::CreateSerial>("CreateSerial"),
      published<&C::SystemVersion>("SystemVersion"),
      published<&C::CDIconSmall>("CDIconSmall"),
      published<&C::CDIconLarge>("CDIconLarge"),
      published<&C::CDDescription>("CDDescription"),
      published<&C::TotalFiles>("TotalFiles"),
      published<&C::TotalDirectories>("TotalDirectories"),
      published<&C::EntranceRP>("EntranceRP"),
      published<&C::BaseDir>("BaseDir"),
      published<&C::Removable>("Removable"),
  };
  return table;
}

void TSCCDInfo::clear() {
  CDLabel.clear();
  CDSize = 0;
  CDFormat.clear();
  CreateDateTime = 0.0;
  CreateUser.clear();
  CreateSerial.clear();
  SystemVersion.clear();
  resetShared(CDIconSmall);
  resetShared(CDIconLarge);
  resetShared(CDDescription);
  TotalFiles = 0;
  TotalDirectories = 0;
  EntranceRP = 0;
  BaseDir.clear();
  Removable = false;
}

}  // namespace kolvex
