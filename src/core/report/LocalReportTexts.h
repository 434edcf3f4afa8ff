#pragma once
// The HTML report's captions in the program's language.
#include "core/app/LanguageFile.h"
#include "core/report/ReportTexts.h"

namespace kolvex {

// Each caption from the language file; the English one where the file lacks it. The
// page's language tag is the file's locale ("de"), else "en".
ReportTexts LocalReportTexts(LanguageFile& language);

}  // namespace kolvex
