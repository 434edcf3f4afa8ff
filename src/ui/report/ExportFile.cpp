#include "ui/report/ExportFile.h"

#include <QDir>
#include <QProgressDialog>
#include <QWidget>

#include "core/catalog/FileNames.h"
#include "core/persist/AtomicFileWriter.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "core/report/LocalReportTexts.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/QtText.h"

namespace kolvex {
namespace {

bool endsWithNoCase(const std::string& s, std::string_view end) {
  if (s.size() < end.size()) return false;
  for (std::size_t i = 0; i < end.size(); ++i) {
    char c = s[s.size() - end.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != end[i]) return false;
  }
  return true;
}

}  // namespace

ExportFormat ExportFormatForFile(std::string& path, int chosenFilter) {
  for (ExportFormat f : {ExportFormat::Csv, ExportFormat::JsonLines, ExportFormat::Html})
    if (endsWithNoCase(path, ExportFormatExtension(f))) return f;
  const ExportFormat f = chosenFilter == 1   ? ExportFormat::JsonLines
                         : chosenFilter == 2 ? ExportFormat::Html
                                             : ExportFormat::Csv;
  path += ExportFormatExtension(f);
  return f;
}

bool ExportFile::catalogFolder(const std::string& catalogFile, std::int64_t folder,
                               const std::string& folderPath, const std::string& suggestedName) {
  return run(suggestedName, [&](ExportWriter& writer, const ExportProgress& progress) {
    // A reader of its own: the explorer may close or change its catalog meanwhile.
    CatalogReader reader(catalogFile);
    const std::int64_t start = folder == kNoRecord ? reader.header().EntranceRP : folder;
    return ExportCatalogFolder(reader, catalogFile, start, folderPath, writer, progress);
  });
}

bool ExportFile::searchHits(const std::vector<TTSearchResultItem>& hits, const std::string& title) {
  return run(title, [&](ExportWriter& writer, const ExportProgress& progress) {
    return ExportSearchHits(hits, title, writer, progress);
  });
}

namespace {

// Passes everything on to the format's writer and counts the entries written.
class CountingWriter final : public ExportWriter {
 public:
  explicit CountingWriter(ExportWriter& inner) : inner_(inner) {}
  void begin(const ExportSource& source) override { inner_.begin(source); }
  bool wantsFolderTotals() const override { return inner_.wantsFolderTotals(); }
  void folderTotals(const FolderTotals& totals) override { inner_.folderTotals(totals); }
  void row(const ExportRow& row) override {
    inner_.row(row);
    ++rows;
  }
  void end() override { inner_.end(); }
  std::int64_t rows = 0;

 private:
  ExportWriter& inner_;
};

}  // namespace

bool ExportFile::run(const std::string& suggestedName, const Produce& produce) {
  LanguageFile& lang = context_.language;
  FolderPicker& picker = context_.picker;
  const std::vector<std::string> filters = {lang.message("R002"), lang.message("R003"),
                                            lang.message("R004")};
  int chosen = 0;
  const std::string start = QDir::homePath().toStdString() + "/" +
                            ReplaceInvalidChars(suggestedName.empty() ? "export" : suggestedName) +
                            ".csv";
  std::string path = picker.pickSaveFile(lang.message("R001"), start, filters, chosen);
  if (path.empty()) return false;
  const ExportFormat format = ExportFormatForFile(path, chosen);

  QProgressDialog progress(qtText(lang.format("R005", {FormatArg(path)})),
                           withoutAccelerator(qtText(lang.caption(95005))), 0, 1000, parent_);
  progress.setObjectName("ExportProgress");
  progress.setWindowTitle(qtText(lang.message("R001")));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(400);  // a small export finishes before a window would show
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  progress.setValue(0);
  SlicedPump pump(context_.pump, context_.eventSlice);
  int shown = 0;
  const ExportProgress onStep = [&](std::int64_t done, std::int64_t total) {
    const int permille = total > 0 ? static_cast<int>(std::min<std::int64_t>(done * 1000 / total, 1000)) : 0;
    // A modal progress window lets events run in setValue: only when the bar moves.
    if (permille != shown) progress.setValue(shown = permille);
    pump.tick();
    return !progress.wasCanceled();
  };
  try {
    AtomicFileWriter target(path);
    StreamTextOut out(target.stream());
    auto writer = MakeExportWriter(format, out, LocalReportTexts(context_.language));
    CountingWriter counted(*writer);
    if (!produce(counted, onStep)) {
      target.abandon();
      return false;
    }
    target.commit();
    progress.close();
    // The file is not shown anywhere: the user is told what was written where.
    context_.dialogs.message(MessageKind::Information,
                             lang.format("U008", {FormatArg(counted.rows), FormatArg(path)}));
    return true;
  } catch (const EStreamError& e) {
    progress.close();
    context_.dialogs.message(MessageKind::Error,
                             lang.format("R006", {FormatArg(path), FormatArg(std::string(e.what()))}));
    return false;
  }
}

}  // namespace kolvex
