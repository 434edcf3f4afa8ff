#pragma once
// Seams of the main window that remember what they were asked to do.
#include <string>
#include <vector>

#include "core/app/DesktopShell.h"
#include "ui/shell/MonitorSwitch.h"

namespace kolvex::test {

class RecordingShell final : public DesktopShell {
 public:
  std::string open(const std::string& path) override {
    opened.push_back(path);
    return {};
  }
  std::string explore(const std::string& path) override {
    explored.push_back(path);
    return {};
  }
  std::string print(const std::string& path) override {
    printed.push_back(path);
    return {};
  }
  std::vector<std::string> opened, explored, printed;
};

// The folder and save-file choosers: answer what the test set and remember what was asked.
class ScriptedPicker final : public FolderPicker {
 public:
  std::string pickFolder(const std::string& title, const std::string& start) override {
    folderTitles.push_back(title);
    folderStarts.push_back(start);
    return answer;
  }
  std::string pickSaveFile(const std::string& title, const std::string& start,
                           const std::vector<std::string>& filters, int& chosen) override {
    asked.push_back(title + "|" + start);
    offered = filters;
    chosen = filter;
    return saveAnswer;
  }
  std::string answer;      // the folder chosen
  std::string saveAnswer;  // the file to write
  int filter = 0;          // the file type picked
  std::vector<std::string> folderTitles, folderStarts, asked, offered;
};

class RecordingMonitor final : public MonitorSwitch {
 public:
  explicit RecordingMonitor(std::vector<std::string>& log) : log_(log) {}
  ~RecordingMonitor() override { log_.push_back("destroyed"); }
  void Start() override {
    running_ = true;
    log_.push_back("start");
  }
  void Stop() override {
    running_ = false;
    log_.push_back("stop");
  }
  bool Running() const override { return running_; }

 private:
  std::vector<std::string>& log_;
  bool running_ = false;
};

}  // namespace kolvex::test
