#include "ui/compare/TCompareForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>
#include <memory>

#include "core/catalog/FormatSize.h"
#include "core/compare/CatalogDiff.h"
#include "core/compare/MediumVerifier.h"
#include "core/persist/PersistError.h"
#include "platform/MountedVolumes.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/ItemViews.h"
#include "ui/common/QtText.h"

namespace kolvex {
namespace {

QString sizeAndTime(std::int64_t size, double time) {
  return qtText(FormatSize(size) + "  ") + DateTimeTextOf(time);
}

// What a comparison thread hands back.
struct Compared {
  CatalogFiles older, newer;
  CatalogDiff diff;
  VerifyReport report;
  std::string trouble;  // why it could not be done
  bool noMedium = false;
  std::string warnings;
};

const char* diffKindKey(DiffKind kind) {
  switch (kind) {
    case DiffKind::Added: return "D021";
    case DiffKind::Removed: return "D022";
    case DiffKind::Changed: return "D023";
    case DiffKind::Moved: return "D024";
  }
  return "D023";
}

const char* verifyKindKey(VerifyKind kind) {
  switch (kind) {
    case VerifyKind::Missing: return "D032";
    case VerifyKind::New: return "D033";
    case VerifyKind::Changed: return "D023";
    case VerifyKind::Corrupt: return "D035";
    case VerifyKind::Unreadable: return "D036";
  }
  return "D023";
}

void addWarning(std::string& warnings, const std::string& warning) {
  if (!warning.empty()) warnings += "\n" + warning;
}

}  // namespace

TCompareForm::TCompareForm(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), volumes_(mountedVolumes) {
  setObjectName("TCompareForm");
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setModal(false);
  auto* column = new QVBoxLayout(this);
  lSummary_ = new QLabel(this);
  lSummary_->setObjectName("lSummary");
  lSummary_->setWordWrap(true);
  lSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(lSummary_);
  tvResults_ = new QTreeWidget(this);
  tvResults_->setObjectName("tvResults");
  tvResults_->setRootIsDecorated(false);
  tvResults_->setUniformRowHeights(true);
  tvResults_->header()->setStretchLastSection(true);
  column->addWidget(tvResults_, 1);
  auto* bottom = new QHBoxLayout;
  lProgress_ = new QLabel(this);
  lProgress_->setObjectName("lProgress");
  pbProgress_ = new QProgressBar(this);
  pbProgress_->setObjectName("pbProgress");
  pbProgress_->setTextVisible(false);
  pbProgress_->setMaximumWidth(220);
  bStop_ = new QPushButton(this);
  bStop_->setObjectName("bStop");
  setTag(bStop_, 95005);
  bClose_ = new QPushButton(this);
  bClose_->setObjectName("bClose");
  setTag(bClose_, 95004);
  bClose_->setDefault(true);
  bottom->addWidget(lProgress_, 1);
  bottom->addWidget(pbProgress_);
  bottom->addWidget(bStop_);
  bottom->addWidget(bClose_);
  column->addLayout(bottom);
  connect(bStop_, &QPushButton::clicked, this, [this] { bStopClick(); });
  connect(bClose_, &QPushButton::clicked, this, [this] { close(); });
  resize(860, 520);

  // The bar follows the bytes read again while a verification works.
  auto* poll = new QTimer(this);
  poll->setInterval(100);
  connect(poll, &QTimer::timeout, this, [this] {
    if (!task_.running() || !verifying_ || total_ == 0) return;
    pbProgress_->setRange(0, 1000);
    pbProgress_->setValue(static_cast<int>(done_ * 1000 / total_));
    lProgress_->setText(qtText(context_.language.format("D041", {FormatSize(static_cast<std::int64_t>(done_)),
                                                             FormatSize(static_cast<std::int64_t>(total_))})));
  });
  poll->start();
  ApplyLanguage();
  end(Outcome::None, QString());
}

TCompareForm::~TCompareForm() {
  task_.stop();
  task_.finishNow();
}

QString TCompareForm::message(const char* key) const { return qtText(context_.language.message(key)); }

void TCompareForm::ApplyLanguage() {
  ApplyInterfaceTexts(this, context_.language, true);
  if (verifying_)
    tvResults_->setHeaderLabels({message("D027"), message("D004"), message("D030")});
  else
    tvResults_->setHeaderLabels({message("D027"), message("D004"), message("D028"), message("D029")});
}

QString TCompareForm::summaryText() const { return lSummary_->text(); }

QStringList TCompareForm::whatWords() const { return {message("D044"), message("D045"), message("D046")}; }

QString TCompareForm::whatText(const QStringList& words, const std::vector<std::string>& what) {
  QStringList shown;
  for (const std::string& w : what) shown << (w == "size" ? words[0] : w == "time" ? words[1] : words[2]);
  return shown.join(", ");
}

void TCompareForm::begin(const QString& title) {
  setWindowTitle(title);
  ApplyLanguage();
  tvResults_->clear();
  lSummary_->setText(title);
  lProgress_->setText(message("D042"));
  pbProgress_->setRange(0, 0);  // busy until a verification knows its bytes
  pbProgress_->show();
  bStop_->setEnabled(true);
  outcome_ = Outcome::Running;
  done_ = 0;
  total_ = 0;
  show();
  raise();
  activateWindow();
}

void TCompareForm::end(Outcome outcome, const QString& summary) {
  outcome_ = outcome;
  if (!summary.isEmpty()) lSummary_->setText(summary);
  lProgress_->setText(outcome == Outcome::Stopped ? message("D013") : QString());
  pbProgress_->hide();
  bStop_->setEnabled(false);
  widenColumnsToContents(tvResults_);
}

void TCompareForm::diff(const std::string& first, const std::string& second) {
  verifying_ = false;
  auto out = std::make_shared<Compared>();
  begin(message("D042"));
  task_.start(
      [first, second, out](const std::atomic<bool>& stop) {
        try {
          CatalogFiles a = loadCatalogFiles(first);
          if (stop) return;
          CatalogFiles b = loadCatalogFiles(second);
          if (stop) return;
          // The catalog made first is the older state of the tree.
          if (b.header.CreateDateTime < a.header.CreateDateTime) std::swap(a, b);
          addWarning(out->warnings, a.warning);
          addWarning(out->warnings, b.warning);
          out->diff = diffCatalogs(a, b);
          out->older.header.CDLabel = a.header.CDLabel;
          out->newer.header.CDLabel = b.header.CDLabel;
        } catch (const std::exception& e) {
          out->trouble = e.what();
        }
      },
      [this, out](bool stopped) {
        if (stopped) return end(Outcome::Stopped, QString());
        if (!out->trouble.empty()) return end(Outcome::Trouble, qtText(out->trouble));
        setWindowTitle(qtText(context_.language.format(
            "D020", {out->older.header.CDLabel, out->newer.header.CDLabel})));
        std::map<DiffKind, QString> kinds;
        for (DiffKind k : {DiffKind::Added, DiffKind::Removed, DiffKind::Changed, DiffKind::Moved})
          kinds[k] = message(diffKindKey(k));
        const QStringList words = whatWords();
        QList<QTreeWidgetItem*> rows;
        for (const DiffItem& d : out->diff.items) {
          QString change = kinds[d.kind];
          if (!d.what.empty()) change += " (" + whatText(words, d.what) + ")";
          const bool removed = d.kind == DiffKind::Removed;
          QString before, after;
          if (d.kind == DiffKind::Moved) {
            before = qtText(d.oldPath);
            after = qtText(FormatSize(d.newSize));
          } else {
            if (d.kind != DiffKind::Added) before = sizeAndTime(d.oldSize, d.oldTime);
            if (!removed) after = sizeAndTime(d.newSize, d.newTime);
          }
          rows << new QTreeWidgetItem(QStringList{change, qtText(removed ? d.oldPath : d.newPath), before, after});
        }
        tvResults_->addTopLevelItems(rows);
        const CatalogDiff& diff = out->diff;
        QString summary = windowTitle() + "\n";
        summary += diff.same()
                       ? message("D026")
                       : qtText(context_.language.format(
                             "D025", {diff.added.count, FormatSize(diff.added.bytes), diff.removed.count,
                                      FormatSize(diff.removed.bytes), diff.changed.count,
                                      FormatSize(diff.changed.bytes), diff.moved.count,
                                      FormatSize(diff.moved.bytes)}));
        if (!out->warnings.empty()) summary += qtText(out->warnings);
        end(diff.same() ? Outcome::Same : Outcome::Differ, summary);
      });
}

void TCompareForm::verify(const std::string& catalog) {
  verifying_ = true;
  auto out = std::make_shared<Compared>();
  // The volumes are asked here: the thread touches nothing of the desktop.
  auto volumes = std::make_shared<std::vector<Volume>>(volumes_ ? volumes_() : std::vector<Volume>());
  begin(message("D042"));
  task_.start(
      [this, catalog, out, volumes](const std::atomic<bool>& stop) {
        try {
          out->older = loadCatalogFiles(catalog);
        } catch (const std::exception& e) {
          out->trouble = catalog + ": " + e.what();
          return;
        }
        addWarning(out->warnings, out->older.warning);
        const TSCCDInfo& h = out->older.header;
        const std::optional<std::string> base = findMediumBase(h, *volumes);
        if (!base) {
          out->noMedium = true;
          return;
        }
        out->report = MediumVerifier::verify(out->older, *base, [this, &stop](std::uint64_t done, std::uint64_t total) {
          done_ = done;
          total_ = total;
          return !stop;
        });
      },
      [this, out](bool stopped) {
        const std::string& label = out->older.header.CDLabel;
        setWindowTitle(qtText(context_.language.format("D031", {label})));
        if (stopped || out->report.cancelled) return end(Outcome::Stopped, QString());
        if (out->noMedium)
          out->trouble = context_.language.format("D037", {label, out->older.header.CreateSerial});
        if (!out->trouble.empty()) return end(Outcome::Trouble, windowTitle() + "\n" + qtText(out->trouble));
        // Texts are looked up once, not once per row.
        std::map<VerifyKind, QString> kinds;
        for (VerifyKind k : {VerifyKind::Missing, VerifyKind::New, VerifyKind::Changed,
                             VerifyKind::Corrupt, VerifyKind::Unreadable})
          kinds[k] = message(verifyKindKey(k));
        const QStringList words = whatWords();
        QList<QTreeWidgetItem*> rows;
        for (const VerifyItem& v : out->report.items)
          rows << new QTreeWidgetItem(QStringList{kinds[v.kind], qtText(v.path), whatText(words, v.what)});
        tvResults_->addTopLevelItems(rows);
        const VerifyReport& r = out->report;
        QString summary = windowTitle() + "\n" + qtText(r.base) + "\n" +
                          qtText(context_.language.format("D038", {r.checked, r.rehashed})) + " ";
        summary += r.matches() ? message("D039")
                               : qtText(context_.language.format("D040", {static_cast<std::int64_t>(r.items.size())}));
        if (!out->warnings.empty()) summary += qtText(out->warnings);
        end(r.matches() ? Outcome::Same : Outcome::Differ, summary);
      });
}

}  // namespace kolvex
