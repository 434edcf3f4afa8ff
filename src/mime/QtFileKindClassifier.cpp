#include "mime/QtFileKindClassifier.h"

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>

namespace kolvex {
namespace {

// Types the database files under other generic icons that a user still calls archives
// or documents.
const char* const kArchives[] = {"application/zip",         "application/x-tar",
                                 "application/gzip",        "application/x-7z-compressed",
                                 "application/vnd.rar",     "application/x-rar",
                                 "application/x-bzip2",     "application/x-xz",
                                 "application/zstd",        "application/x-cd-image",
                                 "application/x-compressed-tar", "application/vnd.debian.binary-package",
                                 "application/x-rpm",       "application/x-archive"};
// Compared by name: source code and the like derive from text/plain but are no documents.
const char* const kDocuments[] = {"application/pdf", "application/postscript", "text/plain",
                                  "application/rtf", "text/rtf", "application/epub+zip",
                                  "text/markdown", "text/html", "application/x-mobipocket-ebook",
                                  "image/vnd.djvu"};

bool isAny(const QMimeType& type, const char* const* names, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (type.inherits(QString::fromLatin1(names[i]))) return true;
  return false;
}

}  // namespace

FileKind QtFileKindClassifier::kindOfExtension(const std::string& extension) {
  static const QMimeDatabase db;
  const QMimeType type =
      db.mimeTypeForFile(QStringLiteral("x.") + QString::fromUtf8(extension.c_str()),
                         QMimeDatabase::MatchExtension);
  if (!type.isValid() || type.isDefault()) return FileKind::Other;
  const QString name = type.name();
  if (name == QLatin1String("image/vnd.djvu")) return FileKind::Document;
  if (name.startsWith(QLatin1String("image/"))) return FileKind::Image;
  if (name.startsWith(QLatin1String("audio/"))) return FileKind::Audio;
  if (name.startsWith(QLatin1String("video/"))) return FileKind::Video;
  const QString icon = type.genericIconName();
  // Documents before archives: an office document that is a zip inside is a document.
  if (icon.startsWith(QLatin1String("x-office-"))) return FileKind::Document;
  for (const char* doc : kDocuments)
    if (name == QLatin1String(doc)) return FileKind::Document;
  if (icon == QLatin1String("package-x-generic") || isAny(type, kArchives, std::size(kArchives)))
    return FileKind::Archive;
  return FileKind::Other;
}

}  // namespace kolvex
