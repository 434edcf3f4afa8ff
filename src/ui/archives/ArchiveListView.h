#pragma once
// The archive manager's list in its four styles: large icons, small icons, list and
// detailed columns. The styles are two Qt views over one model and one selection.
#include <QStringList>
#include <QWidget>
#include <vector>

class QAbstractItemView;
class QLabel;
class QItemSelectionModel;
class QListView;
class QStackedLayout;
class QTreeView;

namespace kolvex {

class ArchiveListModel;
class WindowState;

class ArchiveListView : public QWidget {
  Q_OBJECT

 public:
  enum class Style { Icon, SmallIcon, List, Detailed };

  ArchiveListView(ArchiveListModel* model, QWidget* parent);

  void setStyle(Style style);
  Style style() const { return style_; }
  QItemSelectionModel* selectionModel() const { return selection_; }
  // The view of the current style.
  QAbstractItemView* current() const;
  QListView* listView() const { return list_; }
  QTreeView* detailView() const { return detail_; }
  // The selected row (the first of several), or -1.
  int selectedRow() const;
  // Every selected row (more than one for the commands on two catalogs).
  std::vector<int> selectedRows() const;
  void selectRow(int row);
  void selectRows(const std::vector<int>& rows);
  // Where the user is in the list, by catalog file: the selected catalogs, the current one
  // and the one at the top of the view. A refresh keeps it.
  struct Place {
    QStringList selected;
    QString current, top;
  };
  Place place() const;
  // Selects and scrolls to what is still listed of a place.
  void restorePlace(const Place& place);
  // The style, the columns' widths and the sort column, kept for the next start.
  void saveState(WindowState& state) const;
  void restoreState(const WindowState& state);
  // The columns widen to show what the rows hold.
  void widenColumns();
  // A text shown over the empty list (how to make a first catalog); none when empty.
  void setEmptyHint(const QString& text);
  QString emptyHint() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 signals:
  void activated(int row);
  void contextMenuAt(const QPoint& globalPos);

 private:
  ArchiveListModel* model_;
  QItemSelectionModel* selection_;
  QStackedLayout* stack_;
  QListView* list_;
  QTreeView* detail_;
  QLabel* emptyHint_;
  Style style_ = Style::Icon;
};

}  // namespace kolvex
