// Copied names and paths reach the clipboard byte for byte, also when they are not UTF-8:
// a terminal gets a shell word naming the file, a file manager a file: URL.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "ui/common/ClipboardContents.h"
#include "ui/common/QtDesktopShell.h"

using namespace kolvex;

namespace {

// The bytes a file: URL of the uri-list names.
QByteArray pathOfUriList(const QByteArray& list) {
  QByteArray url = list.trimmed();
  if (!url.startsWith("file://")) return {};
  return QByteArray::fromPercentEncoding(url.mid(7));
}

}  // namespace

class ClipboardContentsTest : public QObject {
  Q_OBJECT

 private slots:
  void utf8TextIsCopiedAsItIs() {
    QCOMPARE(ClipboardText("Grüße & 'quotes'.txt"), QString("Grüße & 'quotes'.txt"));
    const auto data = ClipboardContents("/tmp/folder with spaces/Grüße.txt", true);
    QCOMPARE(data->text(), QString("/tmp/folder with spaces/Grüße.txt"));
    QCOMPARE(pathOfUriList(data->data("text/uri-list")),
             QByteArray("/tmp/folder with spaces/Grüße.txt"));
    QVERIFY(data->data("x-special/gnome-copied-files").startsWith("copy\nfile:///tmp/folder%20with"));
    // A name alone is no file to paste.
    QVERIFY(!ClipboardContents("Grüße.txt", false)->hasFormat("text/uri-list"));
    QVERIFY(!ClipboardContents("X:\\docs\\", true)->hasFormat("text/uri-list"));
  }

  void bytesThatAreNotUtf8BecomeAShellWordAndAnExactUrl() {
    const std::string latin1 = "/tmp/odd/latin1-\xe9t\xe9 'it\\s'\n.txt";
    QCOMPARE(ClipboardText(latin1), QString("$'/tmp/odd/latin1-\\xe9t\\xe9 \\'it\\\\s\\'\\x0a.txt'"));
    // UTF-8 beside a stray byte stays readable.
    QCOMPARE(ClipboardText("Grüße-\xff"), QString("$'Grüße-\\xff'"));
    const auto data = ClipboardContents(latin1, true);
    QCOMPARE(pathOfUriList(data->data("text/uri-list")), QByteArray::fromStdString(latin1));
    QVERIFY(!data->data("text/uri-list").contains('\xe9'));  // escaped, as a URL must be
  }

  void theDesktopsClipboardGetsTheFileAndTheText() {
    QtClipboard clipboard;
    clipboard.setPath("/tmp/odd/latin1-\xe9t\xe9.txt");
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    QCOMPARE(data->text(), QString("$'/tmp/odd/latin1-\\xe9t\\xe9.txt'"));
    QCOMPARE(pathOfUriList(data->data("text/uri-list")), QByteArray("/tmp/odd/latin1-\xe9t\xe9.txt"));
    clipboard.setText("plain name");
    QCOMPARE(QApplication::clipboard()->text(), QString("plain name"));
  }
};

QTEST_MAIN(ClipboardContentsTest)
#include "ClipboardContentsTest.moc"
