#include "core/persist/AtomicFileWriter.h"

#include "core/persist/PersistError.h"

namespace kolvex {

AtomicFileWriter::AtomicFileWriter(std::string target, FileOps& ops)
    : ops_(ops), target_(std::move(target)) {
  int fd = createUniqueFile(ops_, directoryOf(target_), "QE_", ".tmp", tempPath_);
  stream_ = std::make_unique<FileStream>(fd, tempPath_, ops_);
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
  removeFile(ops_, tempPath_);
}

void AtomicFileWriter::commit() {
  if (done_) throw EStreamError(msg::kStreamWriteError);
  try {
    stream_->sync();
    // Every byte written must be in the file before it may replace the target.
    if (stream_->sizeOnDisk() != stream_->size()) throw EStreamError(msg::kStreamWriteError);
    stream_->close();
    if (ops_.rename(tempPath_, target_) != 0) throw EStreamError(msg::kStreamWriteError);
  } catch (...) {
    abandon();
    throw;
  }
  done_ = true;
  // The new file is complete and in place; a folder that cannot be synced only means the
  // rename might not survive a crash, so it does not turn the save into a failure.
  ops_.fsyncDir(directoryOf(target_));
}

}  // namespace kolvex
