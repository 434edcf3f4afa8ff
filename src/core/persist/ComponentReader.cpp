#include "core/persist/ComponentReader.h"

#include <strings.h>

#include <cstring>

#include "core/persist/PersistError.h"
#include "core/persist/StreamParser.h"

namespace kolvex {
namespace {

// Names match without regard to letter case; most streams spell them as the table does.
bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (std::memcmp(a.data(), b.data(), a.size()) == 0) return true;
  return strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::size_t findDot(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '.') return i;
  return std::string_view::npos;
}

[[noreturn]] void noSuchProperty(std::string_view name) {
  throw EPropertyError(fillMessage(msg::kPropertyDoesNotExist, std::string(name)));
}

class ObjectReader final : public StreamVisitor {
 public:
  explicit ObjectReader(Persistent& o) : object_(o), table_(o.properties()) {}

  void begin(std::string_view, std::string_view objectName) override {
    object_.Name.assign(objectName);
  }

  std::string errorName() const override {
    return object_.Name.empty() ? std::string(object_.className()) : object_.Name;
  }

  void property(std::string_view path, ValueReader& value) override {
    auto dot = findDot(path);
    if (dot == std::string_view::npos) return readOwn(path, value);

    // Every segment but the last names an object-valued property of the object reached.
    std::string_view head = path.substr(0, dot);
    const PropertyInfo* p = find(head);
    if (!p) {
      if (sameName(head, "Tag")) throw EPropertyError(msg::kInvalidPropertyPath);
      noSuchProperty(head);
    }
    SubObject* sub = p->kind == PropKind::Object ? p->getObject(object_) : nullptr;
    if (!sub) throw EPropertyError(msg::kInvalidPropertyPath);
    std::string_view rest = path.substr(dot + 1);
    auto next = rest.find('.');
    // Sub-objects publish no properties of their own, only their extra one.
    std::string_view name = rest.substr(0, next);
    if (next != std::string_view::npos || !sameName(name, sub->extraName())) noSuchProperty(name);
    sub->readExtra(value);
  }

 private:
  const PropertyInfo* find(std::string_view name) {
    // Properties usually come in table order: try the one after the last match first.
    for (std::size_t i = 0, n = table_.size(); i < n; ++i) {
      std::size_t k = (hint_ + i) % n;
      if (sameName(table_[k].name, name)) {
        hint_ = k + 1;
        return &table_[k];
      }
    }
    return nullptr;
  }

  void readOwn(std::string_view name, ValueReader& value) {
    const PropertyInfo* p = find(name);
    if (!p) {
      if (sameName(name, "Tag")) {
        object_.Tag = value.asInteger();
        return;
      }
      noSuchProperty(name);
    }
    switch (p->kind) {
      case PropKind::Integer: p->setNumber(object_, value.asInteger()); return;
      case PropKind::Boolean: p->setNumber(object_, value.asBoolean()); return;
      case PropKind::Int64: p->setNumber(object_, value.asInt64()); return;
      case PropKind::DateTime: p->setDate(object_, value.asDateTime()); return;
      case PropKind::Text: p->setText(object_, value.asText()); return;
      case PropKind::Object: throwInvalidValue();  // only its extra property holds data
    }
  }

  Persistent& object_;
  std::span<const PropertyInfo> table_;
  std::size_t hint_ = 0;
};

}  // namespace

void readObject(Stream& in, Persistent& object) {
  ObjectReader reader(object);
  parseStream(in, reader);
}

}  // namespace kolvex
