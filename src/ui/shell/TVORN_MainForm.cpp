#include "ui/shell/TVORN_MainForm.h"

#include <QPixmap>
#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

#include "core/app/OptionsFile.h"
#include "core/catalog/AppDir.h"
#include "core/persist/PersistError.h"
#include "ui/common/AppIcon.h"
#include "ui/common/AppNames.h"
#include "ui/shell/InterfacePackFile.h"
#include "ui/shell/KolvexApplication.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/KolvexView.h"
#include "ui/shell/PargFile.h"
#include "ui/shell/ProbeFiles.h"
#include "ui/common/QtDesktopShell.h"
#include "ui/common/QtDialogs.h"
#include "ui/common/QtEventPump.h"
#include "ui/shell/ScanIndicator.h"
#include "ui/common/SkinWidgets.h"
#include "ui/shell/TSpyer.h"
#include "ui/common/TilePaint.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/shell/ViewHost.h"
#include "ui/shell/ViewWiring.h"
#include "ui/common/WindowState.h"

namespace kolvex {
namespace {

// The view header: the face texture inside a lowered bevel.
class HeaderPanel : public QFrame {
 public:
  HeaderPanel(const Skin& skin, QWidget* parent) : QFrame(parent), skin_(skin) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    {
      QPainter p(this);
      if (skin_.IFace.isNull())
        p.fillRect(rect(), palette().window());
      else
        TilePaintBox(p, size(), skin_.IFace);
    }
    QFrame::paintEvent(event);
  }

 private:
  const Skin& skin_;
};

enum class Nav { Previous, List, Next };

// A small icon drawn at the screen's pixel ratio on a transparent ground.
QIcon drawnIcon(int side, const std::function<void(QPainter&)>& draw) {
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(side, side) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  p.end();
  return QIcon(pixmap);
}

QIcon navIcon(Nav kind) {
  return drawnIcon(16, [kind](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x34, 0x42));
    if (kind == Nav::List) {
      for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(2, 3 + i * 4.5, 12, 2.2), 1, 1);
    } else {
      QPolygonF arrow;
      if (kind == Nav::Previous)
        arrow << QPointF(11, 2.5) << QPointF(4, 8) << QPointF(11, 13.5);
      else
        arrow << QPointF(5, 2.5) << QPointF(12, 8) << QPointF(5, 13.5);
      p.drawPolygon(arrow);
    }
  });
}

QLabel* shadowLabel(QWidget* parent, const char* name, int tag, const QFont& font, QColor colour) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  setTag(l, tag);
  l->setFont(font);
  l->setAttribute(Qt::WA_TransparentForMouseEvents);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, colour);
  l->setPalette(pal);
  return l;
}

