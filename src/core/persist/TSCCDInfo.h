#pragma once
#include <memory>
#include <string>

#include "core/persist/Graphics.h"
#include "core/persist/Persistent.h"
#include "core/persist/TStringList.h"

namespace kolvex {

// The header record of a catalog: the scanned volume or folder.
class TSCCDInfo final : public Persistent {
 public:
  std::string_view className() const override { return "TSCCDInfo"; }
  std::span<const PropertyInfo> properties() const override;
  // Resets all 15 properties (ClearCDHeader).
  void clear();

  std::string CDLabel;
  std::int64_t CDSize = 0;
  std::string CDFormat;
  double CreateDateTime = 0.0;
  std::string CreateUser;
  std::string CreateSerial;
  std::string SystemVersion;
  std::shared_ptr<TIcon> CDIconSmall = std::make_shared<TIcon>();
  std::shared_ptr<TIcon> CDIconLarge = std::make_shared<TIcon>();
  std::shared_ptr<TStringList> CDDescription = std::make_shared<TStringList>();
  std::int32_t TotalFiles = 0;
  std::int32_t TotalDirectories = 0;
  std::int64_t EntranceRP = 0;
  std::string BaseDir;
  bool Removable = false;
};

// The catalog format version every catalog of this program carries.
inline constexpr const char* kSystemVersion = "VORN_VER_1.0";

}  // namespace kolvex
