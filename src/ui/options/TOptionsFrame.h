#pragma once
// The options view: the settings of the options record on three pages (General,
// Advanced, Language), applied with Apply (saved to Options.cfg, handed to the drive
// monitor, the language texts and the automatic start), reloaded with Reload, or replaced
// by the factory settings of Default.cfg. Apply and Reload are enabled exactly while the
// controls hold changes that are not applied.
#include <QStringList>
#include <functional>
#include <string>

#include "core/app/DriveMonitor.h"
#include "ui/common/KolvexView.h"

class QCheckBox;
class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QStringListModel;
class QToolButton;

namespace kolvex {

class TOptionsFrame : public KolvexView {
  Q_OBJECT

 public:
  enum Page { kGeneralPage = 0, kAdvancedPage = 1, kLanguagePage = 2 };
  static constexpr int kSpeedMin = 5, kSpeedMax = 125;
  static constexpr int kFinalTransMin = 128, kFinalTransMax = 255;
  // The monitor polls no more often than this; seconds beyond the most would not fit the
  // option's milliseconds.
  static constexpr int kDriveMonitorMinSeconds = DriveMonitor::kShortestInterval / 1000;
  static constexpr int kDriveMonitorMaxSeconds = 2147483;
  // The message shown when Apply finds no language selected.
  static constexpr const char* kNoLanguageKey = "A072";

  TOptionsFrame(AppContext& context, QWidget* parent);

  void ApplyLanguage() override;
  bool HasUnappliedChanges() const override { return modified_; }
  void ApplyChanges() override { ApplyOpt(); }
  void ReloadChanges() override { sbReloadClick(); }

  // The controls from the options object.
  void LoadOpt();
  // The controls into the options object, saved to Options.cfg and passed on. False, with
  // a message and nothing changed or saved, when no language is selected or saving fails.
  // Search-type lines without a bar are left out: the memo then shows what was kept, and
  // a message names the lines.
  bool ApplyOpt();
  // The current options to the drive monitor, every window's texts, the automatic start.
  void AffectOpt();

  void sbApplyClick() { ApplyOpt(); }
  void sbReloadClick();
  void sbDefaultClick();
  void bTestClick();
  void ShowPage(Page page);

  bool Modified() const { return modified_; }
  Page CurrentPage() const;
  // How bTest waits while the sample window is shown; a local event loop when not set.
  void setTestWait(std::function<void(int milliseconds)> wait) { testWait_ = std::move(wait); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildGeneralPage();
  QWidget* BuildAdvancedPage();
  QWidget* BuildLanguagePage();
  QLabel* label(QWidget* parent, const char* name, int tag, const char* caption);
  QToolButton* commandButton(const char* name, int tag, const char* caption);
  void setHelpKey(QWidget* control, const char* key);
  void LoadOptFrom(const TSCOptions& options);
  void ShowSearchTypes(const TSCOptions& options);
  void FillLanguages(const std::string& languageName);
  bool SelectedLanguage(std::string& name) const;
  void SetModified(bool modified);
  // What every field holds, as text: a field that was edited and edited back, or that
  // only had the focus, counts as unchanged.
  QStringList FieldState() const;
  void FieldEdited() { SetModified(settled_.isEmpty() || FieldState() != settled_); }
  // The fields now show the options in force.
  void Settle();
  void cbGradiantChanged();

  QWidget* pbClient_ = nullptr;
  QToolButton* sbGeneral_ = nullptr;
  QToolButton* sbAdvanced_ = nullptr;
  QToolButton* sbLanguage_ = nullptr;
  QStackedWidget* pPages_ = nullptr;

  QLabel* lMaxHistory_ = nullptr;
  QSpinBox* seMaxRecent_ = nullptr;
  QLabel* lDriveMonitor_ = nullptr;
  QSpinBox* seDriveMonitor_ = nullptr;
  QCheckBox* cbGradiant_ = nullptr;
  QLabel* lGradiantShowCap_ = nullptr;
  QLabel* lGraSpeed_ = nullptr;
  QSpinBox* seSpeed_ = nullptr;
  QLabel* lFinalTrans_ = nullptr;
  QSpinBox* seFinalTrans_ = nullptr;
  QPushButton* bTest_ = nullptr;
  QCheckBox* cbAutoStart_ = nullptr;
  QLabel* lAutoStart_ = nullptr;
  QCheckBox* cbFingerprints_ = nullptr;
  QLabel* lFingerprints_ = nullptr;

  QLabel* lSearchTypes_ = nullptr;
  QPlainTextEdit* mSearchTypes_ = nullptr;
  QLabel* lReadMe_ = nullptr;
  QPlainTextEdit* mReadme_ = nullptr;

  QLabel* lLanguages_ = nullptr;
  QListView* lbLanguages_ = nullptr;
  QStringListModel* languages_ = nullptr;

  QLabel* lHint_ = nullptr;
  QToolButton* sbApply_ = nullptr;
  QToolButton* sbReload_ = nullptr;
  QToolButton* sbDefault_ = nullptr;

  bool modified_ = false;
  QStringList settled_;
  bool testing_ = false;
  std::function<void(int)> testWait_;
};

}  // namespace kolvex
