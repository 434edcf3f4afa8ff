#include "ui/common/ClipboardContents.h"

#include <QStringDecoder>
#include <QUrl>

namespace kolvex {
namespace {

bool isUtf8(const std::string& bytes) {
  QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  (void)QString(decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
  return !decode.hasError();
}

// The length of the valid UTF-8 sequence starting at i; 0 when the byte starts none.
std::size_t utf8Length(const std::string& s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  return isUtf8(s.substr(i, n)) ? n : 0;
}

}  // namespace

QString ClipboardText(const std::string& bytes) {
  if (isUtf8(bytes)) return QString::fromStdString(bytes);
  std::string word = "$'";
  static const char kHex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t n = utf8Length(bytes, i);
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (n == 0 || b < 0x20 || b == 0x7f) {
      word += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
      ++i;
      continue;
    }
    if (bytes[i] == '\'' || bytes[i] == '\\') word += '\\';
    word.append(bytes, i, n);
    i += n;
  }
  return QString::fromStdString(word + "'");
}

std::unique_ptr<QMimeData> ClipboardContents(const std::string& bytes, bool isPath) {
  auto data = std::make_unique<QMimeData>();
  data->setText(ClipboardText(bytes));
  if (isPath && !bytes.empty() && bytes.front() == '/') {
    // The raw bytes percent-encoded: a file: URL names any file whatever its bytes.
    const QByteArray path(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QByteArray url = "file://" + path.toPercentEncoding("/");
    data->setData(QStringLiteral("text/uri-list"), url + "\r\n");
    data->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + url);
  }
  return data;
}

}  // namespace kolvex
