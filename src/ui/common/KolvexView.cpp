#include "ui/common/KolvexView.h"

#include <exception>

#include "ui/common/InterfaceTexts.h"

namespace kolvex {

KolvexView::KolvexView(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

void KolvexView::ApplyLanguage() { ApplyInterfaceTexts(this, context_.language, false); }

void KolvexView::SaveInterface() {
  try {
    context_.language.saveInterfaceTexts(CollectInterfaceTexts(this, false));
  } catch (const std::exception& e) {
    context_.dialogs.message(MessageKind::Error, e.what());
  }
}

}  // namespace kolvex