QFont sizedFont(int pixels, bool bold) {
  QFont f;
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throwCannotOpen(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TVORN_MainForm::TVORN_MainForm(CommandLine commandLine, MainFormSeams seams)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      commandLine_(std::move(commandLine)),
      seams_(std::move(seams)),
      language_(LanguagesDir(), "") {
  setObjectName(kMainWindowClass);
  setTag(this, 10000);
  setWindowTitle(kApplicationTitle);
  setWindowIcon(appIcon());
  if (!seams_.pump) {
    ownPump_ = std::make_unique<QtEventPump>();
    seams_.pump = ownPump_.get();
  }
  if (!seams_.dialogs) {
    ownDialogs_ = std::make_unique<QtDialogs>(&language_);
    seams_.dialogs = ownDialogs_.get();
  }
  if (!seams_.shell) {
    ownShell_ = std::make_unique<QtDesktopShell>(language_);
    seams_.shell = ownShell_.get();
  }
  if (!seams_.picker) {
    ownPicker_ = std::make_unique<QtFolderPicker>();
    seams_.picker = ownPicker_.get();
  }
  if (!seams_.createView) seams_.createView = createRegisteredView;
  if (!seams_.terminate) seams_.terminate = EndEventLoops;
  if (!seams_.trayAvailable) seams_.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
  state_ = std::make_unique<WindowState>(seams_.stateFile.isEmpty() ? WindowState::userPath()
                                                                   : seams_.stateFile);
  monitor_ = std::move(seams_.driveMonitor);

  // Options and package come before anything that reads or paints them.
  LoadOptions();
  language_.setLanguageName(options_.LanguageName);
  LoadInterfacePack();
  catalogs_ = std::make_unique<CatalogFolderService>(*seams_.dialogs, language_, *seams_.pump, this);
  context_ = std::make_unique<AppContext>(AppContext{options_, package_, skin_, language_,
                                                     *seams_.pump, *seams_.dialogs, *seams_.shell,
                                                     *this, *catalogs_, *seams_.picker,
                                                     &iconProvider_});
  // The one scan runner; its progress windows stay above this window.
  catalogs_->setScanRunner(
      std::make_unique<DesktopScanRunner>(*context_, iconProvider_, ArchivesDir(), this));
  if (!monitor_) monitor_ = std::make_unique<TSpyer>(*context_);

  resize(kClientWidth, kClientHeight);
  setMinimumSize(560, 420);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  BuildTopBar();
  BuildBottomBar();
  BuildBorders();
  BuildClient();
  BuildMenus();
  BuildDeveloperButtons();
  LayoutChrome();

  CreateViews();
  catalogs_->refresh();
  BuildViewMenus();
  ShowView(0);
  BuildTray();
  if (miEnableSpy_->isChecked()) monitor_->Start();
  AssignPictures();
  ApplyLanguage();
  RestoreWindowState();
  shuttingDown_ = false;

  if (commandLine_.hasFolder()) {
    ShowMainProgram();
    OfferFolder(commandLine_.first());
  }
  TimerAM_->start();
}

TVORN_MainForm::~TVORN_MainForm() {
  Shutdown();
  // The views and dialogs read the options, the package, the seams and the catalog folder
  // service up to their end, so they go before the members do. The scan runner's progress
  // windows are its own: they leave this window first and go with the service.
  if (ScanRunner* scans = catalogs_->scanRunner()) scans->ReleaseOwner();
  qDeleteAll(findChildren<QObject*>(Qt::FindDirectChildrenOnly));
  catalogs_.reset();
}

void TVORN_MainForm::LoadOptions() {
  options_.setFactoryValues();
  try {
    loadOptions(options_, Paths().optionsFile());
  } catch (const std::exception& e) {
    ReportError(e.what());
  }
}

void TVORN_MainForm::LoadInterfacePack() {
  try {
    InterfacePackFile::load(package_, Paths().interfacePackFile());
  } catch (const std::exception& e) {
    ReportError(e.what());
  }
  skin_.load(package_);
}

void TVORN_MainForm::ReportError(const std::string& text) {
  seams_.dialogs->message(MessageKind::Error, text);
}

void TVORN_MainForm::BuildTopBar() {
  pTopBar_ = new QWidget(this);
  pTopBar_->setObjectName("pTopBar");
  pbTop_ = new TPaintBox(skin_, 1, pTopBar_);
  pbTop_->setObjectName("pbTop");
  iLeftTop_ = new TImage(pTopBar_);
  iLeftTop_->setObjectName("iLeftTop");
  iRightTop_ = new TImage(pTopBar_);
  iRightTop_->setObjectName("iRightTop");

  const QFont title = sizedFont(13, true);
  lCap1_ = shadowLabel(pTopBar_, "lCap1", 10001, title, Qt::black);
  lCap2_ = shadowLabel(pTopBar_, "lCap2", 10001, title, Qt::white);
  for (QLabel* l : {lCap1_, lCap2_}) {
    l->setText("VORN Alpha Build");
    l->setAlignment(Qt::AlignCenter);
  }

  iCapControl_ = new CaptionControl(pTopBar_);
  iCapControl_->setObjectName("iCapControl");
  connect(iCapControl_, &CaptionControl::doubleClicked, this, [this] { sbMaximizeClick(); });

  lCapBtn_ = new GlyphShadow("0 1 r", kButtonSize, pTopBar_);
  lCapBtn_->setObjectName("lCapBtn");
  sbMinimize_ = new GlyphButton("0", pTopBar_);
  sbMinimize_->setObjectName("sbMinimize");
  sbMaximize_ = new GlyphButton("1", pTopBar_);
  sbMaximize_->setObjectName("sbMaximize");
  sbClose_ = new GlyphButton("r", pTopBar_);
  sbClose_->setObjectName("sbClose");
  connect(sbMinimize_, &QToolButton::clicked, this, [this] { sbMinimizeClick(); });
  connect(sbMaximize_, &QToolButton::clicked, this, [this] { sbMaximizeClick(); });
  connect(sbClose_, &QToolButton::clicked, this, [this] { ExitClick(); });

  iLeftUpCorner_ = new ResizeGrip(1, pTopBar_);
  iLeftUpCorner_->setObjectName("iLeftUpCorner");
  iRightUpCorner_ = new ResizeGrip(2, pTopBar_);
  iRightUpCorner_->setObjectName("iRightUpCorner");
}

void TVORN_MainForm::BuildBottomBar() {
  pBottomBar_ = new QWidget(this);
  pBottomBar_->setObjectName("pBottomBar");
  pbBottom_ = new TPaintBox(skin_, 2, pBottomBar_);
  pbBottom_->setObjectName("pbBottom");
  iLeftBot_ = new TImage(pBottomBar_);
  iLeftBot_->setObjectName("iLeftBot");
  iRightBot_ = new TImage(pBottomBar_);
  iRightBot_->setObjectName("iRightBot");

  const QFont bold = sizedFont(12, true);
  auto makeButton = [&](const char* labelName, const char* buttonName, int tag, const char* caption,
                        QLabel*& shadow, QToolButton*& button) {
    shadow = shadowLabel(pBottomBar_, labelName, tag, bold, Qt::black);
    shadow->setText(caption);
    shadow->setAlignment(Qt::AlignCenter);
    button = new QToolButton(pBottomBar_);
    button->setObjectName(buttonName);
    setTag(button, tag);
    button->setText(caption);
    button->setFont(bold);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(
        "QToolButton { color: white; border: none; background: transparent; padding: 0; }"
        "QToolButton:hover { color: #a8ece4; }"
        "QToolButton:pressed { color: #d9f7f3; }");
  };
  makeButton("lHelp", "sbHelp", 10006, "Help", lHelp_, sbHelp_);
  makeButton("lExit", "sbExit", 10007, "Exit", lExit_, sbExit_);
  connect(sbHelp_, &QToolButton::clicked, this, [this] { sbHelpClick(); });
  connect(sbExit_, &QToolButton::clicked, this, [this] { ExitClick(); });

  // The drive monitor's switch in the window itself: a desktop without a notification area
  // shows no tray menu to switch it in.
  sbDriveMonitor_ = new QToolButton(pBottomBar_);
  sbDriveMonitor_->setObjectName("sbDriveMonitor");
  setTag(sbDriveMonitor_, 10008);
  sbDriveMonitor_->setText("Drive Monitor");
  sbDriveMonitor_->setCheckable(true);
  sbDriveMonitor_->setChecked(true);
  sbDriveMonitor_->setFont(sizedFont(11, true));
  sbDriveMonitor_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  sbDriveMonitor_->setIconSize(QSize(10, 10));
  sbDriveMonitor_->setCursor(Qt::PointingHandCursor);
  sbDriveMonitor_->setFocusPolicy(Qt::NoFocus);
  sbDriveMonitor_->setStyleSheet(
      "QToolButton { color: white; background: rgba(255, 255, 255, 28);"
      " border: 1px solid rgba(255, 255, 255, 70); border-radius: 9px; padding: 0 8px; }"
      "QToolButton:checked { background: rgba(60, 170, 150, 120); }"
      "QToolButton:hover { border-color: #a8ece4; }");
  connect(sbDriveMonitor_, &QToolButton::clicked, this, [this](bool on) {
    miEnableSpy_->setChecked(on);
    miEnableSpyClick(on);
  });

  iLeftDownCorner_ = new ResizeGrip(5, pBottomBar_);
  iLeftDownCorner_->setObjectName("iLeftDownCorner");
  iRightDownCorner_ = new ResizeGrip(6, pBottomBar_);
  iRightDownCorner_->setObjectName("iRightDownCorner");
}

void TVORN_MainForm::BuildBorders() {
  pLeft_ = new QWidget(this);
  pLeft_->setObjectName("pLeft");
  pbLeft_ = new TPaintBox(skin_, 3, pLeft_);
  pbLeft_->setObjectName("pbLeft");
  pbLeft_->setGrip(WindowDrag::edgesForGripTag(3));
  pRightBar_ = new QWidget(this);
  pRightBar_->setObjectName("pRightBar");
  pbRight_ = new TPaintBox(skin_, 4, pRightBar_);
  pbRight_->setObjectName("pbRight");
  pbRight_->setGrip(WindowDrag::edgesForGripTag(4));
}

void TVORN_MainForm::BuildClient() {
  pClient_ = new QWidget(this);
  pClient_->setObjectName("pClient");
  pClientTop_ = new HeaderPanel(skin_, pClient_);
  pClientTop_->setObjectName("pClientTop");
  iTopBanner_ = new TImage(pClientTop_);
  iTopBanner_->setObjectName("iTopBanner");

  const QFont caption = sizedFont(21, false);
  lFrameCaption_ = shadowLabel(pClientTop_, "lFrameCaption", 0, caption, Qt::white);
  lFrameCap2_ = shadowLabel(pClientTop_, "lFrameCap2", 0, caption, Qt::black);

  auto makeNav = [&](const char* name, int tag, Nav kind, const char* hint) {
    auto* b = new QToolButton(pClientTop_);
    b->setObjectName(name);
    setTag(b, tag);
    b->setIcon(navIcon(kind));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(hint);
    return b;
  };
  sbPrevFrame_ = makeNav("sbPrevFrame", 10002, Nav::Previous, "Previous view");
  sbViews_ = makeNav("sbViews", 10003, Nav::List, "Views list");
  sbNextFrame_ = makeNav("sbNextFrame", 10004, Nav::Next, "Next view");
  connect(sbPrevFrame_, &QToolButton::clicked, this, [this] { sbPrevFrameClick(); });
  connect(sbViews_, &QToolButton::clicked, this, [this] { sbViewsClick(); });
  connect(sbNextFrame_, &QToolButton::clicked, this, [this] { sbNextFrameClick(); });

  pScan_ = new ScanIndicator(*context_, pClientTop_);
  WireScanIndicator(*catalogs_, *pScan_);

  pFrame_ = new ViewHost(pClient_);
  pFrame_->setObjectName("pFrame");
}

void TVORN_MainForm::BuildMenus() {
  pmFrames_ = new QMenu(this);
  pmFrames_->setObjectName("pmFrames");
  framesGroup_ = new QActionGroup(this);

  pmTrayIcon_ = new QMenu(this);
  pmTrayIcon_->setObjectName("pmTrayIcon");
  pmTrayIcon_->setToolTipsVisible(true);
  auto item = [&](const char* name, int tag, const char* caption, const char* hint) {
    auto* a = new QAction(caption, pmTrayIcon_);
    a->setObjectName(name);
    setTag(a, tag);
    a->setToolTip(hint);
    return a;
  };
  miMainProgram_ = item("miMainProgram", 92001, "Open Main Program", "Open main program interface");
  connect(miMainProgram_, &QAction::triggered, this, [this] { ShowMainProgram(); });
  pmTrayIcon_->addAction(miMainProgram_);
  pmTrayIcon_->setDefaultAction(miMainProgram_);

  miSubInterface_ = new QMenu("Open Sub Views", pmTrayIcon_);
  miSubInterface_->setObjectName("miSubInterface");
  setTag(miSubInterface_, 92002);
  subInterfaceGroup_ = new QActionGroup(this);
  pmTrayIcon_->addMenu(miSubInterface_);

  pmTrayIcon_->addSeparator()->setObjectName("miLine2");
  miEnableSpy_ =
      item("miEnableSpy", 92003, "Drive Monitor", "Check the menu to enable drive monitor");
  miEnableSpy_->setCheckable(true);
  miEnableSpy_->setChecked(true);
  connect(miEnableSpy_, &QAction::triggered, this, [this](bool on) { miEnableSpyClick(on); });
  connect(miEnableSpy_, &QAction::toggled, this, [this] { SyncMonitorSwitch(); });
  pmTrayIcon_->addAction(miEnableSpy_);
  pmTrayIcon_->addSeparator()->setObjectName("miLine1");
  miShutDown_ = item("miShutDown", 92004, "Shut Down", "Shut down VORN");
  connect(miShutDown_, &QAction::triggered, this, [this] { ExitClick(); });
  pmTrayIcon_->addAction(miShutDown_);

  TimerAM_ = new QTimer(this);
  TimerAM_->setObjectName("TimerAM");
  TimerAM_->setSingleShot(true);
  TimerAM_->setInterval(500);
  connect(TimerAM_, &QTimer::timeout, this, [this] { TimerAMTimer(); });
}

void TVORN_MainForm::BuildDeveloperButtons() {
  auto hidden = [&](const char* name, const char* caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->hide();
    return b;
  };
  Button1_ = hidden("Button1", "Save Interface");
  Button4_ = hidden("Button4", "Save Options");
  Button2_ = hidden("Button2", "Save IPack");
  connect(Button1_, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button4_, &QPushButton::clicked, this, [this] { Button4Click(); });
  connect(Button2_, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TVORN_MainForm::CreateViews() {
  ReadViewNames();
  ViewSet views;
  for (int i = 0; i < viewCount(); ++i) {
    KolvexView* view = seams_.createView(i, *context_, pFrame_);
    view->hide();
    view->setGeometry(pFrame_->rect());
    view->ApplyLanguage();
    views_.push_back(view);
    views.push_back(view);
  }
  WireViews(*catalogs_, views, *this);
}

void TVORN_MainForm::ReadViewNames() {
  viewNames_.clear();
  for (const ViewRegistration& view : registeredViews())
    viewNames_.push_back(QString::fromStdString(language_.message(view.nameKey)));
}

void TVORN_MainForm::BuildViewMenus() {
  pmFrames_->clear();  // deletes the items, which belong to the menus
  miSubInterface_->clear();
  for (int i = 0; i < viewCount(); ++i) {
    const QString& name = viewNames_[static_cast<std::size_t>(i)];
    for (auto [menu, group] :
         {std::pair{pmFrames_, framesGroup_}, std::pair{miSubInterface_, subInterfaceGroup_}}) {
      auto* a = new QAction(name, menu);
      a->setCheckable(true);
      a->setChecked(i == current_);
      a->setData(i);
      group->addAction(a);
      menu->addAction(a);
      connect(a, &QAction::triggered, this, [this, i] {
        ShowMainProgram();
        ShowView(i);
      });
    }
  }
}

void TVORN_MainForm::BuildTray() {
  tray_ = new QSystemTrayIcon(windowIcon(), this);
  tray_->setObjectName("TrayIcon");
  tray_->setToolTip(kTrayTip);
  tray_->setContextMenu(pmTrayIcon_);
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
    if (r == QSystemTrayIcon::DoubleClick) ShowMainProgram();
  });
  tray_->show();
}

void TVORN_MainForm::AssignPictures() {
  iLeftTop_->setPicture(skin_.ILeftTop);
  iRightTop_->setPicture(skin_.IRightTop);
  iLeftBot_->setPicture(skin_.ILeftBot);
  iRightBot_->setPicture(skin_.IRightBot);
  iTopBanner_->setPicture(skin_.TopBanner);
  LayoutChrome();
}

void TVORN_MainForm::ApplyLanguage() {
  libraryTexts_.apply(language_.locale());
  try {
    ApplyInterfaceTexts(this, language_, true);
  } catch (const std::exception& e) {
    ReportError(e.what());
  }
  pScan_->ApplyLanguage();
  SyncMonitorSwitch();
  LayoutChrome();
}

void TVORN_MainForm::SyncMonitorSwitch() {
  const bool on = miEnableSpy_->isChecked();
  sbDriveMonitor_->setChecked(on);
  sbDriveMonitor_->setIcon(drawnIcon(10, [on](QPainter& p) {
    p.setPen(QColor(0, 0, 0, 90));
    p.setBrush(on ? QColor(0x4c, 0xd9, 0x64) : QColor(0x8a, 0x94, 0x9e));
    p.drawEllipse(QRectF(0.5, 0.5, 9, 9));
  }));
}

void TVORN_MainForm::RefreshLanguage() {
  language_.setLanguageName(options_.LanguageName);
  ApplyLanguage();
  for (const QPointer<KolvexView>& view : views_)
    if (view) view->ApplyLanguage();
  ReadViewNames();
  BuildViewMenus();
  SetFrameCaption(viewNames_[static_cast<std::size_t>(current_)]);
}

void TVORN_MainForm::OptionsApplied() {
  if (auto* spyer = dynamic_cast<TSpyer*>(monitor_.get())) spyer->SetInterval(options_.SpyFrequency);
  RefreshLanguage();
}

void TVORN_MainForm::LayoutChrome() {
  const int w = width(), h = height();
  const int middle = std::max(0, h - kTopBarHeight - kBottomBarHeight);

  pTopBar_->setGeometry(0, 0, w, kTopBarHeight);
  iLeftTop_->move(0, 0);
  iRightTop_->move(w - iRightTop_->width(), 0);
  pbTop_->setGeometry(iLeftTop_->width(), 0, w - iLeftTop_->width() - iRightTop_->width(),
                      kTopBarHeight);
  lCap2_->setGeometry(0, 0, w, kTopBarHeight);
  lCap1_->setGeometry(1, 1, w, kTopBarHeight);
  iCapControl_->setGeometry(0, 0, w, kTopBarHeight);
  const int buttonsX = w - 14 - 3 * kButtonSize, buttonsY = (kTopBarHeight - kButtonSize) / 2;
  lCapBtn_->setGeometry(buttonsX + 1, buttonsY + 1, 3 * kButtonSize, kButtonSize);
  sbMinimize_->setGeometry(buttonsX, buttonsY, kButtonSize, kButtonSize);
  sbMaximize_->setGeometry(buttonsX + kButtonSize, buttonsY, kButtonSize, kButtonSize);
  sbClose_->setGeometry(buttonsX + 2 * kButtonSize, buttonsY, kButtonSize, kButtonSize);
  iLeftUpCorner_->setGeometry(0, 0, 10, 10);
  iRightUpCorner_->setGeometry(w - 10, 0, 10, 10);

  pBottomBar_->setGeometry(0, h - kBottomBarHeight, w, kBottomBarHeight);
  iLeftBot_->move(0, 0);
  iRightBot_->move(w - iRightBot_->width(), 0);
  pbBottom_->setGeometry(iLeftBot_->width(), 0, w - iLeftBot_->width() - iRightBot_->width(),
                         kBottomBarHeight);
  const QFontMetrics fm(sbHelp_->font());
  const int buttonH = 22, buttonY = (kBottomBarHeight - buttonH) / 2 + 1;
  const int helpW = fm.horizontalAdvance(sbHelp_->text()) + 16;
  const int exitW = fm.horizontalAdvance(sbExit_->text()) + 16;
  sbHelp_->setGeometry(18, buttonY, helpW, buttonH);
  lHelp_->setGeometry(19, buttonY + 1, helpW, buttonH);
  sbExit_->setGeometry(w - 22 - exitW, buttonY, exitW, buttonH);
  lExit_->setGeometry(w - 21 - exitW, buttonY + 1, exitW, buttonH);
  const int switchH = 20, switchW = sbDriveMonitor_->sizeHint().width();
  sbDriveMonitor_->setGeometry(18 + helpW + 18, (kBottomBarHeight - switchH) / 2 + 1, switchW, switchH);
  iLeftDownCorner_->setGeometry(0, kBottomBarHeight - 10, 10, 10);
  iRightDownCorner_->setGeometry(w - 10, kBottomBarHeight - 10, 10, 10);

  pLeft_->setGeometry(0, kTopBarHeight, kBorderWidth, middle);
  pbLeft_->setGeometry(0, 0, kBorderWidth, middle);
  pRightBar_->setGeometry(w - kBorderWidth, kTopBarHeight, kBorderWidth, middle);
  pbRight_->setGeometry(0, 0, kBorderWidth, middle);

  const int cw = std::max(0, w - 2 * kBorderWidth);
  pClient_->setGeometry(kBorderWidth, kTopBarHeight, cw, middle);
  pClientTop_->setGeometry(0, 0, cw, kHeaderHeight);
  iTopBanner_->move(1, 1);
  const int navSize = 28, navY = (kHeaderHeight - navSize) / 2;
  const int navX = cw - 12 - 3 * navSize;
  sbPrevFrame_->setGeometry(navX, navY, navSize, navSize);
  sbViews_->setGeometry(navX + navSize, navY, navSize, navSize);
  sbNextFrame_->setGeometry(navX + 2 * navSize, navY, navSize, navSize);
  const int captionX = 1 + iTopBanner_->width() + 14;
  const int captionW = std::max(0, navX - captionX - 8);
  lFrameCap2_->setGeometry(captionX, 0, captionW, kHeaderHeight);
  lFrameCaption_->setGeometry(captionX + 1, 1, captionW, kHeaderHeight);
  // The running scan, right of the view's name and clear of it.
  const int captionEnd = captionX + lFrameCap2_->fontMetrics().horizontalAdvance(lFrameCap2_->text());
  const int scanW = std::clamp(navX - 16 - captionEnd - 16, 0, 240);
  pScan_->setGeometry(navX - 16 - scanW, 12, scanW, kHeaderHeight - 24);
  pFrame_->setGeometry(0, kHeaderHeight, cw, std::max(0, middle - kHeaderHeight));
}

void TVORN_MainForm::resizeEvent(QResizeEvent*) { LayoutChrome(); }

void TVORN_MainForm::closeEvent(QCloseEvent* event) {
  if (!shuttingDown_ && !SettleUnappliedChanges()) {
    event->ignore();
    return;
  }
  Shutdown();
  event->accept();
}

void TVORN_MainForm::ExitClick() {
  if (shuttingDown_ || !SettleUnappliedChanges()) return;
  Shutdown();
}

void TVORN_MainForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) SyncMaximizeGlyph();
  QWidget::changeEvent(event);
}

