#include "core/persist/TSCOptions.h"

namespace kolvex {

std::span<const PropertyInfo> TSCOptions::properties() const {
  using C = TSCOptions;
  static const PropertyInfo table[] = {
      published<&C::DescriptionFiles>("DescriptionFiles"),
      published<&C::LanguageName>("LanguageName"),
      published<&C::IconIndexingMatches>("IconIndexingMatches"),
      published<&C::GradiantShow>("GradiantShow"),
      published<&C::VersionInfoMathes>("VersionInfoMathes"),
      published<&C::ForeBackMaxItems>("ForeBackMaxItems"),
      published<&C::SearchTypeCaptions>("SearchTypeCaptions"),
      published<&C::SearchTypeMasks>("SearchTypeMasks"),
      published<&C::SpyFrequency>("SpyFrequency"),
      published<&C::TransIncreaseBy>("TransIncreaseBy"),
      published<&C::FinalTrans>("FinalTrans"),
      published<&C::AutoStart>("AutoStart"),
  };
  return table;
}

void TSCOptions::setFactoryValues() {
  DescriptionFiles->lines = {"Readme.txt"};
  LanguageName = "English";
  IconIndexingMatches.clear();
  GradiantShow = true;
  VersionInfoMathes = "*.exe";
  ForeBackMaxItems = 6;
  SearchTypeCaptions->lines = {"Any File (*.*)"};
  SearchTypeMasks->lines = {"*.*"};
  SpyFrequency = 5000;
  TransIncreaseBy = 25;
  FinalTrans = 255;
}

}  // namespace kolvex
