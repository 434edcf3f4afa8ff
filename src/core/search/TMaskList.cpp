#include "core/search/TMaskList.h"

namespace kolvex {

TMaskList::TMaskList(std::string_view list) {
  for (;;) {
    const auto semicolon = list.find(';');
    if (semicolon == std::string_view::npos || semicolon == 0) {
      if (semicolon == 0) list.remove_prefix(1);
      break;
    }
    pieces_.push_back({std::string(list.substr(0, semicolon)), {}, {}});
    list.remove_prefix(semicolon + 1);
  }
  pieces_.push_back({std::string(list), {}, {}});
}

const TMask& TMaskList::compiled(Piece& piece) {
  if (piece.error) throw *piece.error;
  if (!piece.mask) {
    try {
      piece.mask.emplace(piece.text);
    } catch (const EMaskException& e) {
      piece.error = e;
      throw;
    }
  }
  return *piece.mask;
}

bool TMaskList::matches(std::string_view name) {
  for (Piece& piece : pieces_)
    if (compiled(piece).matches(name)) return true;
  return false;
}

std::vector<const TMask*> TMaskList::compileAll() {
  std::vector<const TMask*> all;
  for (Piece& piece : pieces_) all.push_back(&compiled(piece));
  return all;
}

bool MatchesMaskList(std::string_view name, std::string_view list) {
  return TMaskList(list).matches(name);
}

}  // namespace kolvex
