#pragma once
#include <memory>
#include <string>

#include "core/persist/Persistent.h"
#include "core/persist/TStringList.h"

namespace kolvex {

// Every user setting of the program, kept in "Options.cfg".
class TSCOptions final : public Persistent {
 public:
  std::string_view className() const override { return "TSCOptions"; }
  std::span<const PropertyInfo> properties() const override;
  // The factory settings; AutoStart is left as it is.
  void setFactoryValues();

  std::shared_ptr<TStringList> DescriptionFiles = std::make_shared<TStringList>();
  std::string LanguageName;
  std::string IconIndexingMatches;
  bool GradiantShow = false;
  std::string VersionInfoMathes;
  std::int32_t ForeBackMaxItems = 0;
  std::shared_ptr<TStringList> SearchTypeCaptions = std::make_shared<TStringList>();
  std::shared_ptr<TStringList> SearchTypeMasks = std::make_shared<TStringList>();
  std::int32_t SpyFrequency = 0;
  std::int32_t TransIncreaseBy = 0;
  std::int32_t FinalTrans = 0;
  bool AutoStart = false;
};

}  // namespace kolvex