KolvexView* TVORN_MainForm::View(int index) const {
  return index >= 0 && index < static_cast<int>(views_.size())
             ? views_[static_cast<std::size_t>(index)].data()
             : nullptr;
}

QString TVORN_MainForm::ViewName(int index) const {
  return index >= 0 && index < static_cast<int>(viewNames_.size())
             ? viewNames_[static_cast<std::size_t>(index)]
             : QString();
}

QString TVORN_MainForm::FrameCaption() const { return lFrameCap2_->text(); }

void TVORN_MainForm::SetFrameCaption(const QString& caption) {
  lFrameCaption_->setText(caption);
  lFrameCap2_->setText(caption);
  LayoutChrome();
}

namespace {

// Lays a shown widget out now rather than at the next turns of the event loop: its
// layouts, and its item lists (which otherwise arrange their items on a timer).
void LayOutNow(QWidget* widget) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  for (QAbstractItemView* list : widget->findChildren<QAbstractItemView*>())
    if (list->isVisibleTo(widget)) list->doItemsLayout();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

}  // namespace

void TVORN_MainForm::ShowView(int index) {
  if (shuttingDown_ || !View(index)) return;
  if (sliding_) {
    pendingView_ = index;
    return;
  }
  QPointer<KolvexView> view = views_[static_cast<std::size_t>(index)];
  if (!view) return;
  sliding_ = true;
  // A view holding changes (the options) settles them before another one comes up.
  if (!SettleUnappliedChanges()) {
    sliding_ = false;
    pendingView_ = -1;
    return;
  }
  if (!view || shuttingDown_) {
    sliding_ = false;
    return;
  }
  current_ = index;
  const int w = pFrame_->width(), h = pFrame_->height();
  // What slides in is a picture of the view laid out whole at its place: the view itself,
  // laid out while it moves, showed its lists empty or at the wrong size, let the view
  // before show through, and was repainted at every step. It waits finished under the
  // view shown until then.
  view->setGeometry(0, 0, w, h);
  view->show();
  view->lower();
  LayOutNow(view);
  auto* slide = new QLabel(pFrame_);
  slide->setObjectName("lSlidingView");
  // On the window's ground: the views leave parts unpainted, which would let the view
  // shown before show through.
  QPixmap picture(view->size() * view->devicePixelRatioF());
  picture.setDevicePixelRatio(view->devicePixelRatioF());
  picture.fill(view->palette().color(QPalette::Window));
  view->render(&picture);
  slide->setPixmap(picture);
  pFrame_->setSliding(slide);
  slide->setGeometry(0, -h, w, h);
  slide->show();
  slide->raise();
  SetFrameCaption(viewNames_[static_cast<std::size_t>(index)]);
  const int steps = h / 10;
  for (int k = 1; k <= steps && view && !shuttingDown_; ++k) {
    slide->move(0, k * 10 - h);
    seams_.pump->processEvents();
  }
  sliding_ = false;
  pFrame_->setSliding(nullptr);
  delete slide;
  if (!view || shuttingDown_) return;
  view->raise();
  for (const QPointer<KolvexView>& other : views_)
    if (other && other != view) other->hide();
  for (QActionGroup* group : {framesGroup_, subInterfaceGroup_})
    for (QAction* a : group->actions())
      if (a->data().toInt() == index) a->setChecked(true);
  if (pendingView_ >= 0) {
    const int next = pendingView_;
    pendingView_ = -1;
    ShowView(next);
  }
}

