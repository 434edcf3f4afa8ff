#include "ui/common/ChoiceMenu.h"

#include <QActionGroup>
#include <QMenu>

namespace kolvex {

void markChoiceOnShow(QMenu* menu, std::function<int()> current) {
  auto* group = new QActionGroup(menu);
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) continue;
    a->setCheckable(true);
    group->addAction(a);
  }
  QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, current = std::move(current)] {
    const int now = current();
    for (QAction* a : menu->actions())
      if (a->isCheckable()) a->setChecked(a->data().toInt() == now);
  });
}

}  // namespace kolvex
