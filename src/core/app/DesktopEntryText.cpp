#include "core/app/DesktopEntryText.h"

#include <fstream>
#include <sstream>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

bool readsAs(const std::string& path, const std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str() == content;
}

}  // namespace

std::string execArgument(const std::string& arg) {
  std::string out = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    out += c;
    if (c == '%') out += '%';
  }
  return out + '"';
}

std::string desktopEntryValue(const std::string& value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string menuEntry(const std::string& program, const std::string& icon) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.0\n"
         "Name=Kolvex\n"
         "GenericName=Disc and folder cataloguer\n"
         "GenericName[de]=Katalog für Datenträger und Ordner\n"
         "Comment=Catalogue discs and folders, then browse and search them without the media\n"
         "Comment[de]=Datenträger und Ordner erfassen, dann ohne die Medien durchsuchen\n"
         "Keywords=catalog;catalogue;disc;CD;DVD;USB;archive;index;search;\n"
         "Keywords[de]=Katalog;Datenträger;CD;DVD;USB;Archiv;Index;Suche;\n"
         "Exec=" +
         desktopEntryValue(execArgument(program) + " %f") +
         "\n"
         "TryExec=" +
         desktopEntryValue(program) +
         "\n"
         "Icon=" +
         desktopEntryValue(icon) +
         "\n"
         "Terminal=false\n"
         "Categories=Utility;Archiving;\n"
         "StartupWMClass=kolvex\n";
}

bool writeDesktopEntry(const std::string& path, const std::string& content, FileOps& ops) {
  if (readsAs(path, content)) return true;
  try {
    AtomicFileWriter out(path, ops);
    out.stream().write(content);
    out.commit();
    return true;
  } catch (const EStreamError&) {
    return false;
  }
}

}  // namespace kolvex
