#pragma once
// Captions and hints of windows and views by component number (tag), from and into the
// current language file. A component carries its number in the property "tag"; numbers
// below 10000 are not translated.
#include <QString>
#include <vector>

#include "core/app/LanguageFile.h"

class QDialog;
class QObject;
class QSize;
class QWidget;

namespace kolvex {

void setTag(QObject* component, int tag);
int tagOf(const QObject* component);

// Sets the caption and the hint of every numbered component that the owner holds, in
// creation order, even to empty texts. Views inside the owner are left to apply their
// own. A top-level owner also takes its own texts and the language's font; a font size
// that is not a whole number throws EConvertError after the texts are set.
void ApplyInterfaceTexts(QWidget* owner, LanguageFile& language, bool topLevel);

// A fixed-border dialog in the current language: its texts and font, and a size that
// fits them, never below least (the size it is designed for).
void ApplyDialogTexts(QDialog* dialog, LanguageFile& language, const QSize& least);

// The non-empty captions and hints of the same components, for saving into a language
// file; the first component of a number speaks for all that share it.
std::vector<InterfaceText> CollectInterfaceTexts(QWidget* owner, bool topLevel);

// A caption as a Qt label shows it: "&&" becomes "&", a single "&" (an accelerator) goes.
QString withoutAccelerator(const QString& caption);

}  // namespace kolvex
