#include "cli/SearchCommand.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/ArgumentList.h"
#include "cli/CliEnvironment.h"
#include "cli/ExportOutput.h"
#include "cli/FieldText.h"
#include "cli/InterruptPump.h"
#include "cli/TerminalDialogs.h"
#include "core/app/CheckedFormat.h"
#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/app/LanguageFile.h"
#include "core/catalog/AppDir.h"
#include "core/catalog/CatalogChoice.h"
#include "core/catalog/DateTimeText.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "core/report/CatalogExport.h"
#include "core/report/ExportWriter.h"
#include "core/search/CriteriaPanel.h"
#include "core/search/CriteriaSummaries.h"
#include "core/search/CriteriaText.h"
#include "core/search/SearchEngine.h"

namespace kolvex::cli {
namespace {

CLI::Validator checkedBy(std::string (*apply)(std::string_view, CriteriaPanel&),
                         const std::string& what) {
  return CLI::Validator(
      [apply](std::string& s) {
        CriteriaPanel panel;
        return apply(s, panel);
      },
      what);
}

// --- Output

// Tabs and line breaks inside a name would break the columns; control bytes are written
// as "\ooo". The "\" of stored paths stays as it is (--json is the exact form).
std::string field(std::string_view s) {
  std::string out;
  for (unsigned char c : s) {
    if (c < 0x20 || c == 0x7f) {
      char buf[5];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

const char* kindName(std::uint8_t kind) {
  return kind == kSearchCatalogs ? "catalog" : kind == kSearchDirectories ? "dir" : "file";
}

// A hit's date and time in ISO 8601 (local time, as catalogs keep it); "--" for a folder,
// which has none, as ls shows it; "?" for a day count that names no date.
std::string timeText(const TTSearchResultItem& hit) {
  return hit.Kind == kSearchDirectories ? "--" : dateField(hit.DateTime);
}

class PrintingListener final : public SearchListener {
 public:
  PrintingListener(std::ostream& out, std::ostream& err, bool json, ExportWriter* rows)
      : out_(out), err_(err), json_(json), rows_(rows) {}
  // Said at once: the hits go on, and the exit code tells that some catalog was missed.
  void catalogSkipped(const SkippedCatalog& skipped) override {
    err_ << "kolvex-cli: skipped " << SkippedCatalogLine(skipped) << "\n";
  }
  void hitFound(TTSearchResultItem&& hit) override {
    if (rows_) {
      rows_->row(SearchHitRow(hit, folder_));
      return;
    }
    if (json_) {
      nlohmann::ordered_json o = {{"kind", kindName(hit.Kind)}, {"name", hit.Name},
                                  {"label", hit.CDLabel},       {"path", hit.FilePath},
                                  {"size", hit.Size},           {"time", hit.DateTime},
                                  {"catalog", hit.CatalogFile}};
      out_ << o.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    } else {
      out_ << kindName(hit.Kind) << '\t' << field(hit.Name) << '\t' << field(hit.CDLabel) << '\t'
           << field(hit.FilePath) << '\t' << hit.Size << '\t' << timeText(hit) << "\n";
    }
  }

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool json_;
  ExportWriter* rows_;  // --format: the export's rows instead of the lines above
  std::string folder_;
};

// Ctrl+C (or SIGTERM) stops the run the way the Stop button does, at the run's next
// round of events; the hits found so far and their count are still printed.
class StopOnInterrupt final : public EventPump {
 public:
  SearchEngine* engine = nullptr;
  bool stopped = false;
  void processEvents() override {
    if (InterruptPump::interrupted() && engine && !stopped) {
      stopped = true;
      engine->StopClick();
    }
  }

 private:
  InterruptPump signals_;  // owns the signal handlers while the search runs
};

}  // namespace

void SearchCommand::setup(CLI::App& sub) {
  sub.add_option("MASKLIST", masks_,
                 "The masks, separated by \";\"; catalog names are tested against the whole "
                 "text as one mask")
      ->required();
  addRepeatedOption(sub, "--in", in_,
                    "A catalog to search: a catalog file, or the label of catalogs in the "
                    "catalog folder; may be given more than once, one catalog each time "
                    "(default: every catalog of the folder)");
  sub.add_option("--for", for_, "What to look for: catalogs,dirs,files (default: all three)")
      ->check(checkedBy(ApplyKindsText, "catalogs,dirs,files"));
  sub.add_option("--attr", attr_,
                 "Attributes: any, or any of hidden,system,readonly,archive (default: any)")
      ->check(checkedBy(ApplyAttributesText, "any|hidden,system,readonly,archive"));
  sub.add_option("--date", date_,
                 "Time stamps from FROM to TO, both included, as YYYY-MM-DD[THH:MM:SS] in "
                 "local time (a date alone: its first second in FROM, its last in TO); an "
                 "empty side is open")
      ->check(checkedBy(ApplyDateText, "FROM..TO"));
  sub.add_option("--size", size_,
                 "Sizes from MIN to MAX, both included: whole numbers with an optional unit "
                 "B, KB, MB or GB (default B); an empty side is open")
      ->check(CLI::Validator(
          [](std::string& s) {
            CriteriaPanel panel;
            LanguageFile none("", "");
            TUSearch search;
            return ApplySizeText(s, panel, none, search);
          },
          "MIN..MAX"));
  sub.add_option("--archives", archives_,
                 "The catalog folder (default: the one --version names)");
  auto* json = sub.add_flag("--json", json_, "One JSON object per hit and line, without the count line");
  sub.add_option("--format", format_,
                 "csv or jsonl: the hits as kolvex-cli export writes entries (CSV with a header "
                 "row, or JSON Lines with the catalog label and attributes), without the count "
                 "line")
      ->check(ExportFormatCheck(false))
      ->excludes(json);
  sub.add_flag("--no-index", noIndex_,
               "Read every catalog in full instead of answering from the indexes (the hits "
               "are the same)");
}

int SearchCommand::run(Io& io) {
  LanguageFile language(LanguagesDir(), "English");
  const std::string dir = CliEnvironment::preparedArchivesDir(archives_);

  // The criteria as the panel makes them: its defaults, then what was given.
  CriteriaPanel panel;
  TUSearch search;
  ApplyKindsText(for_, panel);
  ApplyAttributesText(attr_, panel);
  if (!date_.empty()) ApplyDateText(date_, panel);
  const ShortDateText iso = [](double d) { return IsoDateTimeText(d); };
  CriteriaSummaries summaries;
  RefreshSummaries(panel, language, iso, search, summaries);
  if (!size_.empty()) ApplySizeText(size_, panel, language, search);

  std::vector<CheckedArchive> catalogs;
  std::vector<std::string> unreadable;  // named, skipped, and the run ends in trouble
  try {
    catalogs = in_.empty() ? CatalogsOfFolder(dir, unreadable) : CatalogsNamed(dir, in_, unreadable);
  } catch (const std::exception& e) {
    for (const std::string& u : unreadable) io.err << "kolvex-cli: " << u << "\n";
    io.err << "kolvex-cli: " << e.what() << "\n";
    return kExitUsage;
  }
  for (const std::string& u : unreadable) io.err << "kolvex-cli: " << u << "\n";

  StopOnInterrupt pump;
  TerminalDialogs dialogs(io.err, nullptr);  // messages to standard error; nobody answers
  OstreamTextOut rowsOut(io.out);
  std::unique_ptr<ExportWriter> rows;
  if (!format_.empty()) {
    rows = MakeExportWriter(*ExportFormatNamed(format_), rowsOut);
    rows->begin(ExportSource{masks_, nullptr, masks_, {}, -1});
  }
  PrintingListener listener(io.out, io.err, json_, rows.get());
  SearchEngine engine(pump, dialogs, language);
  pump.engine = &engine;
  engine.setListener(&listener);
  engine.setIndexed(!noIndex_);
  engine.setArchives(std::move(catalogs));
  engine.criteria() = search;
  engine.setMask(masks_);
  engine.StartSearch();
  if (rows) rows->end();
  if (dialogs.failed()) return kExitUsage;
  if (pump.stopped) io.err << "kolvex-cli: search stopped\n";
  if (!json_ && !rows) {
    const FormatArg count(engine.hitCount());
    const std::string text = language.message("A046");
    // Without a language file the key stands for the text; the count is still shown.
    io.out << (text == "A046" ? showUnfilled(text, {&count, 1}) : language.format("A046", {count}))
           << "\n";
  }
  if (!unreadable.empty() || !engine.skipped().empty()) return kExitUsage;
  return engine.hitCount() > 0 ? kExitOk : kExitFailure;
}

}  // namespace kolvex::cli
