#include "ui/common/InterfaceTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <functional>
#include <set>

#include "ui/common/KolvexView.h"
#include "ui/common/QtText.h"

namespace kolvex {
namespace {

constexpr const char* kTagProperty = "tag";

// Every QObject the owner holds, depth first in creation order, without descending into
// nested views or into the owner's own dialogs and progress windows (each holds its own
// components and takes its texts itself).
void forEachComponent(QObject* owner, const std::function<void(QObject*)>& visit) {
  for (QObject* child : owner->children()) {
    if (auto* w = qobject_cast<QWidget*>(child); w && w->isWindow() && w->windowType() != Qt::Popup)
      continue;
    visit(child);
    if (qobject_cast<KolvexView*>(child)) continue;
    forEachComponent(child, visit);
  }
}

void setCaption(QObject* c, const QString& caption) {
  if (auto* b = qobject_cast<QAbstractButton*>(c))
    b->setText(caption);
  else if (auto* e = qobject_cast<QLineEdit*>(c))
    e->setText(caption);
  else if (auto* l = qobject_cast<QLabel*>(c))
    l->setText(l->buddy() ? caption : withoutAccelerator(caption));
  else if (auto* g = qobject_cast<QGroupBox*>(c))
    g->setTitle(caption);
  else if (auto* m = qobject_cast<QMenu*>(c))
    m->setTitle(caption);
  else if (auto* a = qobject_cast<QAction*>(c))
    a->setText(caption);
  else if (auto* w = qobject_cast<QWidget*>(c); w && w->isWindow())
    w->setWindowTitle(caption);
}

void setHint(QObject* c, const QString& hint) {
  if (auto* m = qobject_cast<QMenu*>(c))
    m->menuAction()->setToolTip(hint);
  else if (auto* a = qobject_cast<QAction*>(c))
    a->setToolTip(hint);
  else if (auto* w = qobject_cast<QWidget*>(c))
    w->setToolTip(hint);
}

QString captionOf(const QObject* c) {
  if (auto* b = qobject_cast<const QAbstractButton*>(c)) return b->text();
  if (auto* e = qobject_cast<const QLineEdit*>(c)) return e->text();
  if (auto* l = qobject_cast<const QLabel*>(c)) return l->text();
  if (auto* g = qobject_cast<const QGroupBox*>(c)) return g->title();
  if (auto* m = qobject_cast<const QMenu*>(c)) return m->title();
  if (auto* a = qobject_cast<const QAction*>(c)) return a->text();
  if (auto* w = qobject_cast<const QWidget*>(c); w && w->isWindow()) return w->windowTitle();
  return {};
}

QString hintOf(const QObject* c) {
  if (auto* m = qobject_cast<const QMenu*>(c)) return m->menuAction()->toolTip();
  if (auto* a = qobject_cast<const QAction*>(c))
    return a->toolTip() == a->text() ? QString() : a->toolTip();
  if (auto* w = qobject_cast<const QWidget*>(c)) return w->toolTip();
  return {};
}

void apply(QObject* c, LanguageFile& language) {
  const int tag = tagOf(c);
  if (tag < LanguageFile::kFirstTag) return;
  setHint(c, qtText(language.hint(tag)));
  setCaption(c, qtText(language.caption(tag)));
}

}  // namespace

void setTag(QObject* component, int tag) { component->setProperty(kTagProperty, tag); }

int tagOf(const QObject* component) { return component->property(kTagProperty).toInt(); }

QString withoutAccelerator(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size())
      ++i;
    else if (caption[i] == '&')
      continue;
    out += caption[i];
  }
  return out;
}

void ApplyInterfaceTexts(QWidget* owner, LanguageFile& language, bool topLevel) {
  forEachComponent(owner, [&](QObject* c) { apply(c, language); });
  if (!topLevel) return;
  apply(owner, language);
  QFont font = owner->font();
  FontChoice chosen = language.font({font.family().toStdString(), font.pointSize()});
  font.setFamily(qtText(chosen.name));
  if (chosen.size > 0) font.setPointSize(chosen.size);
  owner->setFont(font);
}

void ApplyDialogTexts(QDialog* dialog, LanguageFile& language, const QSize& least) {
  ApplyInterfaceTexts(dialog, language, true);
  if (QLayout* layout = dialog->layout()) layout->activate();
  // The smallest size that shows every text; a text box gets what is left above that.
  dialog->setFixedSize(dialog->minimumSizeHint().expandedTo(least));
}

std::vector<InterfaceText> CollectInterfaceTexts(QWidget* owner, bool topLevel) {
  std::vector<InterfaceText> out;
  std::set<int> seen;
  auto collect = [&](QObject* c) {
    const int tag = tagOf(c);
    if (tag < LanguageFile::kFirstTag || !seen.insert(tag).second) return;
    InterfaceText t{tag, captionOf(c).toStdString(), hintOf(c).toStdString()};
    if (!t.caption.empty() || !t.hint.empty()) out.push_back(std::move(t));
  };
  if (topLevel) collect(owner);
  forEachComponent(owner, collect);
  return out;
}

}  // namespace kolvex