bool TVORN_MainForm::SettleUnappliedChanges() {
  KolvexView* view = View(current_);
  if (!view || !view->HasUnappliedChanges()) return true;
  switch (seams_.dialogs->ask(language_.message("A052"), true)) {
    case Answer::Yes:
      view->ApplyChanges();  // a failed Apply has said why
      return !view->HasUnappliedChanges();
    case Answer::No:
      view->ReloadChanges();
      return true;
    case Answer::Cancel:
      break;
  }
  return false;
}

void TVORN_MainForm::sbNextFrameClick() { ShowView(current_ + 1 < viewCount() ? current_ + 1 : 0); }

void TVORN_MainForm::sbPrevFrameClick() { ShowView(current_ > 0 ? current_ - 1 : viewCount() - 1); }

void TVORN_MainForm::sbViewsClick() {
  pmFrames_->popup(sbViews_->mapToGlobal(sbViews_->rect().bottomLeft()));
}

void TVORN_MainForm::ShowMainProgram() {
  if (shuttingDown_) return;
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
  update();
}

void TVORN_MainForm::sbMinimizeClick() {
  if (tray_ && seams_.trayAvailable())
    hide();
  else
    showMinimized();  // iconified: without a tray a hidden window could not be reached again
}

void TVORN_MainForm::sbMaximizeClick() {
  if (isMaximized())
    showNormal();
  else
    showMaximized();
  SyncMaximizeGlyph();
}

