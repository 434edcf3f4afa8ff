#include "core/content/CompanionStore.h"

#include <sys/stat.h>

#include <cerrno>

#include "core/persist/AtomicFileWriter.h"
#include "core/persist/PersistError.h"

namespace kolvex {
namespace {

bool exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// The whole file, when it is a regular file that can be read to its end.
bool readWhole(const std::string& path, FileOps& ops, std::string& bytes, std::string& problem) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return false;
  if (!S_ISREG(st.st_mode)) {
    problem = "The fingerprint file is not a regular file";
    return false;
  }
  int fd = ops.openRead(path);
  std::uint64_t size = 0;
  if (fd < 0 || ops.fileSize(fd, size) != 0) {
    if (fd >= 0) ops.close(fd);
    problem = "The fingerprint file cannot be read";
    return false;
  }
  bytes.resize(static_cast<std::size_t>(size));
  std::uint64_t done = 0;
  while (done < size) {
    ssize_t n = ops.pread(fd, bytes.data() + done, static_cast<std::size_t>(size - done), done);
    if (n <= 0) break;
    done += static_cast<std::uint64_t>(n);
  }
  ops.close(fd);
  if (done != size) {
    problem = "The fingerprint file cannot be read";
    return false;
  }
  return true;
}

}  // namespace

FingerprintLoad loadFingerprints(const std::string& catalogPath, FileOps& ops) {
  FingerprintLoad load;
  const std::string path = companionPathOf(catalogPath);
  if (!exists(path)) return load;
  load.state = FingerprintLoad::State::Damaged;
  std::string bytes;
  if (!readWhole(path, ops, bytes, load.problem)) return load;
  try {
    load.content = parseCompanion(bytes);
  } catch (const ECompanionError& e) {
    load.problem = e.what();
    return load;
  }
  CatalogIdentity now;
  try {
    now = identityOf(catalogPath, ops);
  } catch (const EStreamError& e) {
    load.problem = e.what();
    load.content = {};
    return load;
  }
  if (now != load.content.identity) {
    load.state = FingerprintLoad::State::Mismatch;
    load.problem = "The fingerprint file belongs to another state of the catalog";
    load.content = {};
    return load;
  }
  load.state = FingerprintLoad::State::Valid;
  return load;
}

void writeCompanion(const std::string& catalogPath, const CompanionContent& content,
                    FileOps& ops) {
  AtomicFileWriter out(companionPathOf(catalogPath), ops);
  const std::string bytes = serializeCompanion(content);
  out.stream().write(bytes.data(), bytes.size());
  out.commit();
}

bool commitCatalogWithCompanion(const std::string& stagedPath, const std::string& catalogPath,
                                const CompanionContent* content, FileOps& ops) {
  // The catalog's rename is the moment the scan succeeds; until then both old files stand.
  if (ops.rename(stagedPath, catalogPath) != 0) {
    removeFile(ops, stagedPath);
    throw EStreamError(msg::kStreamWriteError);
  }
  ops.fsyncDir(directoryOf(catalogPath));
  if (content) {
    try {
      writeCompanion(catalogPath, *content, ops);
      return true;
    } catch (const EStreamError&) {
      // Falls through: the old companion must not stay beside the new catalog.
    }
  }
  removeCompanionOf(catalogPath, ops);
  return false;
}

bool retieCompanion(const std::string& catalogPath, CompanionContent content, FileOps& ops) {
  try {
    content.identity = identityOf(catalogPath, ops);
    writeCompanion(catalogPath, content, ops);
    return true;
  } catch (const EStreamError&) {
    removeCompanionOf(catalogPath, ops);
    return false;
  }
}

bool removeCompanionOf(const std::string& catalogPath, FileOps& ops) {
  const std::string companion = companionPathOf(catalogPath);
  return !exists(companion) || removeFile(ops, companion);
}

std::string ignoredCompanionText(const std::string& catalogPath, const FingerprintLoad& load) {
  return companionPathOf(catalogPath) + ": " + load.problem + "; its fingerprints are ignored";
}

}  // namespace kolvex
