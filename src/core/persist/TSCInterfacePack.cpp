#include "core/persist/TSCInterfacePack.h"

namespace kolvex {

std::span<const PropertyInfo> TSCInterfacePack::properties() const {
  using C = TSCInterfacePack;
  static const PropertyInfo table[] = {
      published<&C::FlatMask>("FlatMask"),   published<&C::LeftBar>("LeftBar"),
      published<&C::ITop>("ITop"),           published<&C::IBottom>("IBottom"),
      published<&C::ILeft>("ILeft"),         published<&C::IRight>("IRight"),
      published<&C::IFace>("IFace"),         published<&C::ILeftTop>("ILeftTop"),
      published<&C::IRightTop>("IRightTop"), published<&C::ILeftBot>("ILeftBot"),
      published<&C::IRightBot>("IRightBot"), published<&C::TopBanner>("TopBanner"),
  };
  return table;
}

const TJPEGImage* TSCInterfacePack::imageForTag(int tag) const {
  switch (tag) {
    case 1: return ITop.get();
    case 2: return IBottom.get();
    case 3: return ILeft.get();
    case 4: return IRight.get();
    case 5: return IFace.get();
    default: return nullptr;
  }
}

}  // namespace kolvex
