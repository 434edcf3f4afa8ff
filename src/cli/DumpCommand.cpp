#include "cli/DumpCommand.h"

#include <iomanip>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "core/persist/FileStream.h"
#include "core/persist/PersistError.h"
#include "core/persist/StreamDump.h"

namespace kolvex::cli {
namespace {

nlohmann::json jsonValue(const DumpValue& v) {
  switch (v.type) {
    case DumpValue::Type::Integer: return v.integer;
    case DumpValue::Type::Real: return v.real;
    case DumpValue::Type::Text: return v.text;
    case DumpValue::Type::Boolean: return v.boolean;
    case DumpValue::Type::Lines: return v.lines;
    case DumpValue::Type::Binary: return {{"length", v.length}};
    case DumpValue::Type::Null: break;
  }
  return nullptr;
}

std::string quoted(const std::string& s) {
  std::ostringstream o;
  o << std::quoted(s);
  return o.str();
}

std::string textValue(const DumpValue& v) {
  switch (v.type) {
    case DumpValue::Type::Integer: return std::to_string(v.integer);
    case DumpValue::Type::Real: {
      std::ostringstream o;
      o << std::setprecision(17) << v.real;
      return o.str();
    }
    case DumpValue::Type::Text: return quoted(v.text);
    case DumpValue::Type::Boolean: return v.boolean ? "True" : "False";
    case DumpValue::Type::Lines: {
      std::string out = "(";
      for (std::size_t i = 0; i < v.lines.size(); ++i)
        out += (i ? ", " : "") + quoted(v.lines[i]);
      return out + ")";
    }
    case DumpValue::Type::Binary: return "<" + std::to_string(v.length) + " bytes>";
    case DumpValue::Type::Null: break;
  }
  return "nil";
}

nlohmann::json jsonStream(const DumpedStream& d) {
  nlohmann::json s = {{"offset", d.offset}};
  if (d.rp >= 0) s["rp"] = d.rp;
  s["class"] = d.className;
  s["name"] = d.objectName;
  nlohmann::json props = nlohmann::json::array();
  for (const auto& p : d.properties)
    props.push_back({{"path", p.path}, {"code", p.value.code}, {"value", jsonValue(p.value)}});
  s["properties"] = std::move(props);
  return s;
}

// One element of the array: its lines moved in by one level (JSON texts hold no line
// breaks of their own, so every one is the formatter's).
std::string indented(const std::string& text) {
  std::string out = "  ";
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    out += c;
    if (c == '\n') out += "  ";
  }
  return out;
}

void printText(const DumpedStream& d, std::ostream& out) {
  out << "@" << d.offset;
  if (d.rp >= 0) out << " rp " << d.rp;
  out << " " << d.className << " " << quoted(d.objectName) << "\n";
  for (const auto& p : d.properties)
    out << "  " << p.path << " [" << int{p.value.code} << "] " << textValue(p.value) << "\n";
}

}  // namespace

void DumpCommand::setup(CLI::App& sub) {
  sub.add_option("FILE", file_, "The file to print")->required();
  sub.add_flag("--json", json_, "One JSON array with one object per stream");
}

int DumpCommand::run(Io& io) {
  try {
    FileStream in(file_, FileStream::Mode::Read);
    // A first pass only reads, so that a file damaged half-way prints nothing; the
    // second prints each stream as it is read, so memory stays flat however long the
    // file is.
    dumpStreams(in, [](const DumpedStream&) {});
    in.seek(0);
    bool first = true;
    dumpStreams(in, [&](const DumpedStream& d) {
      if (json_) {
        io.out << (first ? "[\n" : ",\n") << indented(jsonStream(d).dump(
                                                 2, ' ', false, nlohmann::json::error_handler_t::replace));
      } else {
        printText(d, io.out);
      }
      first = false;
    });
    if (json_) io.out << "\n]\n";
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << file_ << ": " << e.what() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace kolvex::cli
