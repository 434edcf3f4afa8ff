#include "core/index/CatalogIdentity.h"

namespace kolvex::index {

std::optional<CatalogIdentity> identityOf(const MappedFile& catalog, std::uint64_t recordBase) {
  if (recordBase > catalog.size()) return std::nullopt;
  const struct stat& st = catalog.status();
  CatalogIdentity id;
  id.device = static_cast<std::uint64_t>(st.st_dev);
  id.inode = static_cast<std::uint64_t>(st.st_ino);
  id.size = static_cast<std::uint64_t>(st.st_size);
  id.mtimeSeconds = st.st_mtim.tv_sec;
  id.mtimeNanoseconds = st.st_mtim.tv_nsec;
  id.recordBase = recordBase;
  id.headerDigest = digestOf(catalog.data(), static_cast<std::size_t>(recordBase));
  return id;
}

}  // namespace kolvex::index
