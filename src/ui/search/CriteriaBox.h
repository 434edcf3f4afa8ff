#pragma once
// The criteria box of the search view (sbSearchOptions): the mask, the categories, the
// catalog check list and the four pop-up panels with their summaries. Every change of a
// control recomputes the matching criteria of the search engine and its summary.
#include <QWidget>

#include "core/search/CriteriaPanel.h"
#include "core/search/CriteriaSummaries.h"
#include "ui/common/AppContext.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QSpinBox;

namespace kolvex {

class ArchiveCheckModel;
class PopupPanel;
class SearchEngine;

class CriteriaBox : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 153;

  // The pop-up panels belong to popupParent so that they may reach over the results.
  CriteriaBox(AppContext& context, SearchEngine& engine, QWidget* popupParent, QWidget* parent);

  // The summaries in the current language and the criteria from the controls.
  void RefreshSummaries();
  void LoadCategories();
  // The engine's catalog list was refilled, or its ticks changed.
  void archivesReloaded();
  void ticksChanged();
  void HidePanels();
  // Disables the box and its panels (while a search runs or is paused).
  void setCriteriaEnabled(bool enabled);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMaskColumn();
  void BuildArchiveColumn();
  void BuildMoreColumn();
  void BuildSearchWhat();
  void BuildDate();
  void BuildSize();
  void BuildAttr();
  QPushButton* moreButton(const char* name, int tag, QLabel*& info, const char* infoName);
  void bSearchForClick(QPushButton* button);
  void bSelectClick();
  void SearchForChange();
  void DateChange();
  void SizeChange();
  void FileAttrChange();
  QCheckBox* check(QWidget* parent, const char* name, int tag, bool checked);

  AppContext& context_;
  SearchEngine& engine_;
  QWidget* popupParent_;
  CriteriaPanel panel_;
  ShortDateText shortDate_;

  QWidget* pbClient_;
  QLineEdit* eMask_;
  QComboBox* cbCategories_;
  QComboBox* cbCateMasks_;
  QListView* clbArchives_;
  ArchiveCheckModel* archives_;
  QPushButton* bSelect_;
  QMenu* pmCheck_;
  QPushButton *bSearchFor_, *bDate_, *bSize_, *bAttr_;
  QLabel *lSearchForInfo_, *lDateInfo_, *lSizeInfo_, *lAttrInfo_;
  PopupPanel *pSearchWhat_, *pDate_, *pSize_, *pAttr_;
  QCheckBox *cbSearchForArchive_, *cbSearchForDirs_, *cbSearchForFiles_;
  QCheckBox* cbEnableDate_;
  QWidget* pDateInner_;
  QDateTimeEdit *dtpFrom_, *dtpTo_;
  QCheckBox* cbEnableSize_;
  QWidget* pSizeInner_;
  QSpinBox *seBetween_, *seAnd_;
  QComboBox *cbBetweenUnit_, *cbAndUnit_;
  QCheckBox *cbAnyFile_, *cbHiddenFile_, *cbSystemFile_, *cbReadOnlyFile_, *cbArchiveFile_;
};

}  // namespace kolvex
