#pragma once
// The picture sub-objects. Their payloads are stored and passed on unchanged; decoding
// and drawing belong to the windows.
#include <string>

#include "core/persist/Persistent.h"

namespace kolvex {

// A picture whose extra property "Data" is one Binary value.
class TGraphic : public SubObject {
 public:
  std::string_view extraName() const override { return "Data"; }
  bool hasContent() const override { return !bytes_.empty(); }
  void writeExtra(ValueWriter& out) const override;
  void readExtra(ValueReader& in) override;
  void clear() override { bytes_.clear(); }

  bool empty() const { return bytes_.empty(); }
  // The picture's file bytes (icon file image, JPEG file, bitmap file).
  const std::string& bytes() const { return bytes_; }
  void setBytes(std::string bytes) { bytes_ = std::move(bytes); }

 protected:
  // The Binary payload written for the picture, and its check and decoding when read.
  virtual std::string payload() const = 0;
  virtual void loadPayload(std::string&& payload) = 0;
  std::string bytes_;
};

// An icon: the payload is the icon file image itself.
class TIcon final : public TGraphic {
 protected:
  std::string payload() const override { return bytes_; }
  void loadPayload(std::string&& payload) override;
};

// A JPEG image: the payload is a 4-byte length and the JPEG file data.
class TJPEGImage final : public TGraphic {
 protected:
  std::string payload() const override;
  void loadPayload(std::string&& payload) override;
};

// A bitmap: the payload is a 4-byte length and a bitmap file beginning with "BM".
class TBitmap final : public TGraphic {
 protected:
  std::string payload() const override;
  void loadPayload(std::string&& payload) override;
};

}  // namespace kolvex
