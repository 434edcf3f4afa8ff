#include "ui/catalog/TAddArchiveForm.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/catalog/FileNames.h"
#include "core/catalog/VolumeScanner.h"
#include "ui/app/InterfaceTexts.h"
#include "ui/app/SkinWidgets.h"
#include "ui/app/WindowFade.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/catalog/IconPicture.h"

namespace kolvex {
namespace {

QString linesText(const TStringList& list) {
  QStringList lines;
  for (const std::string& line : list.lines) lines << QString::fromStdString(line);
  return lines.join('\n');
}

std::vector<std::string> textLines(const QString& text) {
  std::vector<std::string> lines;
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split('\n')) lines.push_back(line.toStdString());
  return lines;
}

}  // namespace

TAddArchiveForm::TAddArchiveForm(AppContext& context, DesktopScanRunner& scans,
                                 FolderPicker& picker)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      context_(context),
      scans_(scans),
      picker_(picker) {
  setObjectName("TAddArchiveForm");
  setTag(this, 60000);
  setWindowTitle("Add A New Archive");
  setFixedSize(kClientWidth, kClientHeight);
  setModal(false);

  label("stSerialNumber", 60001, "Serial Number", 8, 10, 100);
  lSerialNumber_ = new QLabel("#SN#", this);
  lSerialNumber_->setObjectName("lSerialNumber");
  lSerialNumber_->setGeometry(112, 8, 164, 20);
  lSerialNumber_->setAutoFillBackground(true);
  lSerialNumber_->setBackgroundRole(QPalette::ToolTipBase);
  lSerialNumber_->setForegroundRole(QPalette::ToolTipText);
  lSerialNumber_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lSerialNumber_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  label("stDrivePath", 60002, "Path to be Indexed", 8, 34, 268);
  ePath_ = new QLineEdit(this);
  ePath_->setObjectName("ePath");
  ePath_->setReadOnly(true);
  ePath_->setGeometry(8, 52, 238, 24);
  QPalette face = ePath_->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  ePath_->setPalette(face);
  connect(ePath_, &QLineEdit::textChanged, this, [this] { ePathChange(); });
  bBrowsePath_ = new QPushButton("...", this);
  bBrowsePath_->setObjectName("bBrowsePath");
  bBrowsePath_->setGeometry(250, 52, 26, 24);
  bBrowsePath_->setAutoDefault(false);
  connect(bBrowsePath_, &QPushButton::clicked, this, [this] { bBrowsePathClick(); });

  QLabel* stCDLabel = label("stCDLabel", 60003, "&Volume Label", 8, 82, 268);
  eCDLabel_ = new QLineEdit("#CDLABEL#", this);
  eCDLabel_->setObjectName("eCDLabel");
  eCDLabel_->setGeometry(8, 100, 268, 24);
  stCDLabel->setBuddy(eCDLabel_);
  connect(eCDLabel_, &QLineEdit::editingFinished, this, [this] { eCDLabelExit(); });

  label("stIconSmall", 60004, "Small Icon", 8, 134, 80);
  iIconSmall_ = new TImage(this);
  iIconSmall_->setObjectName("iIconSmall");
  iIconSmall_->setGeometry(92, 132, 16, 16);
  label("stIconLarge", 60005, "Large Icon", 140, 134, 80);
  iIconLarge_ = new TImage(this);
  iIconLarge_->setObjectName("iIconLarge");
  iIconLarge_->setGeometry(224, 126, 32, 32);

  QLabel* stDescription = label("stDescription", 60006, "&Description", 8, 162, 268);
  mDescription_ = new QPlainTextEdit(this);
  mDescription_->setObjectName("mDescription");
  mDescription_->setGeometry(8, 180, 268, 58);
  mDescription_->setLineWrapMode(QPlainTextEdit::NoWrap);
  mDescription_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mDescription_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mDescription_->installEventFilter(this);
  stDescription->setBuddy(mDescription_);

  bOK_ = new QPushButton("&OK", this);
  bOK_->setObjectName("bOK");
  setTag(bOK_, 91102);
  bOK_->setGeometry(116, 246, 78, 26);
  bOK_->setDefault(true);
  connect(bOK_, &QPushButton::clicked, this, [this] { bOKClick(); });
  bCancel_ = new QPushButton("&Cancel", this);
  bCancel_->setObjectName("bCancel");
  setTag(bCancel_, 91101);
  bCancel_->setGeometry(198, 246, 78, 26);
  bCancel_->setAutoDefault(false);
  connect(bCancel_, &QPushButton::clicked, this, [this] { bCancelClick(); });

  Button1_ = new QPushButton("Save Interface ", this);
  Button1_->setObjectName("Button1");
  Button1_->hide();
  connect(Button1_, &QPushButton::clicked, this, [this] {
    try {
      context_.language.saveInterfaceTexts(CollectInterfaceTexts(this, true));
    } catch (const std::exception& e) {
      context_.dialogs.message(MessageKind::Error, e.what());
    }
  });

  ApplyInterfaceTexts(this, context_.language, true);
}

