#pragma once
// Persisted objects describe themselves by an ordered table of published properties;
// one generic writer and reader (ComponentWriter, ComponentReader) serve every class.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace kolvex {

class Persistent;
class SubObject;
class ValueWriter;
class ValueReader;

enum class PropKind : std::uint8_t { Integer, Boolean, Int64, DateTime, Text, Object };

struct PropertyInfo {
  std::string_view name;
  PropKind kind;
  // Integer, Boolean and Int64 properties.
  std::int64_t (*getNumber)(const Persistent&) = nullptr;
  void (*setNumber)(Persistent&, std::int64_t) = nullptr;
  // DateTime properties: day counts from 30 December 1899.
  double (*getDate)(const Persistent&) = nullptr;
  void (*setDate)(Persistent&, double) = nullptr;
  // Text properties, UTF-8.
  const std::string& (*getText)(const Persistent&) = nullptr;
  void (*setText)(Persistent&, std::string&&) = nullptr;
  // Object-valued properties: the sub-object, or null when there is none.
  SubObject* (*getObject)(const Persistent&) = nullptr;
};

// A persisted object: the object name (never written as a property), the inherited
// integer Tag (written only when not 0), then the class's own published properties.
class Persistent {
 public:
  virtual ~Persistent() = default;
  virtual std::string_view className() const = 0;
  virtual std::span<const PropertyInfo> properties() const = 0;

  std::string Name;
  std::int32_t Tag = 0;
};

// An object owned through an object-valued property: an icon, an image, a bitmap or a
// string list. It contributes one extra property, "Data" or "Strings".
class SubObject {
 public:
  virtual ~SubObject() = default;
  virtual std::string_view extraName() const = 0;
  virtual bool hasContent() const = 0;
  virtual void writeExtra(ValueWriter& out) const = 0;
  virtual void readExtra(ValueReader& in) = 0;
  virtual void clear() = 0;
};

// The table entry of a published property, made from a pointer to the member holding it:
// int32_t is an Integer, bool a Boolean, int64_t an Int64, double a DateTime,
// std::string a Text, std::shared_ptr<S> (S a SubObject) an object-valued property.
// A member the persisted class inherits from a plain base names that base; Owner then
// names the persisted class: published<&Base::X, Derived>("X").
template <auto Member, class Owner = void>
constexpr PropertyInfo published(std::string_view name);

namespace detail {
template <class T>
struct MemberOf;
template <class C, class V>
struct MemberOf<V C::*> {
  using Class = C;
  using Value = V;
};
template <class T>
struct IsSharedPtr : std::false_type {};
template <class T>
struct IsSharedPtr<std::shared_ptr<T>> : std::true_type {};
}  // namespace detail

template <auto Member, class Owner>
constexpr PropertyInfo published(std::string_view name) {
  using Base = typename detail::MemberOf<decltype(Member)>::Class;
  using C = std::conditional_t<std::is_void_v<Owner>, Base, Owner>;
  static_assert(std::is_base_of_v<Persistent, C> && std::is_base_of_v<Base, C>,
                "the owner is a persisted class holding the member");
  using V = typename detail::MemberOf<decltype(Member)>::Value;
  PropertyInfo p{name, PropKind::Integer};
  if constexpr (std::is_same_v<V, std::int32_t> || std::is_same_v<V, bool> ||
                std::is_same_v<V, std::int64_t>) {
    p.kind = std::is_same_v<V, bool>           ? PropKind::Boolean
             : std::is_same_v<V, std::int64_t> ? PropKind::Int64
                                               : PropKind::Integer;
    p.getNumber = [](const Persistent& o) -> std::int64_t {
      return static_cast<const C&>(o).*Member;
    };
    p.setNumber = [](Persistent& o, std::int64_t v) {
      static_cast<C&>(o).*Member = static_cast<V>(v);
    };
  } else if constexpr (std::is_same_v<V, double>) {
    p.kind = PropKind::DateTime;
    p.getDate = [](const Persistent& o) { return static_cast<const C&>(o).*Member; };
    p.setDate = [](Persistent& o, double v) { static_cast<C&>(o).*Member = v; };
  } else if constexpr (std::is_same_v<V, std::string>) {
    p.kind = PropKind::Text;
    p.getText = [](const Persistent& o) -> const std::string& {
      return static_cast<const C&>(o).*Member;
    };
    p.setText = [](Persistent& o, std::string&& v) { static_cast<C&>(o).*Member = std::move(v); };
  } else {
    static_assert(detail::IsSharedPtr<V>::value, "unsupported property type");
    p.kind = PropKind::Object;
    p.getObject = [](const Persistent& o) -> SubObject* {
      return (static_cast<const C&>(o).*Member).get();
    };
  }
  return p;
}

}  // namespace kolvex
