#include "ui/common/Skin.h"

namespace kolvex {
namespace {

QImage decode(const std::string& bytes, const char* format) {
  if (bytes.empty()) return {};
  return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                          static_cast<int>(bytes.size()), format);
}

}  // namespace

QImage Skin::decodeJpeg(const TJPEGImage& image) { return decode(image.bytes(), "JPEG"); }

QImage Skin::decodeBitmap(const TBitmap& bitmap) { return decode(bitmap.bytes(), "BMP"); }

void Skin::load(const TSCInterfacePack& pack) {
  FlatMask = decodeBitmap(*pack.FlatMask);
  LeftBar = decodeJpeg(*pack.LeftBar);
  ITop = decodeJpeg(*pack.ITop);
  IBottom = decodeJpeg(*pack.IBottom);
  ILeft = decodeJpeg(*pack.ILeft);
  IRight = decodeJpeg(*pack.IRight);
  IFace = decodeJpeg(*pack.IFace);
  ILeftTop = decodeJpeg(*pack.ILeftTop);
  IRightTop = decodeJpeg(*pack.IRightTop);
  ILeftBot = decodeJpeg(*pack.ILeftBot);
  IRightBot = decodeJpeg(*pack.IRightBot);
  TopBanner = decodeJpeg(*pack.TopBanner);
}

const QImage& Skin::forTag(int tag) const {
  switch (tag) {
    case 1:
      return ITop;
    case 2:
      return IBottom;
    case 3:
      return ILeft;
    case 4:
      return IRight;
    case 5:
      return IFace;
    default:
      return none_;
  }
}

}  // namespace kolvex