void TVORN_MainForm::SyncMaximizeGlyph() {
  const bool maximized = isMaximized();
  sbMaximize_->setCaption(maximized ? "2" : "1");
  lCapBtn_->setCaption(maximized ? "0 2 r" : "0 1 r");
}

void TVORN_MainForm::sbHelpClick() {
  // A desktop that cannot open the page says so, as Execute does.
  const std::string failure = seams_.shell->open(Paths().helpFile());
  if (!failure.empty()) ReportError(failure);
}

void TVORN_MainForm::TimerAMTimer() {
  TimerAM_->stop();
  if (commandLine_.first() == kMinimizeSwitch) sbMinimizeClick();
  NoticeMissingTray();
}

void TVORN_MainForm::NoticeMissingTray() {
  // Once per user: where the tray icon went, and where its menu's switch is instead.
  if (shuttingDown_ || seams_.trayAvailable() || state_->value("Notices/NoTray").toBool()) return;
  // A start that opens the add dialog at once keeps the note for the next start: a box
  // over the dialog would take the keys the user means for it.
  if (commandLine_.hasFolder()) return;
  state_->setValue("Notices/NoTray", true);
  state_->save();
  seams_.dialogs->message(MessageKind::Information, language_.message("A079"));
}

void TVORN_MainForm::RestoreWindowState() {
  const QByteArray geometry = state_->value("MainWindow/Geometry").toByteArray();
  if (!geometry.isEmpty()) {
    restoreGeometry(geometry);
    SyncMaximizeGlyph();
  }
  for (const QPointer<KolvexView>& view : views_)
    if (view) view->RestoreState(*state_);
}

