#pragma once
// The explorer's space map: the folder shown as a squarified treemap of the space its
// files and folders take, nested folders inside their parents, coloured by kind of file,
// labelled where a name fits. Hovering shows the path and size; a click on a folder asks
// the explorer to show it (so Back and Up work as in the list); a double click on a file
// asks to select it in the list. Built from the catalog alone: the whole catalog is read
// once when the map is first shown, then every folder is laid out from memory.
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/spacemap/SpaceMapLayout.h"
#include "mime/QtFileKindClassifier.h"
#include "ui/common/AppContext.h"

namespace kolvex {

class SpaceMapView : public QWidget {
  Q_OBJECT

 public:
  SpaceMapView(AppContext& context, QWidget* parent);
  ~SpaceMapView() override;

  // Shows the folder whose record is at position in the catalog file, reading the
  // catalog first when it is not the one read last.
  void showFolder(const std::string& catalogFile, std::int64_t position);
  // Forgets the catalog (it was closed or opened anew); a reading in progress stops.
  void reset();

  const std::vector<SpaceCell>& cells() const { return cells_; }
  const SpaceTree* tree() const { return tree_ ? &*tree_ : nullptr; }
  // The hint text of the cell at a point of the widget; empty for none.
  QString hintAt(QPoint at) const;

 signals:
  // A folder cell was clicked: the folder's record position.
  void folderClicked(std::int64_t position);
  // A file cell was double-clicked: the file's and its folder's record positions.
  void fileActivated(std::int64_t file, std::int64_t folder);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Reads wantCatalog_ into the tree; false when it could not (the message says why).
  bool build();
  void layoutCells();
  int cellAt(QPoint at) const;
  QColor fillOf(const SpaceCell& cell) const;

  AppContext& context_;
  QtFileKindClassifier kinds_;
  // Cleared when the view goes, so a reading that lets events run notices it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::string catalog_;      // the catalog the tree was read from
  std::string wantCatalog_;  // the catalog and folder asked for
  std::int64_t wantFolder_ = kNoRecord;
  std::optional<SpaceTree> tree_;
  SpaceTree::Index folder_ = 0;
  std::vector<SpaceCell> cells_;
  int hover_ = -1;
  bool building_ = false;
  int generation_ = 0;  // a reset during a reading makes the reading stop
  QString message_;
};

}  // namespace kolvex
