#pragma once
#include <string>
#include <vector>

#include "core/persist/Persistent.h"

namespace kolvex {

// Lines of text; the extra property "Strings" is a List of one text value per line.
class TStringList final : public SubObject {
 public:
  std::string_view extraName() const override { return "Strings"; }
  bool hasContent() const override { return !lines.empty(); }
  void writeExtra(ValueWriter& out) const override;
  void readExtra(ValueReader& in) override;
  void clear() override { lines.clear(); }

  std::vector<std::string> lines;
};

}  // namespace kolvex
