// Every view and dialog in English and German, at the size the program opens with and
// maximised: no label, button or column caption may show less than its whole text. A
// label measures what its text needs (its size hint, or for a wrapping label the height
// for its width and its longest word) against what it got. With KOLVEX_SHOTS_DIR set, a
// picture of each is saved there to be looked at.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include "ui/shell/ViewRegistry.h"
#include "ui/common/ElidedLabel.h"
#include "ui/common/SkinWidgets.h"
#include "ui/options/TOptionsFrame.h"
#include "ui/options/TTransTestForm.h"
#include "ui/archives/ArchiveListModel.h"
#include "ui/archives/ArchiveListView.h"
#include "ui/archives/TArchiveManFrame.h"
#include "ui/archives/TModifyArchiveForm.h"
#include "ui/catalog/DesktopScanRunner.h"
#include "ui/catalog/TAddArchiveForm.h"
#include "ui/catalog/TAddingForm.h"
#include "ui/catalog/TFlatAddingForm.h"
#include "ui/compare/TCompareForm.h"
#include "ui/duplicates/TDuplicatesForm.h"
#include "ui/explorer/TArchiveExplorerFrame.h"
#include "ui/search/SearchResultModel.h"
#include "ui/search/TSearchFrame.h"
#include "ui/support/WalkData.h"

using namespace kolvex;
using namespace kolvex::test;

namespace {

// What a text needs, against the room its widget got; one line per text that is cut.
class FitCheck {
 public:
  void check(QWidget* window, const QString& where) {
    QCoreApplication::processEvents();
    const QString shots = qEnvironmentVariable("KOLVEX_SHOTS_DIR");
    if (!shots.isEmpty()) {
      QDir().mkpath(shots);
      window->grab().save(shots + "/" + where + ".png");
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisible() || w->window() != window) continue;
      if (auto* l = qobject_cast<QLabel*>(w)) checkLabel(l, where);
      if (auto* b = qobject_cast<QAbstractButton*>(w)) checkButton(b, where);
      if (auto* h = qobject_cast<QHeaderView*>(w)) checkHeader(h, where);
      if (auto* t = qobject_cast<QTextEdit*>(w)) checkTextBox(t, where);
    }
  }
  QStringList misfits;

 private:
  // The part of a widget its parents leave in sight: a widget laid out wider than the box
  // it sits in is cut by the box's edge, whatever its own size says.
  static QSize shown(const QWidget* w) {
    QRect visible(QPoint(0, 0), w->size());
    QPoint offset(0, 0);
    for (const QWidget* p = w; p && !p->isWindow(); p = p->parentWidget()) {
      offset += p->pos();
      const QWidget* parent = p->parentWidget();
      if (!parent) break;
      // What a scroll area holds is all there: the user scrolls to it.
      if (qobject_cast<const QAbstractScrollArea*>(parent->parentWidget())) break;
      visible &= QRect(-offset, parent->size());
    }
    return visible.isValid() ? visible.size() : QSize(0, 0);
  }

  void cut(const QString& where, const QWidget* w, const QString& text, QSize need, QSize got) {
    misfits << QString("%1: %2 %3 \"%4\" needs %5x%6, has %7x%8")
                   .arg(where, w->metaObject()->className(), w->objectName(), text)
                   .arg(need.width())
                   .arg(need.height())
                   .arg(got.width())
                   .arg(got.height());
  }

  void checkLabel(QLabel* l, const QString& where) {
    const QString text = l->text();
    if (text.isEmpty() || l->property(ElidedLabel::kElidesProperty).toBool()) return;
    if (l->textFormat() != Qt::PlainText && Qt::mightBeRichText(text)) return;
    const QSize got = shown(l);
    if (!l->wordWrap()) {
      const QSize need = l->sizeHint();
      if (need.width() > got.width() + 1 || need.height() > got.height() + 1)
        cut(where, l, text, need, got);
      return;
    }
    const int height = l->heightForWidth(l->width());
    if (height > got.height() + 1 || l->width() > got.width() + 1)
      cut(where, l, text, {l->width(), height}, got);
    // A word longer than the line cannot wrap and is cut at the edge.
    static const QRegularExpression breaks("[\\s\\x{200B}]+");
    const int room = l->contentsRect().width() - 2 * l->margin() - l->indent();
    for (const QString& word : text.split(breaks, Qt::SkipEmptyParts)) {
      const int wide = l->fontMetrics().horizontalAdvance(word);
      if (wide > room + 1) cut(where, l, word, {wide, l->height()}, {room, l->height()});
    }
  }

