#pragma once
#include <array>
#include <memory>

#include "core/persist/Graphics.h"
#include "core/persist/Persistent.h"

namespace kolvex {

// The skin pictures of the program, kept in "IPack.ipk".
class TSCInterfacePack final : public Persistent {
 public:
  std::string_view className() const override { return "TSCInterfacePack"; }
  std::span<const PropertyInfo> properties() const override;

  std::shared_ptr<TBitmap> FlatMask = std::make_shared<TBitmap>();
  std::shared_ptr<TJPEGImage> LeftBar = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> ITop = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> IBottom = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> ILeft = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> IRight = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> IFace = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> ILeftTop = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> IRightTop = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> ILeftBot = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> IRightBot = std::make_shared<TJPEGImage>();
  std::shared_ptr<TJPEGImage> TopBanner = std::make_shared<TJPEGImage>();

  // The image a paint box of the given tag tiles: 1 ITop, 2 IBottom, 3 ILeft, 4 IRight,
  // 5 IFace; null for any other tag.
  const TJPEGImage* imageForTag(int tag) const;
};

}  // namespace kolvex
