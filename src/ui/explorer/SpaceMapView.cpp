#include "ui/explorer/SpaceMapView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "core/catalog/FormatSize.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "ui/common/QtText.h"
#include "ui/report/KindAppearance.h"

namespace kolvex {
namespace {

QRectF rectOf(const MapRect& r) { return QRectF(r.x, r.y, r.w, r.h); }

// A name on one line: line breaks and other control characters show as blanks.
QString oneLine(QString name) {
  for (QChar& c : name)
    if (c.unicode() < 0x20 || c.unicode() == 0x7f) c = QLatin1Char(' ');
  return name;
}

// Folders get lighter the deeper they sit, so nesting reads at a glance.
QColor folderColor(int depth) {
  const int shade = std::max(200, 236 - depth * 6);
  return QColor(shade, shade - 4, shade - 16);
}

}  // namespace

SpaceMapView::SpaceMapView(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName("SpaceMap");
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(80, 60);
}

SpaceMapView::~SpaceMapView() { *alive_ = false; }

void SpaceMapView::reset() {
  ++generation_;
  tree_.reset();
  catalog_.clear();
  wantCatalog_.clear();
  wantFolder_ = kNoRecord;
  cells_.clear();
  hover_ = -1;
  message_.clear();
  update();
}

void SpaceMapView::showFolder(const std::string& catalogFile, std::int64_t position) {
  wantCatalog_ = catalogFile;
  wantFolder_ = position;
  if (building_) return;  // the reading going on takes the new wish when it ends
  const std::shared_ptr<bool> alive = alive_;
  while (!wantCatalog_.empty() && (!tree_ || catalog_ != wantCatalog_)) {
    if (!build()) return;
    if (!*alive) return;
  }
  if (!tree_) return;
  const std::optional<SpaceTree::Index> at = tree_->find(wantFolder_);
  folder_ = at && tree_->node(*at).isFolder ? *at : 0;
  message_ = tree_->node(folder_).bytes > 0 ? QString() : qtText(context_.language.message("R010"));
  layoutCells();
  update();
}

bool SpaceMapView::build() {
  const std::shared_ptr<bool> alive = alive_;
  const int generation = ++generation_;
  const std::string file = wantCatalog_;
  tree_.reset();
  cells_.clear();
  hover_ = -1;
  message_ = qtText(context_.language.message("R009"));
  building_ = true;
  update();
  std::optional<SpaceTree> built;
  QString failure;
  try {
    CatalogReader reader(file);
    FileKinds kinds(kinds_);
    SlicedPump pump(context_.pump);
    built = SpaceTree::Build(reader, reader.header().EntranceRP, kinds, [&](std::int64_t) {
      pump.tick();
      return *alive && generation == generation_;
    });
  } catch (const EStreamError& e) {
    failure = storedText(e.what());
  }
  if (!*alive) return false;
  building_ = false;
  if (generation != generation_) return true;  // reset meanwhile: read what is wanted now
  if (!failure.isEmpty()) {
    // The explorer reports a damaged catalog itself; the map says why it stays empty.
    message_ = failure;
    wantCatalog_.clear();
    update();
    return false;
  }
  tree_ = std::move(built);
  catalog_ = file;
  return true;
}

void SpaceMapView::layoutCells() {
  cells_.clear();
  hover_ = -1;
  if (!tree_) return;
  const int caption = fontMetrics().height() + 2;
  SpaceMapOptions options;
  options.captionHeight = caption;
  options.minInner = caption;
  cells_ = LayoutSpaceMap(*tree_, folder_, MapRect{0, 0, double(width()), double(height())}, options);
}

void SpaceMapView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutCells();
}

QColor SpaceMapView::fillOf(const SpaceCell& cell) const {
  if (cell.isAggregate()) return QColor(0xc8, 0xc8, 0xc8);
  const SpaceNode& n = tree_->node(cell.node);
  return n.isFolder ? folderColor(cell.depth) : KindColor(n.kind);
}

