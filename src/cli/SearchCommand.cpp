#include "cli/SearchCommand.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <ctime>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "cli/ArgumentList.h"
#include "cli/CliEnvironment.h"
#include "cli/ExportOutput.h"
#include "cli/FieldText.h"
#include "cli/InterruptPump.h"
#include "core/app/CheckedFormat.h"
#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/app/LanguageFile.h"
#include "core/catalog/AppDir.h"
#include "core/catalog/ArchiveList.h"
#include "core/catalog/DateTimeText.h"
#include "core/catalog/LocalDayCount.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/PersistError.h"
#include "core/report/CatalogExport.h"
#include "core/report/ExportWriter.h"
#include "core/search/CriteriaPanel.h"
#include "core/search/CriteriaSummaries.h"
#include "core/search/SearchEngine.h"

namespace kolvex::cli {
namespace {

// --- Criteria from the command line, through the criteria panel's own rules

std::vector<std::string_view> splitList(std::string_view text) {
  std::vector<std::string_view> parts;
  if (text.empty()) return parts;
  for (std::size_t from = 0;;) {
    const std::size_t comma = text.find(',', from);
    parts.push_back(text.substr(from, comma == std::string_view::npos ? comma : comma - from));
    if (comma == std::string_view::npos) return parts;
    from = comma + 1;
  }
}

// Each apply function returns why the text is wrong, or nothing when it fits.
std::string applyFor(std::string_view text, CriteriaPanel& panel) {
  panel.searchForArchive = panel.searchForDirs = panel.searchForFiles = false;
  for (std::string_view w : splitList(text)) {
    if (w == "catalogs")
      panel.searchForArchive = true;
    else if (w == "dirs")
      panel.searchForDirs = true;
    else if (w == "files")
      panel.searchForFiles = true;
    else
      return "'" + std::string(w) + "' is not one of catalogs, dirs, files";
  }
  return {};
}

std::string applyAttr(std::string_view text, CriteriaPanel& panel) {
  panel.anyFile = panel.hiddenFile = panel.systemFile = panel.readOnlyFile = panel.archiveFile =
      false;
  for (std::string_view w : splitList(text)) {
    if (w == "any")
      panel.anyFile = true;
    else if (w == "hidden")
      panel.hiddenFile = true;
    else if (w == "system")
      panel.systemFile = true;
    else if (w == "readonly")
      panel.readOnlyFile = true;
    else if (w == "archive")
      panel.archiveFile = true;
    else
      return "'" + std::string(w) + "' is not one of any, hidden, system, readonly, archive";
  }
  return {};
}

bool splitRange(std::string_view text, std::string_view& from, std::string_view& to) {
  const std::size_t dots = text.find("..");
  if (dots == std::string_view::npos || text.find("..", dots + 2) != std::string_view::npos)
    return false;
  from = text.substr(0, dots);
  to = text.substr(dots + 2);
  return true;
}

bool digits(std::string_view s, std::size_t at, std::size_t n, int& value) {
  if (at + n > s.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

// YYYY-MM-DD[THH:MM:SS] as a day count of local time, as catalogs keep time stamps; a date
// alone stands for its first second (lower bound) or its last (upper bound).
std::optional<double> parseDate(std::string_view s, bool upper) {
  std::tm t{};
  if (s.size() != 10 && s.size() != 19) return std::nullopt;
  if (!digits(s, 0, 4, t.tm_year) || s[4] != '-' || !digits(s, 5, 2, t.tm_mon) || s[7] != '-' ||
      !digits(s, 8, 2, t.tm_mday))
    return std::nullopt;
  if (s.size() == 19 &&
      (s[10] != 'T' || !digits(s, 11, 2, t.tm_hour) || s[13] != ':' ||
       !digits(s, 14, 2, t.tm_min) || s[16] != ':' || !digits(s, 17, 2, t.tm_sec)))
    return std::nullopt;
  if (s.size() == 10 && upper) {
    t.tm_hour = 23;
    t.tm_min = t.tm_sec = 59;
  }
  if (t.tm_year < 1) return std::nullopt;
  const std::tm given = t;
  t.tm_year -= 1900;
  t.tm_mon -= 1;
  // The fields as calendar seconds, without a time zone: the day count is local time too.
  const std::int64_t seconds = ::timegm(&t);
  // timegm moves 30 February to 2 March; a date that moved did not exist.
  if (t.tm_year + 1900 != given.tm_year || t.tm_mon + 1 != given.tm_mon ||
      t.tm_mday != given.tm_mday || t.tm_hour != given.tm_hour || t.tm_min != given.tm_min ||
      t.tm_sec != given.tm_sec)
    return std::nullopt;
  return LocalDayCount::fromLocalSeconds(seconds);
}

std::string applyDate(std::string_view text, CriteriaPanel& panel) {
  std::string_view from, to;
  if (!splitRange(text, from, to)) return "'" + std::string(text) + "' is not FROM..TO";
  const auto bound = [](std::string_view s, bool upper, double open) -> std::optional<double> {
    return s.empty() ? std::optional<double>(open) : parseDate(s, upper);
  };
  const std::optional<double> lo = bound(from, false, std::numeric_limits<double>::lowest());
  const std::optional<double> hi = bound(to, true, std::numeric_limits<double>::max());
  if (!lo || !hi)
    return "'" + std::string(!lo ? from : to) + "' is not a date YYYY-MM-DD[THH:MM:SS]";
  panel.enableDate = true;
  panel.dateFrom = *lo;
  panel.dateTo = *hi;
  return {};
}

// A size as the size panel holds it: the spin edit's text and the unit's index.
bool splitSize(std::string_view s, std::string& number, int& unit) {
  std::size_t at = 0;
  while (at < s.size() && !std::isalpha(static_cast<unsigned char>(s[at]))) ++at;
  number = std::string(s.substr(0, at));
  std::string u(s.substr(at));
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (u.empty()) {
    unit = kUnitB;
    return true;
  }
  for (int i = 0; i < kUnitCount; ++i)
    if (u == SizeUnitText(i)) {
      unit = i;
      return true;
    }
  return false;
}

std::string applySize(std::string_view text, CriteriaPanel& panel, LanguageFile& language,
                      TUSearch& search) {
  std::string_view from, to;
  if (!splitRange(text, from, to)) return "'" + std::string(text) + "' is not MIN..MAX";
  panel.enableSize = true;
  const std::string lowest = std::to_string(std::numeric_limits<std::int64_t>::min());
  const std::string highest = std::to_string(std::numeric_limits<std::int64_t>::max());
  if (from.empty()) from = lowest;
  if (to.empty()) to = highest;
  if (!splitSize(from, panel.betweenText, panel.betweenUnit) ||
      !splitSize(to, panel.andText, panel.andUnit) || !SizeChange(panel, language, search))
    return "'" + std::string(text) +
           "' is not a size range (whole numbers with an optional unit B, KB, MB or GB, "
           "within 64 bits)";
  return {};
}

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
  PrintingListener(std::ostream& out, bool json, ExportWriter* rows)
      : out_(out), json_(json), rows_(rows) {}
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
  bool json_;
  ExportWriter* rows_;  // --format: the export's rows instead of the lines above
  std::string folder_;
};

// Messages of the run go to standard error; nobody is there to answer a question.
class StderrDialogs final : public Dialogs {
 public:
  explicit StderrDialogs(std::ostream& err) : err_(err) {}
  void message(MessageKind kind, const std::string& text) override {
    err_ << "kolvex-cli: " << text << "\n";
    if (kind == MessageKind::Error) failed = true;
  }
  Answer ask(const std::string& text, bool) override {
    err_ << "kolvex-cli: " << text << "\n";
    return Answer::No;
  }
  bool failed = false;

 private:
  std::ostream& err_;
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

// --- The catalogs

// Anything of that name: a fifo or a folder is then refused by the reader with its own
// message, not taken for a label.
bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// The catalogs of the folder in the order the folder lists them, as the archive manager
// takes them; a catalog whose header cannot be read ends the search before it starts.
std::vector<CheckedArchive> folderCatalogs(const std::string& dir) {
  std::vector<CheckedArchive> all;
  for (ArchiveEntry& e : ListArchives(dir)) {
    if (!e.header) throw EStreamError(e.path + ": " + e.error);
    all.push_back({e.header->CDLabel, std::move(e.path), true});
  }
  return all;
}

std::string labelOf(const std::string& path) {
  try {
    return CatalogReader(path).header().CDLabel;
  } catch (const EStreamError& e) {
    throw EStreamError(path + ": " + e.what());
  }
}

// The catalogs named by --in, in the order given: a catalog file's path (or its name in
// the catalog folder), else every catalog of the folder with that label.
std::vector<CheckedArchive> chosenCatalogs(const std::string& dir,
                                           const std::vector<std::string>& names) {
  std::optional<std::vector<CheckedArchive>> all;
  std::vector<CheckedArchive> chosen;
  auto add = [&](CheckedArchive a) {
    for (const CheckedArchive& c : chosen)
      if (c.path == a.path) return;
    chosen.push_back(std::move(a));
  };
  for (const std::string& name : names) {
    if (exists(name)) {
      add({labelOf(name), name, true});
      continue;
    }
    if (name.find('/') == std::string::npos && exists(dir + name)) {
      add({labelOf(dir + name), dir + name, true});
      continue;
    }
    if (!all) all = folderCatalogs(dir);
    bool found = false;
    for (const CheckedArchive& a : *all)
      if (a.label == name) {
        add(a);
        found = true;
      }
    if (!found) throw std::invalid_argument("No catalog is named " + name);
  }
  return chosen;
}

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
      ->check(checkedBy(applyFor, "catalogs,dirs,files"));
  sub.add_option("--attr", attr_,
                 "Attributes: any, or any of hidden,system,readonly,archive (default: any)")
      ->check(checkedBy(applyAttr, "any|hidden,system,readonly,archive"));
  sub.add_option("--date", date_,
                 "Time stamps from FROM to TO, both included, as YYYY-MM-DD[THH:MM:SS] in "
                 "local time (a date alone: its first second in FROM, its last in TO); an "
                 "empty side is open")
      ->check(checkedBy(applyDate, "FROM..TO"));
  sub.add_option("--size", size_,
                 "Sizes from MIN to MAX, both included: whole numbers with an optional unit "
                 "B, KB, MB or GB (default B); an empty side is open")
      ->check(CLI::Validator(
          [](std::string& s) {
            CriteriaPanel panel;
            LanguageFile none("", "");
            TUSearch search;
            return applySize(s, panel, none, search);
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
}

int SearchCommand::run(Io& io) {
  LanguageFile language(LanguagesDir(), "English");
  const std::string dir = CliEnvironment::preparedArchivesDir(archives_);

  // The criteria as the panel makes them: its defaults, then what was given.
  CriteriaPanel panel;
  TUSearch search;
  applyFor(for_, panel);
  applyAttr(attr_, panel);
  if (!date_.empty()) applyDate(date_, panel);
  const ShortDateText iso = [](double d) { return IsoDateTimeText(d); };
  CriteriaSummaries summaries;
  RefreshSummaries(panel, language, iso, search, summaries);
  if (!size_.empty()) applySize(size_, panel, language, search);

  std::vector<CheckedArchive> catalogs;
  try {
    catalogs = in_.empty() ? folderCatalogs(dir) : chosenCatalogs(dir, in_);
  } catch (const std::exception& e) {
    io.err << "kolvex-cli: " << e.what() << "\n";
    return kExitUsage;
  }

  StopOnInterrupt pump;
  StderrDialogs dialogs(io.err);
  OstreamTextOut rowsOut(io.out);
  std::unique_ptr<ExportWriter> rows;
  if (!format_.empty()) {
    rows = MakeExportWriter(*ExportFormatNamed(format_), rowsOut);
    rows->begin(ExportSource{masks_, nullptr, masks_, {}, -1});
  }
  PrintingListener listener(io.out, json_, rows.get());
  SearchEngine engine(pump, dialogs, language);
  pump.engine = &engine;
  engine.setListener(&listener);
  engine.setArchives(std::move(catalogs));
  engine.criteria() = search;
  engine.setMask(masks_);
  engine.StartSearch();
  if (rows) rows->end();
  if (dialogs.failed) return kExitUsage;
  if (pump.stopped) io.err << "kolvex-cli: search stopped\n";
  if (!json_ && !rows) {
    const FormatArg count(engine.hitCount());
    const std::string text = language.message("A046");
    // Without a language file the key stands for the text; the count is still shown.
    io.out << (text == "A046" ? showUnfilled(text, {&count, 1}) : language.format("A046", {count}))
           << "\n";
  }
  return engine.hitCount() > 0 ? kExitOk : kExitFailure;
}

}  // namespace kolvex::cli
