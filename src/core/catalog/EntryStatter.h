#pragma once
// The second pass needs lstat of every entry of a folder. Looking them up one after the
// other costs a full wait for the disk per entry when the cache is cold; an EntryStatter
// looks up a batch of one folder's entries at once, with many lookups outstanding where
// the kernel allows it (io_uring), so the disk can serve them in its own order.
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "core/app/EventPump.h"

namespace kolvex {

// What lstat tells the walk of one entry.
struct EntryStat {
  int error = 0;  // 0, or the errno of a failed lookup (the other fields are then 0)
  mode_t mode = 0;
  std::int64_t size = 0;
  std::int64_t mtime = 0;  // seconds since 1970
  dev_t device = 0;
};

// lstat of name relative to the open folder dir, without triggering an automounter.
EntryStat lstatAt(int dir, const char* name);

enum class StatMethod {
  Ahead,     // one by one on a second thread that runs ahead of the walk (LookAhead);
             // Adaptive where there is a single core or no thread can be started
  Adaptive,  // batch by batch whichever of the two measured faster lately (LookupChooser)
  Batched,   // io_uring when the kernel grants it, else one by one
  OneByOne,  // one fstatat after another
};

// How many threads a scan may use.
struct ScanThreads {
  unsigned cores = 0;   // 0: as many as the machine has; with 1 all runs on the calling thread
  unsigned cold = 8;    // threads the counting pass adds once the disk shows itself cold
  bool alwaysCold = false;  // behave as with a cold disk from the start (tests)
  bool parallelCount = true;  // false: count on the calling thread alone (benchmarks compare)
};

class EntryStatter {
 public:
  virtual ~EntryStatter() = default;
  // Looks up every names[i] (each followed by a zero byte in memory) relative to dir into
  // out[i]. Window events run through pump while it waits; once cancelled is set it
  // stops early and the results not yet in are undefined.
  virtual void lookUp(int dir, std::span<const std::string_view> names,
                      std::span<EntryStat> out) = 0;
  // True when lookups are (or may be) batched in the kernel (for the figures of a benchmark).
  virtual bool batched() const = 0;
};

// The statter for method (Adaptive for Ahead); Batched and Adaptive fall back to one by one, quietly, where io_uring is
// missing, switched off or refused (containers and seccomp filters often refuse it).
std::unique_ptr<EntryStatter> makeEntryStatter(StatMethod method, SlicedPump& pump,
                                               const bool& cancelled);

}  // namespace kolvex