void TVORN_MainForm::SaveWindowState() {
  state_->setValue("MainWindow/Geometry", saveGeometry());
  for (const QPointer<KolvexView>& view : views_)
    if (view) view->SaveState(*state_);
  state_->save();
}

void TVORN_MainForm::TakeHandedOverFolder() {
  if (shuttingDown_) return;
  std::optional<std::string> folder = PargFile::take(Paths().userDir());
  if (folder && !folder->empty()) OfferFolder(*folder);
}

void TVORN_MainForm::OfferFolder(const std::string& folder) {
  if (seams_.offerFolder)
    seams_.offerFolder(folder);
  else if (KolvexView* view = View(viewWithRole(kTakesFolders)))
    view->OfferFolder(folder);
}

void TVORN_MainForm::miEnableSpyClick(bool checked) {
  if (!monitor_) return;
  if (checked)
    monitor_->Start();
  else
    monitor_->Stop();
}

void TVORN_MainForm::Shutdown() {
  if (shuttingDown_) return;
  shuttingDown_ = true;
  // A scan or a search still running is cancelled first; each ends when control returns
  // to its loop, and the event loop ends after them.
  catalogs_->shutDown();
  for (int i = 0; i < viewCount(); ++i)
    if (KolvexView* view = View(i)) view->StopWork();
  SaveWindowState();
  // Inside a running event loop the shutdown may come from an event that a message box or
  // a dialog let through (a stop signal while the add dialog asks something): the widgets
  // of that box are on the stack below, and deleting their owners here would pull them
  // away under it. The ending loops unwind first; the views then go with the window.
  if (QThread::currentThread()->loopLevel() == 0)
    for (int i = 0; i < viewCount(); ++i)
      if (registeredViews()[static_cast<std::size_t>(i)].roles & kHoldsCatalogs)
        delete views_[static_cast<std::size_t>(i)].data();
  if (tray_) {
    tray_->hide();
    delete tray_;
    tray_ = nullptr;
  }
  if (monitor_) {
    monitor_->Stop();
    monitor_.reset();
  }
  ProbeFiles::removeAll(Paths().userDir());
  seams_.terminate();
}

