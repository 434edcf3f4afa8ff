#pragma once
#include <memory>
#include <string>

#include "core/persist/Graphics.h"
#include "core/persist/Persistent.h"

namespace kolvex {

inline constexpr std::int32_t faReadOnly = 1;
inline constexpr std::int32_t faHidden = 2;
inline constexpr std::int32_t faSysFile = 4;
inline constexpr std::int32_t faVolumeID = 8;
inline constexpr std::int32_t faDirectory = 16;
inline constexpr std::int32_t faArchive = 32;
inline constexpr std::int32_t faReparsePoint = 1024;

// No record: the end of a chain, a directory without files or without sub-directories.
inline constexpr std::int64_t kNoRecord = -1;

// One file or directory of a catalog: the record's fields, in the order they are stored.
// Tree nodes, list items and search hits keep a plain copy (snapshotOf) while the reading
// object is reused; the icons are then the reading object's, shared.
struct TTFileObjectInfo {
  std::string FileName;
  std::string FilePath;
  std::shared_ptr<TIcon> EXEIconSmall;
  std::shared_ptr<TIcon> EXEIconLarge;
  double CreateDateTime = 0.0;
  std::int32_t Attribute = 0;
  std::string PEVersion;
  std::string PECopyright;
  std::string PEDescription;
  std::int64_t BrotherRP = 0;
  std::int64_t ChildFileRP = 0;
  std::int64_t ChildDirRP = 0;
  std::int64_t FileSize = 0;
  std::int32_t FilesUnderMe = 0;
  std::int32_t DirsUnderMe = 0;
  std::int32_t FilesOnlyUM = 0;
  std::int32_t DirsOnlyUM = 0;

  bool isDirectory() const { return (Attribute & faDirectory) != 0; }
};

// The persisted record: every field of the record is published, and both icons exist
// (empty when the file has none).
class TSCFileObjectInfo final : public Persistent, public TTFileObjectInfo {
 public:
  TSCFileObjectInfo() {
    EXEIconSmall = std::make_shared<TIcon>();
    EXEIconLarge = std::make_shared<TIcon>();
  }
  std::string_view className() const override { return "TSCFileObjectInfo"; }
  std::span<const PropertyInfo> properties() const override;
  // Resets all 17 properties (ClearCurrFile).
  void clear();
};

inline TTFileObjectInfo snapshotOf(const TSCFileObjectInfo& record) { return record; }

}  // namespace kolvex
