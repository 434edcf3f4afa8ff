#include "ui/about/TAboutFrame.h"

#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

#include "core/catalog/AppDir.h"
#include "ui/about/AboutPictures.h"
#include "ui/common/AppNames.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/SkinWidgets.h"

namespace kolvex {
namespace {

// The panel: the face texture with a quiet frame and a lighter veil, so the text stands
// out from the view's background.
class AboutPanel : public QWidget {
 public:
  AboutPanel(const Skin& skin, QWidget* parent) : QWidget(parent) {
    auto* pbClient2 = new TPaintBox(skin, 5, this);
    pbClient2->setObjectName("pbClient2");
    pbClient2->setGeometry(0, 0, TAboutFrame::kPanelSize, TAboutFrame::kPanelHeight);
    pbClient2->lower();
    veil_ = new QWidget(this);
    veil_->setGeometry(0, 0, TAboutFrame::kPanelSize, TAboutFrame::kPanelHeight);
    veil_->setStyleSheet(
        "background: rgba(255, 255, 255, 150); border: 1px solid #c3ccd6; border-radius: 6px;");
    veil_->setAttribute(Qt::WA_StyledBackground);
  }

 private:
  QWidget* veil_;
};

}  // namespace

TAboutFrame::TAboutFrame(AppContext& context, QWidget* parent) : KolvexView(context, parent) {
  setObjectName("TAboutFrame");
  pbClient_ = new TPaintBox(context.skin, 5, this);
  pbClient_->setObjectName("pbClient");

  auto* panel = new AboutPanel(context.skin, this);
  pAbout_ = panel;
  pAbout_->setObjectName("pAbout");
  pAbout_->setFixedSize(kPanelSize, kPanelHeight);

  iTitle_ = new TImage(pAbout_);
  iTitle_->setObjectName("iTitle");
  iTitle_->setPicture(paintAboutTitle(300, 64, kApplicationTitle));
  iTitle_->move(24, 22);

  QLabel* version = label("lVersion", 70001, 28, 98, 300);
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);
  label("lDescription", 70002, 28, 120, 300);
  label("lAuthorCap", 70003, 28, 156, 86);
  label("lAuthor", 70004, 118, 156, 210);
  label("lWebCap", 70005, 28, 180, 86);
  lWeb_ = label("lWeb", 70006, 118, 180, 210);
  lMail_ = label("lMail", 70007, 118, 204, 210);
  for (QLabel* link : {lWeb_, lMail_}) {
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet("color: #2c7a72; text-decoration: underline;");
    link->installEventFilter(this);
  }

  const AppPaths& paths = Paths();
  const bool portable = paths.mode() == AppPaths::Mode::Portable;
  folderRow("lCopy", portable ? 70009 : 70010, 236, paths.programDir());
  folderRow("lUserFiles", 70011, 260, paths.userDir());

  iPicture_ = new TImage(pAbout_);
  iPicture_->setObjectName("iPicture");
  iPicture_->setPicture(paintAboutPicture(160, 80));
  iPicture_->move((kPanelSize - 160) / 2, 290);
  QLabel* caption = label("lPicture", 70008, 0, 372, kPanelSize);
  caption->setAlignment(Qt::AlignCenter);
  caption->setStyleSheet("color: #5a6878;");

  Button1_ = new QPushButton("Save Interface", this);
  Button1_->setObjectName("Button1");
  Button1_->hide();
  connect(Button1_, &QPushButton::clicked, this, [this] { SaveInterface(); });
}

QLabel* TAboutFrame::label(const char* name, int tag, int x, int y, int width) {
  auto* l = new QLabel(pAbout_);
  l->setObjectName(name);
  setTag(l, tag);
  l->setGeometry(x, y, width, 20);
  l->setStyleSheet("color: #2a3442;");
  return l;
}

// A caption by tag and the folder beside it: shortened in the middle when it is long (the
// whole path in its tip) and selectable, so it can be copied.
void TAboutFrame::folderRow(const char* name, int tag, int y, const std::string& folder) {
  label((std::string(name) + "Cap").c_str(), tag, 28, y, 86);
  QLabel* value = label(name, 0, 118, y, 210);
  QString path = QString::fromStdString(folder);
  const QString home = QDir::homePath();
  if (home != "/" && path.startsWith(home + '/')) path = "~" + path.mid(home.size());
  value->setToolTip(QString::fromStdString(folder));
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  folders_.emplace_back(value, path);
  ElideFolders();
}

void TAboutFrame::ElideFolders() {
  for (auto& [value, path] : folders_)
    value->setText(value->fontMetrics().elidedText(path, Qt::ElideMiddle, value->width()));
}

void TAboutFrame::ApplyLanguage() {
  KolvexView::ApplyLanguage();
  ElideFolders();  // the language's font may be wider
}

QString TAboutFrame::linkFor(const QString& caption) {
  const QString text = caption.trimmed();
  if (text.contains('@') && !text.contains(':')) return "mailto:" + text;
  if (!text.contains("://")) return "https://" + text;
  return text;
}

void TAboutFrame::lWebClick(QLabel* label) {
  const QString target = linkFor(label->text());
  if (!target.isEmpty()) QDesktopServices::openUrl(QUrl(target));
}

bool TAboutFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      (watched == lWeb_ || watched == lMail_)) {
    lWebClick(static_cast<QLabel*>(watched));
    return true;
  }
  return KolvexView::eventFilter(watched, event);
}

void TAboutFrame::resizeEvent(QResizeEvent*) {
  pbClient_->setGeometry(rect());
  pAbout_->move((width() - kPanelSize) / 2, std::max(0, (height() - kPanelHeight) / 2));
}

}  // namespace kolvex
