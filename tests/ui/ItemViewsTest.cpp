// The columns of the detailed lists: widened to what they show, and the name column
// giving way so that a very long name never pushes the other columns out of sight.
#include <QAbstractItemView>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

#include "ui/common/ItemViews.h"

using namespace kolvex;

namespace {

// The right edge of the last shown column, in viewport pixels.
int columnsEnd(const QTreeView& view) {
  const QHeaderView* h = view.header();
  const int last = h->count() - 1;
  return h->sectionViewportPosition(last) + h->sectionSize(last);
}

void fill(QStandardItemModel& model, const QString& name) {
  model.setHorizontalHeaderLabels({"Name", "Description", "Date", "Size"});
  model.appendRow({new QStandardItem(name), new QStandardItem("plain text document"),
                   new QStandardItem("12/09/2026 04:20:59"), new QStandardItem("307200")});
  model.appendRow({new QStandardItem("short.txt"), new QStandardItem("unknown"),
                   new QStandardItem("03/15/2024 14:05:08"), new QStandardItem("3")});
}

}  // namespace

class ItemViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void aLongNameLeavesTheOtherColumnsInSightAtEverySize() {
    QStandardItemModel model;
    fill(model, QString("a_very_long_file_name_").repeated(12) + ".txt");
    QTreeView view;
    view.setModel(&model);
    view.header()->setStretchLastSection(false);
    fitColumnsOnResize(&view);
    view.resize(500, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    widenColumnsToContents(&view);
    const int narrowName = view.header()->sectionSize(0);
    QCOMPARE_LE(columnsEnd(view), view.viewport()->width());
    QCOMPARE_GE(narrowName, kLeastNameWidth);
    // The other columns show their whole texts.
    for (int c = 1; c < 4; ++c)
      QCOMPARE_GE(view.header()->sectionSize(c), static_cast<const QAbstractItemView&>(view).sizeHintForColumn(c));

    // Maximised: the name gets room, the others stay in sight.
    view.resize(1400, 300);
    QCoreApplication::processEvents();
    QCOMPARE_GT(view.header()->sectionSize(0), narrowName);
    QCOMPARE_LE(columnsEnd(view), view.viewport()->width());

    // Back to a small window: the name gives the room back, but not below its least width.
    view.resize(300, 300);
    QCoreApplication::processEvents();
    QCOMPARE(view.header()->sectionSize(0), kLeastNameWidth);
  }

  void shortNamesAndAStretchingLastColumnKeepTheirWidths() {
    QStandardItemModel model;
    fill(model, "notes.txt");
    QTreeView view;
    view.setModel(&model);
    view.header()->setStretchLastSection(true);
    view.resize(700, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setColumnWidth(0, 160);  // chosen by the user
    widenColumnsToContents(&view);
    QCOMPARE(view.header()->sectionSize(0), 160);
    // The date column is whole, whatever the stretching last column takes.
    QCOMPARE_GE(view.header()->sectionSize(2), static_cast<const QAbstractItemView&>(view).sizeHintForColumn(2));
    QCOMPARE_LE(view.header()->sectionViewportPosition(3), view.viewport()->width());
  }
};

QTEST_MAIN(ItemViewsTest)
#include "ItemViewsTest.moc"
