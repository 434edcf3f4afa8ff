#pragma once
// A list of masks separated by ";", as the search takes directory and file names. The
// masks are tried from left to right. An empty piece (";;" or a leading ";") ends the
// splitting: the rest after it, separators included, is one last mask. Spaces belong to
// the masks. A text without ";" is one mask.
//
// Each mask is compiled the first time a name reaches it and kept, so a search compiles
// it once while an invalid mask is still reported only when a name reaches it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/search/EMaskException.h"
#include "core/search/TMask.h"

namespace kolvex {

class TMaskList {
 public:
  explicit TMaskList(std::string_view list);

  // Throws EMaskException for the first invalid mask reached, again at every later call
  // that reaches it.
  bool matches(std::string_view name);

  // Compiles every mask now and returns them in list order; throws EMaskException for
  // the first invalid one.
  std::vector<const TMask*> compileAll();

 private:
  struct Piece {
    std::string text;
    std::optional<TMask> mask;
    std::optional<EMaskException> error;
  };
  const TMask& compiled(Piece& piece);

  std::vector<Piece> pieces_;
};

// The list form for one name: compiles only the masks it reaches. Throws EMaskException.
bool MatchesMaskList(std::string_view name, std::string_view list);

}  // namespace kolvex
