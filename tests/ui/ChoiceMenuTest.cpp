// Style menus mark the style in force when they open, also after it changed elsewhere.
#include <QAction>
#include <QMenu>
#include <QTest>

#include "ui/common/ChoiceMenu.h"

using namespace kolvex;

class ChoiceMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void theMarkFollowsTheChoiceInForceAndStaysExclusive() {
    QMenu menu;
    QAction* items[3];
    for (int i = 0; i < 3; ++i) {
      items[i] = menu.addAction(QString::number(i));
      items[i]->setData(i * 10);  // values need not be places
    }
    QAction* line = menu.addSeparator();
    int inForce = 20;
    markChoiceOnShow(&menu, [&] { return inForce; });

    emit menu.aboutToShow();
    QVERIFY(!items[0]->isChecked() && !items[1]->isChecked() && items[2]->isChecked());
    QVERIFY(!line->isCheckable());

    inForce = 0;  // changed without the menu (a saved style restored)
    emit menu.aboutToShow();
    QVERIFY(items[0]->isChecked() && !items[2]->isChecked());

    items[1]->trigger();  // choosing from the menu moves the one mark
    QVERIFY(items[1]->isChecked() && !items[0]->isChecked());

    inForce = 99;  // a choice the menu does not hold: nothing marked
    emit menu.aboutToShow();
    for (QAction* a : items) QVERIFY(!a->isChecked());
  }
};

QTEST_MAIN(ChoiceMenuTest)
#include "ChoiceMenuTest.moc"