  // A button's size hint, except that a push button's hint also holds the wish of dialog
  // buttons to be 80 pixels wide: for those the caption and the frame around it count.
  void checkButton(QAbstractButton* b, const QString& where) {
    if (b->text().isEmpty() || qobject_cast<GlyphButton*>(b)) return;
    int need = b->sizeHint().width();
    if (qobject_cast<QPushButton*>(b) && b->icon().isNull())
      need = b->fontMetrics().size(Qt::TextShowMnemonic, b->text()).width() + 8;
    const QSize got = shown(b);
    if (need > got.width() + 1) cut(where, b, b->text(), {need, b->height()}, got);
  }

  // A text box without a vertical scroll bar must show all of its lines.
  void checkTextBox(QTextEdit* t, const QString& where) {
    if (t->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff || t->toPlainText().isEmpty()) return;
    const int need = static_cast<int>(t->document()->size().height());
    const int got = std::min(t->viewport()->height(), shown(t).height());
    if (need > got + 1) cut(where, t, t->toPlainText(), {t->width(), need}, {t->width(), got});
  }

  void checkHeader(QHeaderView* h, const QString& where) {
    if (h->orientation() != Qt::Horizontal) return;
    for (int i = 0; i < h->count(); ++i) {
      if (h->isSectionHidden(i)) continue;
      const int need = h->sectionSizeHint(i);
      if (need > h->sectionSize(i) + 1) {
        const QString caption = h->model()->headerData(i, Qt::Horizontal).toString();
        cut(where, h, caption, {need, h->height()}, {h->sectionSize(i), h->height()});
      }
    }
  }
};

// The main window as large as a maximised window on a 1600×1000 desktop.
void maximise(TVORN_MainForm& form) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen && screen->availableGeometry().width() >= 1280) {
    form.showMaximized();
  } else {
    form.showNormal();
    form.setGeometry(0, 0, 1600, 1000);
  }
  QCoreApplication::processEvents();
}

}  // namespace

class LayoutFitTest : public QObject {
  Q_OBJECT

 private slots:
  void everyTextFitsInBothLanguagesAndSizes() {
    WalkProgram walk;
    TVORN_MainForm& form = walk.form();
    FitCheck fit;
    for (const std::string language : {"English", "German"}) {
      walk.setLanguage(language);
      for (const bool large : {false, true}) {
        if (large) {
          maximise(form);
        } else {
          form.showNormal();
          form.resize(TVORN_MainForm::kClientWidth, TVORN_MainForm::kClientHeight);
        }
        const QString at = QString::fromStdString(language) + (large ? "-max" : "-default");
        walkViews(walk, fit, at);
      }
      form.showNormal();
      form.resize(TVORN_MainForm::kClientWidth, TVORN_MainForm::kClientHeight);
      walkDialogs(walk, fit, QString::fromStdString(language));
    }
    for (const QString& misfit : fit.misfits) qWarning("%s", qPrintable(misfit));
    QVERIFY2(fit.misfits.isEmpty(), "texts are cut off (listed above)");
  }

