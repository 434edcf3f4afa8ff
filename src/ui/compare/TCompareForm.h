#pragma once
// The archive manager's comparison window: what changed between two catalogs of the same
// tree (added, removed, changed, moved, with counts and sizes), or how a catalog's medium,
// mounted now, differs from it (missing, new, changed, content changed although size and
// time did not). The work runs on a thread of its own and Cancel stops it; the catalogs
// and the medium are only read.
#include <QDialog>
#include <atomic>
#include <cstdint>
#include <QStringList>
#include <string>
#include <vector>

#include "core/catalog/LocateOnMedia.h"
#include "ui/common/AppContext.h"
#include "ui/common/BackgroundTask.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace kolvex {

class TCompareForm : public QDialog {
  Q_OBJECT

 public:
  enum class Outcome { None, Running, Same, Differ, Trouble, Stopped };

  TCompareForm(AppContext& context, QWidget* parent);
  ~TCompareForm() override;

  // Compares two catalogs, the one made first as the older.
  void diff(const std::string& first, const std::string& second);
  // Compares a catalog with its medium, found by serial among the mounted volumes.
  void verify(const std::string& catalog);
  void ApplyLanguage();
  void bStopClick() { task_.stop(); }

  Outcome outcome() const { return outcome_; }
  // Waits for the comparison running and shows its result (tests).
  void finishNow() { task_.finishNow(); }
  QString summaryText() const;
  QTreeWidget* results() const { return tvResults_; }
  // Where the medium is looked for (the running system's volumes by default).
  void setVolumeSource(MediaLocator::VolumeSource volumes) { volumes_ = std::move(volumes); }

 private:
  void begin(const QString& title);
  void end(Outcome outcome, const QString& summary);
  QString message(const char* key) const;
  // What differs ("size", "time", "content") in the program's language.
  QStringList whatWords() const;
  static QString whatText(const QStringList& words, const std::vector<std::string>& what);

  AppContext& context_;
  BackgroundTask task_;
  MediaLocator::VolumeSource volumes_;
  Outcome outcome_ = Outcome::None;
  bool verifying_ = false;
  std::atomic<std::uint64_t> done_{0}, total_{0};  // bytes read again by a verification

  QLabel* lSummary_;
  QTreeWidget* tvResults_;
  QLabel* lProgress_;
  QProgressBar* pbProgress_;
  QPushButton* bStop_;
  QPushButton* bClose_;
};

}  // namespace kolvex
