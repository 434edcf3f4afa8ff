#include "core/report/EntryJson.h"

#include "core/persist/TextCodec.h"
#include "core/report/RowText.h"

namespace kolvex {
namespace {

void putText(nlohmann::ordered_json& o, const char* key, std::string_view value) {
  o[key] = std::string(value);
  if (!isValidUtf8(value)) o[std::string(key) + "Bytes"] = HexBytes(value);
}

}  // namespace

nlohmann::ordered_json EntryJson(const ExportRow& r, bool withLabel) {
  nlohmann::ordered_json o;
  putText(o, "name", r.name);
  o["kind"] = std::string(RowKindName(r.kind));
  o["size"] = r.size;
  o["time"] = r.time;
  o["attributes"] = r.attributes;
  putText(o, "path", r.storedPath);
  if (withLabel) putText(o, "label", r.label);
  return o;
}

std::string JsonLine(const nlohmann::ordered_json& object) {
  return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace kolvex
