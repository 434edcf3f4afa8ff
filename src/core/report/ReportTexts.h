#pragma once
// The captions of the HTML report. English by default; the desktop program fills them
// from its language file.
#include <string>

namespace kolvex {

struct ReportTexts {
  std::string language = "en";  // the page's language tag
  std::string searchResults = "Search results";
  std::string folder = "Folder";
  std::string baseDir = "Scanned folder";
  std::string fileSystem = "File system";
  std::string capacity = "Capacity";
  std::string created = "Catalogued";
  std::string serial = "Serial number";
  std::string files = "Files";
  std::string folders = "Folders";
  std::string totalSize = "Total size";
  std::string description = "Description";
  std::string folderTree = "Folders";
  std::string entries = "Entries";
  std::string kind = "Kind";
  std::string name = "Name";
  std::string size = "Size";
  std::string time = "Date";
  std::string attributes = "Attributes";
  std::string catalog = "Catalog";
  std::string kindFolder = "Folder";
  std::string kindFile = "File";
  std::string kindCatalog = "Catalog";
  std::string sortHint = "Click a column heading to sort by it.";
  std::string madeBy = "Made by Kolvex";
};

}  // namespace kolvex