void SpaceMapView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Base));
  const QFontMetrics fm = fontMetrics();
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    const SpaceCell& c = cells_[i];
    const QRectF r = rectOf(c.rect);
    if (r.width() < 1 || r.height() < 1) continue;
    const QColor fill = fillOf(c);
    if (!c.isAggregate() && !tree_->node(c.node).isFolder && r.width() > 6 && r.height() > 6) {
      // A soft light from the top left gives files a cushion, so neighbours stand apart.
      QLinearGradient g(r.topLeft(), r.bottomRight());
      g.setColorAt(0, fill.lighter(125));
      g.setColorAt(1, fill.darker(110));
      p.fillRect(r, g);
    } else {
      p.fillRect(r, fill);
    }
    if (c.isAggregate()) p.fillRect(r, QBrush(QColor(0x90, 0x90, 0x90), Qt::BDiagPattern));
    p.setPen(fill.darker(150));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    // The name where it fits: in the caption strip of an opened folder, else at the top;
    // the size below it when the cell is tall enough. A name that would show only as
    // dots is left out.
    if (r.width() < 28 || r.height() < fm.height()) continue;
    const QString name = oneLine(
        c.isAggregate() ? qtText(context_.language.format("R007", {FormatArg(std::int64_t{c.aggregated})}))
                        : storedText(std::string(tree_->name(c.node))));
    const QRectF line(r.x() + 3, r.y() + 1, r.width() - 6, fm.height());
    const QString shown = fm.elidedText(name, Qt::ElideMiddle, static_cast<int>(line.width()));
    if (shown.size() < std::min<qsizetype>(4, name.size())) continue;
    const bool dark = tree_->node(c.node).isFolder || c.isAggregate();
    p.setPen(dark ? QColor(0x30, 0x30, 0x30) : QColor(Qt::white));
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, shown);
    if (!c.opened && r.height() >= 2 * fm.height() + 4)
      p.drawText(line.translated(0, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                 fm.elidedText(qtText(FormatSize(c.bytes)), Qt::ElideRight, static_cast<int>(line.width())));
  }
  if (hover_ >= 0 && static_cast<std::size_t>(hover_) < cells_.size()) {
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 2));
    p.drawRect(rectOf(cells_[static_cast<std::size_t>(hover_)].rect).adjusted(1, 1, -1, -1));
  }
  if (!message_.isEmpty()) {
    p.setPen(palette().color(QPalette::Text));
    p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message_);
  }
}

int SpaceMapView::cellAt(QPoint at) const { return CellAt(cells_, at.x(), at.y()); }

QString SpaceMapView::hintAt(QPoint at) const {
  const int i = cellAt(at);
  if (i < 0 || !tree_) return {};
  const SpaceCell& c = cells_[static_cast<std::size_t>(i)];
  std::string path = "/" + tree_->pathBelowTop(c.node);
  std::string name = storedText(path).toStdString();
  if (c.isAggregate())
    name = context_.language.format("R007", {FormatArg(std::int64_t{c.aggregated})}) + " (" +
           name + ")";
  const std::string size = FormatSize(c.bytes) + " (" + std::to_string(c.bytes) + ")";
  return qtText(context_.language.format("R008", {FormatArg(name), FormatArg(size)}));
}

void SpaceMapView::mouseMoveEvent(QMouseEvent* event) {
  const int i = cellAt(event->position().toPoint());
  if (i != hover_) {
    hover_ = i;
    update();
  }
}

void SpaceMapView::leaveEvent(QEvent* event) {
  hover_ = -1;
  update();
  QWidget::leaveEvent(event);
}

bool SpaceMapView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString hint = hintAt(help->pos());
    if (hint.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), hint, this);
    return true;
  }
  return QWidget::event(event);
}

void SpaceMapView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tree_) return;
  const int i = cellAt(event->position().toPoint());
  if (i < 0) return;
  const SpaceCell& c = cells_[static_cast<std::size_t>(i)];
  // A folder zooms in; the small items of a folder stand for that folder.
  if (c.isAggregate() || tree_->node(c.node).isFolder) {
    if (c.node != folder_) emit folderClicked(tree_->node(c.node).position);
  }
}

void SpaceMapView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tree_) return;
  const int i = cellAt(event->position().toPoint());
  if (i < 0) return;
  const SpaceCell& c = cells_[static_cast<std::size_t>(i)];
  const SpaceNode& n = tree_->node(c.node);
  if (c.isAggregate() || n.isFolder) return;
  emit fileActivated(n.position, tree_->node(static_cast<SpaceTree::Index>(n.parent)).position);
}

}  // namespace kolvex
