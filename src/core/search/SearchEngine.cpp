#include "core/search/SearchEngine.h"
#include "core/app/ReadErrorText.h"

#include <algorithm>
#include <exception>
#include <new>

#include "core/index/CatalogIndex.h"
#include "core/index/IndexMaintenance.h"
#include "core/persist/CatalogReader.h"
#include "core/persist/FileOrderScan.h"
#include "core/search/MaskErrorText.h"
#include "core/search/RecordMatches.h"

namespace kolvex {

SearchEngine::SearchEngine(EventPump& pump, Dialogs& dialogs, LanguageFile& language, FileOps& ops)
    : pump_(pump), dialogs_(dialogs), language_(language), ops_(ops) {}

void SearchEngine::setChecked(std::size_t index, bool checked) {
  if (index < archives_.size()) archives_[index].checked = checked;
}

void SearchEngine::CheckAll() {
  for (CheckedArchive& a : archives_) a.checked = true;
}

void SearchEngine::CheckNone() {
  for (CheckedArchive& a : archives_) a.checked = false;
}

void SearchEngine::FlipChecks() {
  for (CheckedArchive& a : archives_) a.checked = !a.checked;
}

bool SearchEngine::CheckOnly(const std::string& path) {
  bool found = false;
  for (CheckedArchive& a : archives_) {
    // The first entry of the path only, as a lookup of the path in the list finds it.
    a.checked = !found && a.path == path;
    found = found || a.checked;
  }
  return found;
}

const char* ReversedRangeKey(const TUSearch& criteria) {
  if (!(criteria.SearchFor & (kSearchDirectories | kSearchFiles))) return nullptr;
  if (criteria.SizeEnabled && criteria.MinSize > criteria.MaxSize) return "A088";
  if (criteria.DateEnabled && criteria.DateFrom > criteria.DateTo) return "A089";
  return nullptr;
}

void SearchEngine::SearchClick() {
  if (state_ == SearchState::Paused) {
    paused_ = false;
    setState(SearchState::Searching);
    return;
  }
  StartSearch();
}

void SearchEngine::PauseClick() {
  if (stopped_ || state_ != SearchState::Searching) return;
  paused_ = true;
  setState(SearchState::Paused);
}

void SearchEngine::StopClick() {
  stopped_ = true;
  paused_ = false;
}

std::string SearchEngine::searchCaption() {
  return language_.message(ControlsOf(state_).searchCaptionKey);
}

void SearchEngine::StartSearch() {
  if (state_ != SearchState::Idle) return;
  if ((criteria_.SearchFor & (kSearchCatalogs | kSearchDirectories | kSearchFiles)) == 0) return;
  // A range that ends before it starts lets no folder or file through: say so instead of
  // running a search that can only come back empty.
  if (const char* reversed = ReversedRangeKey(criteria_)) {
    dialogs_.message(MessageKind::Error, language_.message(reversed));
    return;
  }
  std::vector<CheckedArchive> ticked;
  for (const CheckedArchive& a : archives_)
    if (a.checked) ticked.push_back(a);
  Run run(criteria_, mask_);
  if (indexed_) {
    try {
      TMaskList probe(mask_);
      std::vector<std::vector<std::string>> runs;
      bool selective = true;
      for (const TMask* m : probe.compileAll()) {
        runs.push_back(m->literalRuns());
        selective = selective && std::any_of(runs.back().begin(), runs.back().end(),
                                             [](const std::string& r) { return r.size() >= 3; });
      }
      // A mask without three literal bytes in a row may match any name: every record is a
      // candidate, and reading the catalog straight through is then the faster way.
      if (selective) run.runs = std::move(runs);
    } catch (const EMaskException&) {
      // Reading the catalogs reports it when the first name reaches that mask.
    }
  }

  stopped_ = false;
  paused_ = false;
  setState(SearchState::Searching);
  hits_ = 0;
  skipped_.clear();
  if (listener_) listener_->resultsCleared();
  setStatus(std::string());
  std::optional<std::string> error;
  try {
    walk(run, ticked);
  } catch (const EMaskException& e) {
    error = localMaskError(language_, e);
  } catch (const std::exception& e) {
    error = e.what();
  }
  stopped_ = true;
  paused_ = false;
  // A run that failed half-way no longer says which catalog it is searching.
  if (error) setStatus(language_.format("A046", {hits_}));
  setState(SearchState::Idle);
  // Shown once every file is closed and the view is usable again.
  if (error) dialogs_.message(MessageKind::Error, localReadError(language_, *error));
}

bool SearchEngine::Run::wholeMatches(const std::string& name) {
  if (wholeError) throw *wholeError;
  if (!whole) {
    try {
      whole.emplace(mask);
    } catch (const EMaskException& e) {
      wholeError = e;
      throw;
    }
  }
  return whole->matches(name);
}

void SearchEngine::walk(Run& run, const std::vector<CheckedArchive>& ticked) {
  ProgressPump progress(*this);
  SlicedPump sliced(progress, slice_, clock_);
  const std::size_t n = ticked.size();
  // Records are read only for folders and files, and only then is there a bar to show.
  std::optional<RunProgress> bar;
  if ((run.criteria.SearchFor & (kSearchDirectories | kSearchFiles)) && n > 0) bar.emplace(*this, n);
  for (std::size_t k = 0; k < n; ++k) {
    const CheckedArchive& entry = ticked[k];
    catalogBase_ = static_cast<std::int64_t>(k) * kCatalogSteps;
    position_ = catalogBase_;
    setStatus(language_.format("A045", {entry.label, k + 1, n}));
    try {
      SearchEntry(run, entry, sliced);
    } catch (const EMaskException&) {
      throw;  // the criteria are wrong, not this catalog: the run ends
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      // Deleted, unreadable or damaged: its hits so far stay, the others are searched.
      skipped_.push_back({entry.label, entry.path, localReadError(language_, e.what())});
      if (listener_) listener_->catalogSkipped(skipped_.back());
    }
    position_ = catalogBase_ + kCatalogSteps;
    setStatus(language_.format("A046", {hits_}));
    if (stopped_) break;
    // A run for catalogs alone reads no records, so Stop and Pause are heard here too.
    if (!checkpoint(sliced)) break;
  }
}

void SearchEngine::SearchEntry(Run& run, const CheckedArchive& entry, SlicedPump& sliced) {
  std::optional<CatalogReader> reader;  // closed on the way out, also by an error
  if ((run.criteria.SearchFor & kSearchCatalogs) && run.wholeMatches(entry.label)) {
    reader.emplace(entry.path, ops_);
    addCatalogHit(entry, *reader);
  }
  if (!(run.criteria.SearchFor & (kSearchDirectories | kSearchFiles)) ||
      (run.runs && SearchIndexed(run, entry.path, sliced)))
    return;
  if (!reader) reader.emplace(entry.path, ops_);
  SearchCatalog(run, *reader, entry.path, sliced);
  // Read in full without an index that matches it: make one for the next run. A failure
  // only means the next run reads the catalog again.
  if (run.runs && !stopped_) {
    reader.reset();
    try {
      index::BuildIndex(entry.path, [&] { return checkpoint(sliced); });
    } catch (const std::exception&) {
      index::RemoveIndex(entry.path);
    }
  }
}

void SearchEngine::addCatalogHit(const CheckedArchive& entry, const CatalogReader& reader) {
  const TSCCDInfo& h = reader.header();
  TTSearchResultItem& hit = hit_;
  hit.Kind = kSearchCatalogs;
  hit.DateTime = h.CreateDateTime;
  hit.Size = 0;
  hit.Attribute = 0;
  hit.Name = entry.label;
  hit.FilePath = h.BaseDir;
  hit.CatalogFile = entry.path;
  hit.CDLabel = entry.label;
  hit.BaseDir.clear();
  hit.Removable = false;
  hit.KindText = language_.message("A048");
  ++hits_;
  if (listener_) listener_->hitFound(std::move(hit));
}

SearchEngine::RunProgress::RunProgress(SearchEngine& engine, std::size_t catalogs) : e_(engine) {
  e_.position_ = 0;
  e_.reading_ = true;
  if (e_.listener_)
    e_.listener_->progressStarted(static_cast<std::int64_t>(catalogs) * kCatalogSteps);
}

SearchEngine::RunProgress::~RunProgress() {
  e_.reading_ = false;
  if (e_.listener_) e_.listener_->progressEnded();
}

void SearchEngine::atRecord(std::int64_t record, std::int64_t records) {
  position_ = catalogBase_ + (records > 0 ? record * kCatalogSteps / records : 0);
}

void SearchEngine::addRecordHit(const RecordView& r, const std::string& path, const TSCCDInfo& h,
                                bool scannedFolder) {
  // The scanned folder's own record (the last of the file) is tested like any other, so an
  // invalid mask is still reported, but is never a hit: it has no name, only the pseudo
  // path "X:\", and the folder it stands for is the catalog itself, found as a catalog hit.
  if (scannedFolder) return;
  TTSearchResultItem& hit = hit_;
  hit.Kind = (r.Attribute & faDirectory) ? kSearchDirectories : kSearchFiles;
  hit.DateTime = r.CreateDateTime;
  hit.Size = r.FileSize;
  hit.Attribute = r.Attribute;
  hit.Name = NameUnderTest(r);
  hit.FilePath = r.FilePath;
  hit.CatalogFile = path;
  hit.CDLabel = h.CDLabel;
  hit.BaseDir = h.BaseDir;
  hit.Removable = h.Removable;
  hit.KindText.clear();
  ++hits_;
  if (listener_) listener_->hitFound(std::move(hit));
}

void SearchEngine::SearchCatalog(Run& run, CatalogReader& reader, const std::string& path,
                                 SlicedPump& sliced) {
  const TSCCDInfo& h = reader.header();
  // Every record in file order; the scanned folder's own record comes last.
  FileOrderScan records(reader);
  for (std::int64_t i = 0; !records.done(); ++i) {
    atRecord(i, records.records());
    if (!checkpoint(sliced)) return;
    const RecordView& r = records.next();
    if (RecordMatches(r, run.criteria, run.masks)) addRecordHit(r, path, h, records.done());
  }
}

bool SearchEngine::SearchIndexed(Run& run, const std::string& path, SlicedPump& sliced) {
  index::CatalogFile catalog;
  index::CatalogIndex idx;
  if (!catalog.open(path) || !index::OpenIndex(path, catalog, idx) || idx.records() == 0)
    return false;
  std::optional<std::vector<std::uint32_t>> candidates;
  try {
    candidates = idx.candidates(*run.runs);  // every mask has a trigram: never all records
  } catch (const index::IndexDamage&) {
    return false;
  }
  // Every part this run reads is checked before the first hit is reported.
  if (!candidates || !idx.check(&*candidates)) return false;

  // The index holds what a hit shows of a record; the catalog's header comes from the
  // bytes its identity was checked on.
  std::optional<TSCCDInfo> header;
  const auto total = static_cast<std::int64_t>(idx.records());
  auto test = [&](std::uint32_t i) {
    const index::IndexEntry e = idx.entry(i);
    RecordView v;
    v.FileName = idx.name(i);
    if (v.FileName.empty()) v.FilePath = idx.path(i);  // tested under its path
    v.Attribute = e.attribute;
    v.CreateDateTime = e.time;
    v.FileSize = e.size;
    if (!RecordMatches(v, run.criteria, run.masks)) return;
    if (!header) header = catalog.header();
    v.FilePath = idx.path(i);
    addRecordHit(v, path, *header, i + 1 == idx.records());
  };
  for (std::uint32_t i : *candidates) {
    atRecord(i, total);
    if (!checkpoint(sliced)) return true;
    test(i);
  }
  return true;
}

bool SearchEngine::checkpoint(SlicedPump& sliced) {
  sliced.tick();
  if (stopped_) return false;
  if (paused_) {
    if (listener_ && reading_) listener_->progressChanged(position_);
    // Only events and the two flags while paused; Stop clears Paused, so look at Stopped
    // after every round of events, before the loop's own test.
    while (paused_) {
      pump_.waitForEvents(pausedWait_);
      if (stopped_) return false;
    }
  }
  return !stopped_;
}

void SearchEngine::ProgressPump::processEvents() {
  if (engine_.listener_ && engine_.reading_) engine_.listener_->progressChanged(engine_.position_);
  engine_.pump_.processEvents();
}

void SearchEngine::setState(SearchState state) {
  state_ = state;
  if (listener_) listener_->stateChanged(state);
}

void SearchEngine::setStatus(std::string text) {
  status_ = std::move(text);
  if (listener_) listener_->statusChanged(status_);
}

}  // namespace kolvex
