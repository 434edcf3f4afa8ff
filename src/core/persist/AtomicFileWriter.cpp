#include "core/persist/AtomicFileWriter.h"

#include <cerrno>

#include "core/persist/PersistError.h"

namespace kolvex {

AtomicFileWriter::AtomicFileWriter(std::string target, FileOps& ops, Durability durability)
    : ops_(ops), target_(std::move(target)), durability_(durability) {
  try {
    temp_ = createTempFile(ops_, directoryOf(target_));
  } catch (const EFCreateError& e) {
    // The user asked for the target, and never sees the temporary file's name: name the
    // target, with what the system said ("Cannot create file DIR/QE_*.tmp: REASON").
    const std::string what = e.what();
    const std::size_t reason = what.rfind(": ");
    throw EFCreateError(fillMessage(msg::kCannotCreateFile, target_) +
                        (reason == std::string::npos ? std::string() : what.substr(reason)));
  }
  stream_ = std::make_unique<FileStream>(temp_.fd, temp_.path, ops_);
}

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

void AtomicFileWriter::abandon() {
  if (done_) return;
  done_ = true;
  try {
    stream_->close();
  } catch (const EStreamError&) {
    // The content is being thrown away; only the name matters.
  }
  if (!temp_.path.empty()) removeFile(ops_, temp_.path);
}

void AtomicFileWriter::commit() {
  if (done_) throwWriteError(0);
  try {
    if (durability_ == Durability::Synced)
      stream_->sync();
    else
      stream_->flush();
    // Every byte written must be in the file before it may replace the target.
    if (stream_->sizeOnDisk() != stream_->size()) throwWriteError(0);
    nameTempFile(ops_, temp_, directoryOf(target_));
    // A file system that sees a file replaced by a rename writes the new one out at once
    // (ext4), which is the very wait a cache leaves out: its old version goes first. A
    // search in between finds no cache and does without.
    if (durability_ == Durability::CacheOnly) ops_.unlink(target_);
    // Renamed while still open, so the lock keeps a sweep of leftovers away from it.
    if (ops_.rename(temp_.path, target_) != 0) throwCannotReplace(target_, errno);
  } catch (...) {
    abandon();
    throw;
  }
  done_ = true;
  temp_.path.clear();
  // The new file is complete, synced and in place: neither a failing close nor a folder
  // that cannot be synced (the rename might then not survive a crash) undoes the save.
  try {
    stream_->close();
  } catch (const EStreamError&) {
  }
  if (durability_ == Durability::Synced) ops_.fsyncDir(directoryOf(target_));
}

}  // namespace kolvex
