#include "ui/archives/TModifyArchiveForm.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/FileNames.h"
#include "core/catalog/ModifyArchive.h"
#include "core/persist/CatalogReader.h"
#include "ui/app/InterfaceTexts.h"
#include "ui/app/WindowFade.h"

namespace kolvex {

TModifyArchiveForm::TModifyArchiveForm(AppContext& context)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      context_(context) {
  setObjectName("TModifyArchiveForm");
  setTag(this, 61000);
  setWindowTitle("Modify An Archive");
  setFixedSize(kClientWidth, kClientHeight);
  setModal(false);

  auto label = [this](const char* name, int tag, const char* caption, int y, QWidget* buddy) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    setTag(l, tag);
    l->setGeometry(8, y, 268, 18);
    l->setBuddy(buddy);
  };
  ePath_ = new QLineEdit(this);
  ePath_->setObjectName("ePath");
  ePath_->setGeometry(8, 26, 268, 24);
  label("stDrivePath", 61001, "&Base Direcotry", 8, ePath_);
  eCDLabel_ = new QLineEdit("#CDLABEL#", this);
  eCDLabel_->setObjectName("eCDLabel");
  eCDLabel_->setGeometry(8, 74, 268, 24);
  label("stCDLabel", 60003, "&Volume Label", 56, eCDLabel_);
  for (QLineEdit* e : {ePath_, eCDLabel_})
    connect(e, &QLineEdit::editingFinished, this, [this] { ePathExit(); });

  cbRemovable_ = new QCheckBox("&Removable", this);
  cbRemovable_->setObjectName("cbRemovable");
  setTag(cbRemovable_, 61002);
  cbRemovable_->setGeometry(8, 104, 268, 22);
  connect(cbRemovable_, &QCheckBox::clicked, this, [this] { cbRemovableClick(); });

  mDescription_ = new QPlainTextEdit(this);
  mDescription_->setObjectName("mDescription");
  mDescription_->setGeometry(8, 150, 268, 58);
  mDescription_->setLineWrapMode(QPlainTextEdit::NoWrap);
  mDescription_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mDescription_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mDescription_->installEventFilter(this);
  label("stDescription", 60006, "&Description", 132, mDescription_);

  bOK_ = new QPushButton("&OK", this);
  bOK_->setObjectName("bOK");
  setTag(bOK_, 91102);
  bOK_->setGeometry(116, 216, 78, 26);
  bOK_->setDefault(true);
  connect(bOK_, &QPushButton::clicked, this, [this] { bOKClick(); });
  bCancel_ = new QPushButton("&Cancel", this);
  bCancel_->setObjectName("bCancel");
  setTag(bCancel_, 91101);
  bCancel_->setGeometry(198, 216, 78, 26);
  bCancel_->setAutoDefault(false);
  connect(bCancel_, &QPushButton::clicked, this, [this] { bCancelClick(); });
  Button1_ = new QPushButton("Save Interface ", this);
  Button1_->setObjectName("Button1");
  Button1_->hide();

  ApplyInterfaceTexts(this, context_.language, true);
}

bool TModifyArchiveForm::SetArchive(const std::string& catalogPath) {
  catalogPath_ = catalogPath;
  return LoadArchiveHeader();
}

bool TModifyArchiveForm::LoadArchiveHeader() {
  if (catalogPath_.empty()) return false;
  try {
    CatalogReader reader(catalogPath_);
    header_ = TSCCDInfo();
    CopyArchiveHeader(reader.header(), header_);
  } catch (const std::exception& e) {
    context_.dialogs.message(MessageKind::Error, e.what());
    return false;
  }
  ePath_->setText(QString::fromStdString(header_.BaseDir));
  eCDLabel_->setText(QString::fromStdString(header_.CDLabel));
  cbRemovable_->setChecked(header_.Removable);
  QStringList lines;
  for (const std::string& line : header_.CDDescription->lines)
    lines << QString::fromStdString(line);
  mDescription_->setPlainText(lines.join('\n'));
  return true;
}

bool TModifyArchiveForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mDescription_ && event->type() == QEvent::FocusOut) mDescriptionExit();
  return QDialog::eventFilter(watched, event);
}

void TModifyArchiveForm::ePathExit() {
  const QString label =
      QString::fromStdString(ReplaceInvalidChars(eCDLabel_->text().toStdString()));
  if (label != eCDLabel_->text()) eCDLabel_->setText(label);
  const QString path = QString::fromStdString(WithTrailingSeparator(ePath_->text().toStdString()));
  if (!ePath_->text().isEmpty() && path != ePath_->text()) ePath_->setText(path);
  header_.BaseDir = ePath_->text().toStdString();
  header_.CDLabel = eCDLabel_->text().toStdString();
}

void TModifyArchiveForm::mDescriptionExit() {
  // A fresh list: the one read is shared with the catalog reader's copy.
  header_.CDDescription = std::make_shared<TStringList>();
  const QString text = mDescription_->toPlainText();
  if (!text.isEmpty())
    for (const QString& line : text.split('\n'))
      header_.CDDescription->lines.push_back(line.toStdString());
}

void TModifyArchiveForm::cbRemovableClick() { header_.Removable = cbRemovable_->isChecked(); }

void TModifyArchiveForm::bOKClick() {
  if (catalogPath_.empty()) return;
  // The fields count as they stand, even the one the cursor is still in.
  ePathExit();
  mDescriptionExit();
  cbRemovableClick();
  if (eCDLabel_->text().isEmpty()) {
    context_.dialogs.message(MessageKind::Error, context_.language.message("A018"));
    return;
  }
  if (context_.links.explorer) context_.links.explorer->CloseIfShown(catalogPath_);
  try {
    RewriteArchiveHeader(catalogPath_, header_);
  } catch (const std::exception& e) {
    // The catalog is as it was; the dialog stays open so nothing typed is lost.
    context_.dialogs.message(MessageKind::Error, e.what());
    return;
  }
  if (context_.links.archiveManager) context_.links.archiveManager->RefreshArchives();
  HideGradually(this, context_.options, context_.pump);
}

void TModifyArchiveForm::bCancelClick() { HideGradually(this, context_.options, context_.pump); }

void TModifyArchiveForm::reject() { bCancelClick(); }

}  // namespace kolvex
