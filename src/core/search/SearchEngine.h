#pragma once
// The search run without its window: the catalog list, the criteria, the three states
// with Search, Pause and Stop, the hit counter and the status texts. The view shows this
// state through a SearchListener and forwards its button clicks here.
//
// A run walks the ticked catalogs in list order and reads every record of each in file
// order, letting window events run in slices of time between records; that is how Pause
// and Stop reach it. The catalog list and the criteria are taken when a run starts, so a
// list refilled during a run (a new disc catalogued meanwhile) applies to the next one.
// A catalog that cannot be read (gone, unreadable, damaged) is skipped: the run goes on
// with the next one, and the listener hears which one and why. An invalid mask ends the
// run: the catalog file is closed, the engine is idle again, and then the message is shown.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/app/LanguageFile.h"
#include "core/persist/FileOps.h"
#include "core/search/CheckedArchive.h"
#include "core/search/EMaskException.h"
#include "core/search/SearchListener.h"
#include "core/search/SearchState.h"
#include "core/search/SkippedCatalogs.h"
#include "core/search/TMask.h"
#include "core/search/TMaskList.h"
#include "core/search/TUSearch.h"

namespace kolvex {

class CatalogReader;
struct RecordView;
class TSCCDInfo;

// The message key of a size or date range whose From lies beyond its To, when folders or
// files are looked for (nothing could pass it); null when the criteria are sound.
const char* ReversedRangeKey(const TUSearch& criteria);

class SearchEngine {
 public:
  SearchEngine(EventPump& pump, Dialogs& dialogs, LanguageFile& language,
               FileOps& ops = posixFileOps());
  SearchEngine(const SearchEngine&) = delete;
  SearchEngine& operator=(const SearchEngine&) = delete;

  void setListener(SearchListener* listener) { listener_ = listener; }
  // Whether a run may answer from the catalogs' indexes (off by default): a catalog whose
  // index matches it is searched through the index, any other is read as it is and its
  // index made again afterwards. The hits, their order and the messages are the same.
  void setIndexed(bool indexed) { indexed_ = indexed; }
  bool indexed() const { return indexed_; }
  // Work between two rounds of window events (20 ms by default).
  void setEventSlice(std::chrono::milliseconds slice) { slice_ = slice; }
  // The clock the slices are measured by (the steady clock unless a test gives one).
  void setSliceClock(SliceClock clock) { clock_ = std::move(clock); }
  // How long a paused run waits for events before it looks at its flags again.
  void setPausedWait(std::chrono::milliseconds wait) { pausedWait_ = wait; }

  // --- The catalog list (filled by the archive manager)
  const std::vector<CheckedArchive>& archives() const { return archives_; }
  void setArchives(std::vector<CheckedArchive> archives) { archives_ = std::move(archives); }
  void setChecked(std::size_t index, bool checked);
  void CheckAll();
  void CheckNone();
  void FlipChecks();
  // Unticks every entry and ticks the one of this catalog file; false when none is.
  bool CheckOnly(const std::string& path);

  // --- The criteria (filled by the criteria panel)
  TUSearch& criteria() { return criteria_; }
  const TUSearch& criteria() const { return criteria_; }
  // The text of the mask edit: a list of masks separated by ";".
  const std::string& mask() const { return mask_; }
  void setMask(std::string mask) { mask_ = std::move(mask); }

  // --- The buttons
  // Search: resumes a paused run, otherwise starts one (StartSearch).
  void SearchClick();
  // Pause: pauses a running search (nothing when idle).
  void PauseClick();
  // Stop: the run ends at its next check, a paused one too.
  void StopClick();
  // One run over the ticked catalogs; does nothing without a kind to look for, or while
  // a run is going on. A reversed range is reported and starts no run.
  void StartSearch();

  SearchState state() const { return state_; }
  bool Stopped() const { return stopped_; }
  bool Paused() const { return paused_; }
  // Hits of the current (or last) run.
  std::int64_t hitCount() const { return hits_; }
  const std::string& status() const { return status_; }
  // The catalogs the current (or last) run could not read, in the order it met them.
  const std::vector<SkippedCatalog>& skipped() const { return skipped_; }
  // The Search button's caption in the current state, in the current language.
  std::string searchCaption();

 private:
  // What a run uses, taken when it starts: the masks are compiled once for the whole run.
  struct Run {
    Run(const TUSearch& c, const std::string& m) : criteria(c), mask(m), masks(m) {}
    TUSearch criteria;
    std::string mask;
    TMaskList masks;             // for directory and file names
    std::optional<TMask> whole;  // the whole text as one mask, for catalog names
    std::optional<EMaskException> wholeError;
    // The literal runs of each mask, when indexes may be used: only when every mask
    // compiles, so an invalid one is reported exactly where reading the catalogs meets it.
    std::optional<std::vector<std::vector<std::string>>> runs;
    bool wholeMatches(const std::string& name);
  };
  // Reports the progress before the window events run.
  class ProgressPump final : public EventPump {
   public:
    explicit ProgressPump(SearchEngine& engine) : engine_(engine) {}
    void processEvents() override;

   private:
    SearchEngine& engine_;
  };

  void walk(Run& run, const std::vector<CheckedArchive>& ticked);
  // One catalog of the walk; throws when the catalog cannot be read.
  void SearchEntry(Run& run, const CheckedArchive& entry, SlicedPump& sliced);
  void SearchCatalog(Run& run, CatalogReader& reader, const std::string& path, SlicedPump& sliced);
  // The same through the catalog's index; false (having reported nothing) when it has no
  // index that matches it.
  bool SearchIndexed(Run& run, const std::string& path, SlicedPump& sliced);
  void addRecordHit(const RecordView& r, const std::string& path, const TSCCDInfo& h,
                    bool scannedFolder);
  // The progress bar over the whole run: each catalog has an equal share of it, filled
  // as its records are read (or its candidates, through an index).
  static constexpr std::int64_t kCatalogSteps = 1000;
  class RunProgress {
   public:
    RunProgress(SearchEngine& engine, std::size_t catalogs);
    ~RunProgress();

   private:
    SearchEngine& e_;
  };
  // Record number `record` of a catalog of `records` is being read.
  void atRecord(std::int64_t record, std::int64_t records);
  void addCatalogHit(const CheckedArchive& entry, const CatalogReader& reader);
  // Lets events run when a slice is used up and waits while paused; false once stopped.
  bool checkpoint(SlicedPump& sliced);
  void setState(SearchState state);
  void setStatus(std::string text);

  EventPump& pump_;
  Dialogs& dialogs_;
  LanguageFile& language_;
  FileOps& ops_;
  SearchListener* listener_ = nullptr;
  std::chrono::milliseconds slice_{20};
  SliceClock clock_;
  std::chrono::milliseconds pausedWait_{50};

  std::vector<CheckedArchive> archives_;
  TUSearch criteria_;
  std::string mask_ = "*.*";

  SearchState state_ = SearchState::Idle;
  bool stopped_ = true;
  bool paused_ = false;
  std::int64_t hits_ = 0;
  std::vector<SkippedCatalog> skipped_;
  // Every hit is built here, each field assigned: a listener that reads a hit without
  // keeping it lets the next one reuse its strings' memory instead of allocating anew.
  TTSearchResultItem hit_;
  std::string status_;
  std::int64_t position_ = 0;     // where the run is, for the progress bar
  std::int64_t catalogBase_ = 0;  // where the current catalog's share of it starts
  bool reading_ = false;          // records are being read: the bar is shown
  bool indexed_ = false;
};

}  // namespace kolvex
