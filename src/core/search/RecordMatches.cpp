#include "core/search/RecordMatches.h"

#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {
namespace {

bool attributesPass(std::int32_t attribute, std::uint8_t chosen) {
  if (chosen & kAttrAnyFile) return true;
  return ((chosen & kAttrHidden) && (attribute & faHidden)) ||
         ((chosen & kAttrSystem) && (attribute & faSysFile)) ||
         ((chosen & kAttrReadOnly) && (attribute & faReadOnly)) ||
         ((chosen & kAttrArchive) && (attribute & faArchive));
}

}  // namespace

bool RecordMatches(const RecordView& record, const TUSearch& criteria, TMaskList& masks) {
  if (!masks.matches(NameUnderTest(record))) return false;
  const std::uint8_t kind = (record.Attribute & faDirectory) ? kSearchDirectories : kSearchFiles;
  if (!(criteria.SearchFor & kind)) return false;
  if (!attributesPass(record.Attribute, criteria.Attributes)) return false;
  if (criteria.DateEnabled &&
      !(criteria.DateFrom <= record.CreateDateTime && record.CreateDateTime <= criteria.DateTo))
    return false;
  if (criteria.SizeEnabled &&
      !(criteria.MinSize <= record.FileSize && record.FileSize <= criteria.MaxSize))
    return false;
  return true;
}

}  // namespace kolvex
