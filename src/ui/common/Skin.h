#pragma once
// The interface package's pictures, decoded once for painting: JPEG through Qt's image
// reader, the mask from its "BM" bitmap file. A picture that is missing or cannot be
// decoded is a null image and paints nothing.
#include <QImage>

#include "core/persist/TSCInterfacePack.h"

namespace kolvex {

class Skin {
 public:
  Skin() = default;
  explicit Skin(const TSCInterfacePack& pack) { load(pack); }
  void load(const TSCInterfacePack& pack);

  static QImage decodeJpeg(const TJPEGImage& image);
  static QImage decodeBitmap(const TBitmap& bitmap);

  // The picture a paint box of this tag tiles (1 ITop ... 5 IFace); null for other tags.
  const QImage& forTag(int tag) const;

  QImage FlatMask, LeftBar, ITop, IBottom, ILeft, IRight, IFace, ILeftTop, IRightTop, ILeftBot,
      IRightBot, TopBanner;

 private:
  QImage none_;
};

}  // namespace kolvex
