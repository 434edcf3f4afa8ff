#include "ui/archives/TModifyArchiveForm.h"
#include "core/app/ReadErrorText.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/catalog/ArchiveHeader.h"
#include "core/catalog/FileNames.h"
#include "core/catalog/ModifyArchive.h"
#include "core/persist/CatalogReader.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/DialogParts.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/WindowFade.h"

namespace kolvex {

TModifyArchiveForm::TModifyArchiveForm(AppContext& context, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      context_(context) {
  setObjectName("TModifyArchiveForm");
  setTag(this, 61000);
  setWindowTitle("Modify An Archive");
  setModal(false);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 8, 8, 8);
  column->setSpacing(3);
  auto label = [this, column](const char* name, int tag, const char* caption, QWidget* buddy) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    setTag(l, tag);
    l->setBuddy(buddy);
    column->addWidget(l);
    column->addWidget(buddy);
  };
  ePath_ = new QLineEdit(this);
  ePath_->setObjectName("ePath");
  label("stDrivePath", 61001, "&Base Direcotry", ePath_);
  eCDLabel_ = new QLineEdit("#CDLABEL#", this);
  eCDLabel_->setObjectName("eCDLabel");
  label("stCDLabel", 60003, "&Volume Label", eCDLabel_);
  for (QLineEdit* e : {ePath_, eCDLabel_})
    connect(e, &QLineEdit::editingFinished, this, [this] { ePathExit(); });

  cbRemovable_ = new QCheckBox("&Removable", this);
  cbRemovable_->setObjectName("cbRemovable");
  setTag(cbRemovable_, 61002);
  connect(cbRemovable_, &QCheckBox::clicked, this, [this] { cbRemovableClick(); });
  column->addSpacing(3);
  column->addWidget(cbRemovable_);
  column->addSpacing(3);

  mDescription_ = makeDescriptionEdit(this, this);
  label("stDescription", 60006, "&Description", mDescription_);
  column->setStretchFactor(mDescription_, 1);

  const OkCancelRow buttons = makeOkCancelRow(this);
  bOK_ = buttons.ok;
  bCancel_ = buttons.cancel;
  connect(bOK_, &QPushButton::clicked, this, [this] { bOKClick(); });
  connect(bCancel_, &QPushButton::clicked, this, [this] { bCancelClick(); });
  column->addSpacing(4);
  column->addLayout(buttons.row);
  Button1_ = new QPushButton("Save Interface ", this);
  Button1_->setObjectName("Button1");
  Button1_->hide();

  ApplyLanguage();
}

void TModifyArchiveForm::ApplyLanguage() {
  ApplyDialogTexts(this, context_.language, QSize(kClientWidth, kClientHeight));
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
    context_.dialogs.message(MessageKind::Error,
                             catalogPath_ + ": " + localReadError(context_.language, e.what()));
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
  // On failure the catalog is as it was; the dialog stays open so nothing typed is lost.
  if (!context_.catalogs.rewriteHeader(catalogPath_, header_)) return;
  HideGradually(this, context_.options, context_.pump);
}

void TModifyArchiveForm::bCancelClick() { HideGradually(this, context_.options, context_.pump); }

void TModifyArchiveForm::reject() { bCancelClick(); }

}  // namespace kolvex