QLabel* TAddArchiveForm::label(const char* name, int tag, const char* caption, int x, int y,
                               int w) {
  auto* l = new QLabel(caption, this);
  l->setObjectName(name);
  setTag(l, tag);
  l->setGeometry(x, y, w, 18);
  return l;
}

std::string TAddArchiveForm::DefaultPath() { return QDir::homePath().toStdString() + "/"; }

void TAddArchiveForm::SetVolumePath(const std::string& path) {
  ePath_->setText(QString::fromStdString(path));
}

std::string TAddArchiveForm::VolumePath() const { return ePath_->text().toStdString(); }

void TAddArchiveForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!ePath_->text().isEmpty()) ReloadVolume();
}

bool TAddArchiveForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mDescription_ && event->type() == QEvent::FocusOut) VolumeInfoChanged();
  return QDialog::eventFilter(watched, event);
}

void TAddArchiveForm::ePathChange() { ReloadVolume(); }

void TAddArchiveForm::ReloadVolume() {
  const std::string path = VolumePath();
  if (path.empty()) return;
  if (scans_.scanner().GetVolumeInfo(path, header_)) {
    archiveFileName_ = scans_.scanner().ArchiveFileNameFor(header_);
    lSerialNumber_->setText(QString::fromStdString(header_.CreateSerial));
    eCDLabel_->setText(QString::fromStdString(header_.CDLabel));
    mDescription_->setPlainText(linesText(*header_.CDDescription));
    iIconSmall_->setPicture(iconPicture(*header_.CDIconSmall, 16));
    iIconLarge_->setPicture(iconPicture(*header_.CDIconLarge, 32));
    return;
  }
  context_.dialogs.message(MessageKind::Error, context_.language.message("A001"));
  // Setting the text it already holds changes nothing, so an unreadable home folder
  // cannot make this go round.
  SetVolumePath(DefaultPath());
}

void TAddArchiveForm::bBrowsePathClick() {
  const std::string chosen = picker_.pickFolder(context_.language.message("A017"), "");
  if (!chosen.empty() && chosen != VolumePath())
    SetVolumePath(chosen);
  else
    ReloadVolume();
}

void TAddArchiveForm::eCDLabelExit() {
  const QString cleaned =
      QString::fromStdString(ReplaceInvalidChars(eCDLabel_->text().toStdString()));
  if (cleaned != eCDLabel_->text()) eCDLabel_->setText(cleaned);
  VolumeInfoChanged();
}

void TAddArchiveForm::VolumeInfoChanged() {
  header_.CDLabel = eCDLabel_->text().toStdString();
  // A fresh list: the old one may be shared with a header copied from this one.
  header_.CDDescription = std::make_shared<TStringList>();
  header_.CDDescription->lines = textLines(mDescription_->toPlainText());
}

void TAddArchiveForm::bOKClick() {
  // What the user typed last counts even when the field was never left.
  eCDLabelExit();
  if (eCDLabel_->text().isEmpty()) {
    context_.dialogs.message(MessageKind::Error, context_.language.message("A018"));
    return;
  }
  if (archiveFileName_.empty()) {
    context_.dialogs.message(MessageKind::Error, context_.language.message("A001"));
    return;
  }
  if (scans_.ScanRunning()) {
    context_.dialogs.message(MessageKind::Error, kScanAlreadyRunning);
    return;
  }
  if (!scans_.scanner().ConfirmOverwrite(true, false, archiveFileName_)) return;
  if (context_.links.explorer) context_.links.explorer->CloseIfShown(archiveFileName_);
  const std::string scanPath = VolumePath();
  scans_.CreateArchive(false, false, header_, scanPath, archiveFileName_);
  HideGradually(this, context_.options, context_.pump);
  if (context_.links.archiveManager) context_.links.archiveManager->RefreshArchives();
}

void TAddArchiveForm::bCancelClick() { HideGradually(this, context_.options, context_.pump); }

void TAddArchiveForm::reject() { bCancelClick(); }

}  // namespace kolvex
