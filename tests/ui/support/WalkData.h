#pragma once
// What the walk tests look at: the whole program (main window with its five views, real
// scans and dialogs answered by script) over catalogs of real folders of this system
// (/usr/share/doc when it is there) and of a folder made to be awkward: long names,
// umlauts, a 5 GiB file, deep folders.
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "core/app/DesktopShell.h"
#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "ui/shell/TVORN_MainForm.h"
#include "ui/support/RecordingSeams.h"
#include "ui/support/UiAppFolder.h"

namespace kolvex {
class TArchiveExplorerFrame;
class TArchiveManFrame;
class TOptionsFrame;
class TSearchFrame;
}  // namespace kolvex

namespace kolvex::test {

// Answers every question with Yes, except the ones whose safe answer is No and the
// medium prompt (Yes there would ask again for ever), and records what it was shown.
class WalkDialogs final : public Dialogs {
 public:
  void message(MessageKind, const std::string& text) override { shown.push_back(text); }
  Answer ask(const std::string& text, bool) override;
  Answer askDefaultNo(const std::string& text) override {
    shown.push_back(text);
    return deleteAnswer;
  }
  Answer deleteAnswer = Answer::No;
  std::vector<std::string> shown;
};

// Lets the test act while a scan or a search lets events in; waiting (a paused search)
// counts as a round of events too.
class WalkPump final : public EventPump {
 public:
  void processEvents() override;
  void waitForEvents(std::chrono::milliseconds) override { processEvents(); }
  std::function<void()> onEvents;

 private:
  bool inside_ = false;
};

class WalkProgram {
 public:
  // withCatalogs: the two catalogs are made at once; otherwise by makeCatalogs().
  explicit WalkProgram(bool withCatalogs = true);
  ~WalkProgram();

  TVORN_MainForm& form() { return *form_; }
  TArchiveManFrame& manager();
  TArchiveExplorerFrame& explorer();
  TSearchFrame& search();
  TOptionsFrame& options();

  // Catalogues a folder into the program's Archives folder; the catalog's path.
  std::string catalogue(const std::string& folder);
  // The catalogs of the awkward folder and of /usr/share/doc, listed in the manager.
  void makeCatalogs();
  // The awkward folder and its catalog; /usr/share/doc's catalog, or "" where it is missing.
  const std::string& awkwardFolder() const { return awkwardFolder_; }
  const std::string& awkwardCatalog() const { return awkwardCatalog_; }
  const std::string& docCatalog() const { return docCatalog_; }

  void setLanguage(const std::string& name);

  UiAppFolder folder;
  WalkPump pump;
  WalkDialogs dialogs;
  RecordingShell shell;
  ScriptedPicker picker;  // every export is written, over the one before
  std::vector<std::string> monitorLog;
  int terminated = 0;

 private:
  QTemporaryDir scratch_;
  std::string awkwardFolder_, awkwardCatalog_, docCatalog_;
  std::unique_ptr<TVORN_MainForm> form_;
};

}  // namespace kolvex::test
