#include "cli/ExportOutput.h"

#include <ostream>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex::cli {

int WriteExport(Io& io, const std::string& context, const std::string& file, ExportFormat format,
                const std::function<bool(ExportWriter&)>& produce) {
  try {
    if (file.empty() || file == "-") {
      OstreamTextOut out(io.out);
      auto writer = MakeExportWriter(format, out);
      if (!produce(*writer)) {
        io.err << "kolvex-cli: export stopped\n";
        return kExitFailure;
      }
      return kExitOk;
    }
    AtomicFileWriter target(file);
    StreamTextOut out(target.stream());
    auto writer = MakeExportWriter(format, out);
    if (!produce(*writer)) {
      target.abandon();
      io.err << "kolvex-cli: export stopped; " << file << " was not written\n";
      return kExitFailure;
    }
    target.commit();
    return kExitOk;
  } catch (const EStreamError& e) {
    io.err << "kolvex-cli: " << (context.empty() ? "" : context + ": ") << e.what() << "\n";
    return kExitFailure;
  }
}

CLI::Validator ExportFormatCheck(bool withHtml) {
  return CLI::Validator(
      [withHtml](std::string& s) -> std::string {
        const std::optional<ExportFormat> f = ExportFormatNamed(s);
        if (f && (withHtml || *f != ExportFormat::Html)) return {};
        return "'" + s + "' is not one of " + (withHtml ? "csv, jsonl, html" : "csv, jsonl");
      },
      withHtml ? "csv|jsonl|html" : "csv|jsonl");
}

}  // namespace kolvex::cli
