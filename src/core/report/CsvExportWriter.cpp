#include "core/report/CsvExportWriter.h"

#include "core/persist/TextCodec.h"
#include "core/report/RowText.h"

namespace kolvex {

void CsvExportWriter::begin(const ExportSource&) {
  out_.put(kHeader);
  out_.put("\r\n");
}

void CsvExportWriter::field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out_.put(text);
    return;
  }
  out_.put('"');
  for (std::size_t from = 0;;) {
    const std::size_t quote = text.find('"', from);
    out_.put(text.substr(from, quote == std::string_view::npos ? quote : quote - from + 1));
    if (quote == std::string_view::npos) break;
    out_.put('"');
    from = quote + 1;
  }
  out_.put('"');
}

void CsvExportWriter::row(const ExportRow& r) {
  const std::string_view texts[] = {r.name, r.folder, r.label};
  bool exact[3];
  for (int i = 0; i < 3; ++i) exact[i] = isValidUtf8(texts[i]);
  auto text = [&](int i) {
    if (exact[i])
      field(texts[i]);
    else
      field(readableUtf8(texts[i]));
  };
  out_.put(RowKindName(r.kind));
  out_.put(',');
  text(0);
  out_.put(',');
  text(1);
  out_.put(',');
  out_.put(std::to_string(r.size));
  out_.put(',');
  if (r.kind != RowKind::Folder) out_.put(IsoDateTimeText(r.time));
  out_.put(',');
  out_.put(AttributeLetters(r.attributes));
  out_.put(',');
  text(2);
  for (int i = 0; i < 3; ++i) {
    out_.put(',');
    if (!exact[i]) out_.put(HexBytes(texts[i]));
  }
  out_.put("\r\n");
}

}  // namespace kolvex
