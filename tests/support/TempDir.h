#pragma once
#include <string>
#include <vector>

namespace kolvex::test {

// A fresh folder under the temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder's path with a trailing '/'.
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// Whether the folder's file system makes files without a name (O_TMPFILE).
bool unnamedFilesWorkIn(const std::string& folder);
// Names in a folder, sorted.
std::vector<std::string> listDir(const std::string& dir);

}  // namespace kolvex::test
