#include "support/OddCatalog.h"

#include <random>

#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex::test {

const std::vector<std::string>& oddNames() {
  static const std::vector<std::string> names = {
      "plain.txt",
      "comma, and more.csv",
      "say \"hello\".doc",
      "line\nbreak.txt",
      "cr\rlf\r\n.txt",
      "tab\there.mp3",
      "<script>alert('x')</script>.html",
      "fish & chips &amp; &lt;.jpg",
      "back\\slash.zip",
      "=SUM(A1).xls",
      "-leading.png",
      "Grüße und Küsse.pdf",
      "日本語のファイル.mkv",
      "emoji 😀.png",
      "bad \xff\xfe bytes.bin",
      "lone \xc3 lead.txt",
      "overlong \xc0\xaf.txt",
      "UPPER.JPG",
      ".hidden",
      "no_extension",
      "trailing dot.",
      "  spaces  ",
  };
  return names;
}

Entry oddTree(int files, std::uint32_t seed) {
  std::mt19937 rng(seed);
  const auto& odd = oddNames();
  static const char* kExt[] = {"txt", "jpg", "png", "mp3", "mkv", "zip", "pdf", "c", "h", "iso"};
  auto name = [&](int i) {
    if (rng() % 3 == 0) return odd[rng() % odd.size()] + (i % 2 ? "" : std::to_string(i));
    return "file" + std::to_string(i) + "." + kExt[rng() % 10];
  };
  Entry root = dir("");
  std::vector<Entry*> folders{&root};
  // Pointers into entries stay valid only until the next push into the same vector, so
  // the folders are collected again after each push.
  auto collect = [&] {
    folders.clear();
    std::vector<Entry*> stack{&root};
    while (!stack.empty()) {
      Entry* e = stack.back();
      stack.pop_back();
      folders.push_back(e);
      for (Entry& c : e->entries)
        if (c.dir) stack.push_back(&c);
    }
  };
  int made = 0;
  while (made < files) {
    Entry* at = folders[rng() % folders.size()];
    if (rng() % 6 == 0 && folders.size() < 200) {
      std::string n = rng() % 2 ? odd[rng() % odd.size()] : "dir" + std::to_string(folders.size());
      // Sibling folders keep distinct names, so a folder path names one folder.
      n += "_" + std::to_string(folders.size());
      at->entries.push_back(dir(n));
      collect();
      continue;
    }
    Entry f = file(name(made), static_cast<std::int64_t>(rng() % 5 == 0 ? 0 : rng() % 5000000));
    f.time = 36000.0 + (rng() % 9000) + (rng() % 43200) / 43200.0;
    if (made == 7) f.time = 0.0;  // a file without a date
    if (rng() % 7 == 0) f.attributes |= faHidden;
    if (rng() % 9 == 0) f.attributes |= faReadOnly;
    if (rng() % 23 == 0) f.attributes |= faReparsePoint;
    at->entries.push_back(std::move(f));
    collect();
    ++made;
  }
  return root;
}

FileKind TableKinds::kindOfExtension(const std::string& ext) {
  ++asked;
  if (ext == "jpg" || ext == "png") return FileKind::Image;
  if (ext == "mp3") return FileKind::Audio;
  if (ext == "mkv") return FileKind::Video;
  if (ext == "txt" || ext == "pdf" || ext == "doc" || ext == "csv") return FileKind::Document;
  if (ext == "zip" || ext == "iso") return FileKind::Archive;
  return FileKind::Other;
}

}  // namespace kolvex::test