 private:
  void walkViews(WalkProgram& walk, FitCheck& fit, const QString& at) {
    TVORN_MainForm& form = walk.form();
    // The manager with a catalog selected, in icons and in columns.
    form.ShowView(viewIndexOf("TArchiveManFrame"));
    TArchiveManFrame& manager = walk.manager();
    const int row = rowOf(manager, walk.awkwardCatalog());
    manager.List()->selectRow(row);
    manager.List()->setStyle(ArchiveListView::Style::Icon);
    fit.check(&form, at + "-manager");
    manager.List()->setStyle(ArchiveListView::Style::Detailed);
    fit.check(&form, at + "-manager-details");

    // The explorer in a folder with a long-named entry selected, as icons and as columns.
    form.ShowView(viewIndexOf("TArchiveExplorerFrame"));
    TArchiveExplorerFrame& explorer = walk.explorer();
    explorer.BrowseArchive(walk.awkwardCatalog(), "X:\\",
                           "eine_datei_mit_einem_sehr_langen_namen_ohne_leerzeichen_2001.txt");
    explorer.setListStyle(TArchiveExplorerFrame::kLargeIcons);
    fit.check(&form, at + "-explorer");
    explorer.setListStyle(TArchiveExplorerFrame::kDetails);
    fit.check(&form, at + "-explorer-details");
    if (!walk.docCatalog().empty()) {
      explorer.BrowseArchive(walk.docCatalog(), "", "");
      fit.check(&form, at + "-explorer-doc");
    }

    // The search with its hits in columns, one selected.
    form.ShowView(viewIndexOf("TSearchFrame"));
    TSearchFrame& search = walk.search();
    search.findChild<QLineEdit*>("eMask")->setText("*");
    search.SearchOnly(walk.awkwardCatalog());
    search.findChild<QToolButton*>("sbSearch")->click();
    search.setListStyle(TSearchFrame::kReportStyle);
    search.selectRow(search.results().rowCount() - 1);
    fit.check(&form, at + "-search");
    search.setListStyle(TSearchFrame::kIconStyle);
    fit.check(&form, at + "-search-icons");
    for (const char* button : {"bSearchFor", "bDate", "bSize", "bAttr"}) {
      search.findChild<QPushButton*>(button)->click();
      for (const char* enable : {"cbEnableDate", "cbEnableSize"})
        search.findChild<QCheckBox*>(enable)->setChecked(true);
      fit.check(&form, at + "-search-" + button);
    }
    for (const char* enable : {"cbEnableDate", "cbEnableSize"})
      search.findChild<QCheckBox*>(enable)->setChecked(false);
    search.findChild<QWidget*>("sbSearchOptions")->setFocus();

    // The options' three pages, and the about view.
    form.ShowView(viewIndexOf("TOptionsFrame"));
    for (const char* page : {"sbGeneral", "sbAdvanced", "sbLanguage"}) {
      walk.options().findChild<QToolButton*>(page)->click();
      fit.check(&form, at + "-options-" + page);
    }
    form.ShowView(viewIndexOf("TAboutFrame"));
    fit.check(&form, at + "-about");
  }

  void walkDialogs(WalkProgram& walk, FitCheck& fit, const QString& at) {
    TArchiveManFrame& manager = walk.manager();
    TAddArchiveForm* add = manager.AddArchiveForm();
    add->SetVolumePath(walk.awkwardFolder());
    add->show();
    fit.check(add, at + "-add");
    add->hide();

    TModifyArchiveForm* modify = manager.ModifyArchiveForm();
    QVERIFY(modify->SetArchive(walk.awkwardCatalog()));
    modify->show();
    fit.check(modify, at + "-modify");
    modify->hide();

    ScanWindows& windows = manager.Scans()->windows();
    windows.setVolume("1261094350_usr_share_doc");
    windows.setStatus("A005", walk.form().Language().message("A005"));
    windows.addingForm()->show();
    fit.check(windows.addingForm(), at + "-adding");
    windows.addingForm()->hide();
    windows.flatAddingForm()->show();
    fit.check(windows.flatAddingForm(), at + "-flat");
    windows.flatAddingForm()->hide();

    // The duplicates of every catalog with a copy selected, and a comparison of two.
    TDuplicatesForm* dupes = manager.Duplicates();
    manager.miFindDuplicatesClick();
    dupes->finishNow();
    dupes->selectCopy(0, 0);
    fit.check(dupes, at + "-duplicates");
    dupes->hide();
    TCompareForm* compare = manager.Compare();
    compare->diff(walk.awkwardCatalog(), walk.awkwardCatalog());
    compare->finishNow();
    fit.check(compare, at + "-compare");
    compare->hide();

    TTransTestForm test;
    test.show();
    fit.check(&test, at + "-transparency-test");
  }

  static int rowOf(TArchiveManFrame& manager, const std::string& catalog) {
    for (int r = 0; r < manager.Model()->rowCount(); ++r)
      if (manager.Model()->row(r).path.toStdString() == catalog) return r;
    return -1;
  }
};

QTEST_MAIN(LayoutFitTest)
#include "LayoutFitTest.moc"
