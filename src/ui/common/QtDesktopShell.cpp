#include "ui/common/QtDesktopShell.h"

#include "ui/common/ClipboardContents.h"
#include "ui/common/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace kolvex {

std::string QtDesktopShell::openUrl(const QUrl& url, const std::string& path) {
  if (QDesktopServices::openUrl(url)) return {};
  return language_.format("U005", {path});
}

std::string QtDesktopShell::open(const std::string& path) {
  return openUrl(QUrl::fromLocalFile(storedText(path)), path);
}

std::string QtDesktopShell::explore(const std::string& path) {
  QFileInfo info(storedText(path));
  QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
  return openUrl(QUrl::fromLocalFile(folder), path);
}

std::string QtDesktopShell::print(const std::string& path) {
  const QString lp = QStandardPaths::findExecutable("lp");
  if (lp.isEmpty())
    return language_.message("U006");
  if (!QProcess::startDetached(lp, {"--", storedText(path)}))
    return language_.format("U007", {lp.toStdString()});
  return {};
}

void QtClipboard::setText(const std::string& text) {
  QApplication::clipboard()->setMimeData(ClipboardContents(text, false).release());
}

void QtClipboard::setPath(const std::string& path) {
  QApplication::clipboard()->setMimeData(ClipboardContents(path, true).release());
}

std::string QtFolderPicker::pickFolder(const std::string& title, const std::string& start) {
  QString folder = QFileDialog::getExistingDirectory(
      QApplication::activeWindow(), QString::fromStdString(title), storedText(start));
  return folder.isEmpty() ? std::string() : QFile::encodeName(folder).toStdString();
}

std::string QtFolderPicker::pickSaveFile(const std::string& title, const std::string& start,
                                         const std::vector<std::string>& filters,
                                         int& chosenFilter) {
  QStringList offered;
  for (const std::string& f : filters) offered << QString::fromStdString(f);
  QString selected = chosenFilter >= 0 && chosenFilter < offered.size() ? offered[chosenFilter] : QString();
  // The dialog asks before it replaces a file that exists.
  const QString file = QFileDialog::getSaveFileName(QApplication::activeWindow(),
                                                    QString::fromStdString(title), storedText(start),
                                                    offered.join(QStringLiteral(";;")), &selected);
  if (file.isEmpty()) return {};
  chosenFilter = static_cast<int>(offered.indexOf(selected));
  return QFile::encodeName(file).toStdString();
}

}  // namespace kolvex