void TVORN_MainForm::Button1Click() {
  try {
    language_.saveInterfaceTexts(CollectInterfaceTexts(this, true));
  } catch (const std::exception& e) {
    ReportError(e.what());
  }
}

void TVORN_MainForm::Button4Click() {
  options_.setFactoryValues();
  try {
    saveOptions(options_, Paths().optionsFile());
  } catch (const std::exception& e) {
    ReportError(e.what());
  }
}

void TVORN_MainForm::Button2Click() {
  try {
    auto mask = std::make_shared<TBitmap>();
    std::string bitmap = readWholeFile(Paths().userDir() + "flatmask2.bmp");
    if (bitmap.size() < 2 || bitmap.compare(0, 2, "BM") != 0)
      throw EStreamError(msg::kBitmapNotValid);
    mask->setBytes(std::move(bitmap));
    auto leftBar = std::make_shared<TJPEGImage>();
    leftBar->setBytes(readWholeFile(Paths().userDir() + "ph3.jpg"));
    package_.FlatMask = mask;
    package_.LeftBar = leftBar;
    InterfacePackFile::save(package_, Paths().interfacePackFile());
  } catch (const std::exception& e) {
    ReportError(e.what());
  }
  skin_.load(package_);
  update();
}

}  // namespace kolvex
