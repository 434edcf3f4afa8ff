#pragma once
// Replaces a file as a whole: the new content is written to a temporary file beside the
// target (TempFile: without a name where the file system allows it), synced, checked and
// renamed over it. A file that is only a cache (made again from its source whenever it is
// found damaged, which its reader can tell) may skip the syncs: a crash can then leave it
// damaged, never half of one version and half of another. Until commit() succeeds the target is untouched, and a writer that is
// destroyed without commit() leaves no temporary file; nor does one that is killed, where
// the file system has unnamed files.
#include <memory>
#include <string>

#include "core/persist/FileOps.h"
#include "core/persist/FileStream.h"
#include "core/persist/TempFile.h"

namespace kolvex {

enum class Durability {
  Synced,     // on the disk before it replaces the target
  CacheOnly,  // written to the system's cache: the syncs are left out
};

class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string target, FileOps& ops = posixFileOps(),
                            Durability durability = Durability::Synced);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  FileStream& stream() { return *stream_; }
  // fsync (a failure aborts and is not retried; flush alone for a cache, whose old
  // version is then removed before the rename), checks that the file holds every byte
  // written, names it beside the target, renames it over the target, closes it and syncs
  // the folder (not for a cache). Throws EStreamError; the target then keeps its previous content.
  void commit();
  // Removes the temporary file; the target keeps its previous content.
  void abandon();

 private:
  FileOps& ops_;
  std::string target_;
  Durability durability_;
  TempFile temp_;
  std::unique_ptr<FileStream> stream_;
  bool done_ = false;
};

}  // namespace kolvex
