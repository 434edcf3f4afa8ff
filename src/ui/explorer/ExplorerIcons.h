#pragma once
// The pictures of the explorer's tree and list: the icon theme's folder icons, a file's
// icon by the desktop's MIME type of its extension, or the icons a record stores (the
// scanner keeps them for programs). Looked up once per extension while the cache lives.
#include <QHash>
#include <QIcon>
#include <QString>
#include <cstdint>

#include "core/persist/TSCFileObjectInfo.h"

namespace kolvex {

class ExplorerIcons {
 public:
  ExplorerIcons();

  const QIcon& closedFolder() const { return closedFolder_; }
  const QIcon& openFolder() const { return openFolder_; }
  // The icon of a list entry: the folder icon, the record's own icons, or its type's.
  QIcon iconOf(const TTFileObjectInfo& record, std::int64_t position);
  // Drops the icons kept for the records of the last listing.
  void clearRecords() { records_.clear(); }

 private:
  QIcon iconForName(const QString& fileName);

  QIcon closedFolder_;
  QIcon openFolder_;
  QIcon plainFile_;
  QHash<QString, QIcon> byExtension_;
  QHash<std::int64_t, QIcon> records_;
};

// The icon an icon-file image stores (the icon file layout); null when it cannot be read.
QIcon iconFromStored(const TTFileObjectInfo& record);

}  // namespace kolvex
