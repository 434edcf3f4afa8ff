#pragma once
// Kinds of file from the desktop's MIME database (shared-mime-info through Qt Core), by
// extension: the media type for images, audio and video, the database's generic icon
// for archives and documents. Needs no window, so kolvex-cli uses it as well.
#include "core/report/FileKind.h"

namespace kolvex {

class QtFileKindClassifier final : public FileKindClassifier {
 public:
  FileKind kindOfExtension(const std::string& extension) override;
};

}  // namespace kolvex
