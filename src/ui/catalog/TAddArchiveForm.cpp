#include "ui/catalog/TAddArchiveForm.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/catalog/FileNames.h"
#include "core/catalog/VolumeScanner.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/DialogParts.h"
#include "ui/common/FingerprintSetting.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/SkinWidgets.h"
#include "ui/common/WindowFade.h"
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

TAddArchiveForm::TAddArchiveForm(AppContext& context, DesktopScanRunner& scans, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      context_(context),
      scans_(scans) {
  setObjectName("TAddArchiveForm");
  setTag(this, 60000);
  setWindowTitle("Add A New Archive");
  setModal(false);
  // Laid out rather than placed, so that longer texts of another language push the
  // controls aside instead of running under them; the dialog grows to fit.
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  grid->addWidget(label("stSerialNumber", 60001, "Serial Number"), 0, 0);
  lSerialNumber_ = new QLabel("#SN#", this);
  lSerialNumber_->setObjectName("lSerialNumber");
  lSerialNumber_->setAutoFillBackground(true);
  lSerialNumber_->setBackgroundRole(QPalette::ToolTipBase);
  lSerialNumber_->setForegroundRole(QPalette::ToolTipText);
  lSerialNumber_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lSerialNumber_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(lSerialNumber_, 0, 1, 1, 4);

  grid->addWidget(label("stDrivePath", 60002, "Path to be Indexed"), 1, 0, 1, 5);
  auto* pathRow = new QHBoxLayout;
  ePath_ = new QLineEdit(this);
  ePath_->setObjectName("ePath");
  ePath_->setReadOnly(true);
  QPalette face = ePath_->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  ePath_->setPalette(face);
  connect(ePath_, &QLineEdit::textChanged, this, [this] { ePathChange(); });
  bBrowsePath_ = new QPushButton("...", this);
  bBrowsePath_->setObjectName("bBrowsePath");
  bBrowsePath_->setFixedWidth(28);
  bBrowsePath_->setAutoDefault(false);
  connect(bBrowsePath_, &QPushButton::clicked, this, [this] { bBrowsePathClick(); });
  pathRow->addWidget(ePath_, 1);
  pathRow->addWidget(bBrowsePath_);
  grid->addLayout(pathRow, 2, 0, 1, 5);

  QLabel* stCDLabel = label("stCDLabel", 60003, "&Volume Label");
  grid->addWidget(stCDLabel, 3, 0, 1, 5);
  eCDLabel_ = new QLineEdit("#CDLABEL#", this);
  eCDLabel_->setObjectName("eCDLabel");
  stCDLabel->setBuddy(eCDLabel_);
  connect(eCDLabel_, &QLineEdit::editingFinished, this, [this] { eCDLabelExit(); });
  grid->addWidget(eCDLabel_, 4, 0, 1, 5);

  grid->addWidget(label("stIconSmall", 60004, "Small Icon"), 5, 0);
  iIconSmall_ = new TImage(this);
  iIconSmall_->setObjectName("iIconSmall");
  iIconSmall_->setFixedSize(16, 16);
  grid->addWidget(iIconSmall_, 5, 1, Qt::AlignLeft);
  grid->addWidget(label("stIconLarge", 60005, "Large Icon"), 5, 2);
  iIconLarge_ = new TImage(this);
  iIconLarge_->setObjectName("iIconLarge");
  iIconLarge_->setFixedSize(32, 32);
  grid->addWidget(iIconLarge_, 5, 3, 1, 2, Qt::AlignLeft);

  QLabel* stDescription = label("stDescription", 60006, "&Description");
  grid->addWidget(stDescription, 6, 0, 1, 5);
  mDescription_ = makeDescriptionEdit(this, this);
  stDescription->setBuddy(mDescription_);
  grid->addWidget(mDescription_, 7, 0, 1, 5);
  grid->setRowStretch(7, 1);
  cbFingerprints_ = new QCheckBox("Record content fingerprints", this);
  cbFingerprints_->setObjectName("cbFingerprints");
  setTag(cbFingerprints_, 30017);
  grid->addWidget(cbFingerprints_, 8, 0, 1, 5);

  const OkCancelRow buttons = makeOkCancelRow(this);
  bOK_ = buttons.ok;
  bCancel_ = buttons.cancel;
  connect(bOK_, &QPushButton::clicked, this, [this] { bOKClick(); });
  connect(bCancel_, &QPushButton::clicked, this, [this] { bCancelClick(); });
  grid->addLayout(buttons.row, 9, 0, 1, 5);

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

  ApplyLanguage();
}

void TAddArchiveForm::ApplyLanguage() {
  ApplyDialogTexts(this, context_.language, QSize(kClientWidth, kClientHeight));
}

QLabel* TAddArchiveForm::label(const char* name, int tag, const char* caption) {
  auto* l = new QLabel(caption, this);
  l->setObjectName(name);
  setTag(l, tag);
  return l;
}

std::string TAddArchiveForm::DefaultPath() { return QDir::homePath().toStdString() + "/"; }

void TAddArchiveForm::SetVolumePath(const std::string& path) {
  ePath_->setText(QString::fromStdString(path));
}

std::string TAddArchiveForm::VolumePath() const { return ePath_->text().toStdString(); }

void TAddArchiveForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  cbFingerprints_->setChecked(RecordFingerprints());
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
  // The chooser starts at the folder shown, so a neighbour is one step away.
  const std::string chosen = context_.picker.pickFolder(context_.language.message("A017"), VolumePath());
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
  const std::string scanPath = VolumePath();
  // The choice made here is the one the next scans make too.
  SetRecordFingerprints(cbFingerprints_->isChecked());
  context_.catalogs.createCatalog(false, false, header_, scanPath, archiveFileName_);
  HideGradually(this, context_.options, context_.pump);
}

void TAddArchiveForm::bCancelClick() { HideGradually(this, context_.options, context_.pump); }

void TAddArchiveForm::reject() { bCancelClick(); }

}  // namespace kolvex
