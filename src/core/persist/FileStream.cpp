#include "core/persist/FileStream.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/persist/PersistError.h"

namespace kolvex {

FileStream::FileStream(const std::string& path, Mode mode, FileOps& ops)
    : ops_(ops), path_(path) {
  if (mode == Mode::Read) {
    fd_ = ops_.openRead(path);
    if (fd_ < 0) throwCannotOpen(path);
    if (!ops_.isRegularFile(fd_)) {
      ops_.close(fd_);
      throw EFOpenError(fillMessage(msg::kNotRegularFile, path));
    }
    if (ops_.fileSize(fd_, fileSize_) != 0) {
      ops_.close(fd_);
      throwCannotOpen(path);
    }
  } else {
    fd_ = ops_.create(path, mode == Mode::CreateNew);
    if (fd_ < 0) throwCannotCreate(path, errno);
  }
  dropWindow(0);
}

FileStream::FileStream(int fd, std::string path, FileOps& ops)
    : ops_(ops), path_(std::move(path)), fd_(fd) {
  if (ops_.fileSize(fd_, fileSize_) != 0) fileSize_ = 0;
  dropWindow(0);
}

FileStream::~FileStream() {
  if (fd_ >= 0) {
    try {
      flush();
    } catch (const EStreamError&) {
      // Nothing more can be done from a destructor; close() reports such failures.
    }
    ops_.close(fd_);
  }
}

void FileStream::dropWindow(std::uint64_t pos) {
  const std::uint8_t* base = rbuf_.empty() ? nullptr : rbuf_.data();
  buf_ = cur_ = end_ = base;
  winPos_ = pos;
}

std::uint64_t FileStream::size() {
  std::uint64_t writtenEnd = wStart_ + wbuf_.size();
  return wbuf_.empty() || writtenEnd < fileSize_ ? fileSize_ : writtenEnd;
}

void FileStream::flush() {
  if (wbuf_.empty()) return;
  std::size_t done = 0;
  while (done < wbuf_.size()) {
    ssize_t n = ops_.pwrite(fd_, wbuf_.data() + done, wbuf_.size() - done, wStart_ + done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int err = n < 0 ? errno : ENOSPC;  // nothing written: the disk is full
      wbuf_.clear();
      throwWriteError(err);
    }
    done += static_cast<std::size_t>(n);
  }
  std::uint64_t end = wStart_ + wbuf_.size();
  if (end > fileSize_) fileSize_ = end;
  wStart_ = end;
  wbuf_.clear();
}

void FileStream::appendFrom(FileStream& from, std::uint64_t offset) {
  if (fd_ < 0 || from.fd_ < 0) throwWriteError(0);
  from.flush();
  flush();
  std::uint64_t in = offset, out = size();
  const std::uint64_t total = from.size();
  bool inKernel = true;
  while (in < total && inKernel) {
    constexpr std::uint64_t kMost = 1u << 30;  // what one call may copy
    ssize_t n = ops_.copyRange(from.fd_, in, fd_, out, std::min(total - in, kMost));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EOPNOTSUPP) {
      inKernel = false;
    } else if (n <= 0) {
      throwWriteError(n < 0 ? errno : 0);  // 0: the records file ended early
    } else {
      in += static_cast<std::uint64_t>(n);
      out += static_cast<std::uint64_t>(n);
    }
  }
  if (out > fileSize_) fileSize_ = out;
  dropWindow(out);
  if (in == total) return;
  from.seek(in);
  while (in < total) {
    std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(total - in, kBlock));
    write(from.take(chunk), chunk);
    in += chunk;
  }
}

void FileStream::startWriteBack(std::uint64_t offset, std::uint64_t length) {
  flush();
  if (fd_ >= 0)
    ::sync_file_range(fd_, static_cast<off64_t>(offset), static_cast<off64_t>(length),
                      SYNC_FILE_RANGE_WRITE);
}

void FileStream::sync() {
  flush();
  if (ops_.fsync(fd_) != 0) throwWriteError(errno);
}

std::uint64_t FileStream::sizeOnDisk() {
  std::uint64_t n = 0;
  if (fd_ < 0 || ops_.fileSize(fd_, n) != 0) throw EStreamError(msg::kStreamWriteError);
  return n;
}

void FileStream::close() {
  if (fd_ < 0) return;
  int fd = fd_;
  try {
    flush();
  } catch (...) {
    fd_ = -1;
    ops_.close(fd);
    throw;
  }
  fd_ = -1;
  if (ops_.close(fd) != 0) throwWriteError(errno);
}

void FileStream::write(const void* data, std::size_t n) {
  if (fd_ < 0) throw EStreamError(msg::kStreamWriteError);
  std::uint64_t pos = position();
  if (!wbuf_.empty() && wStart_ + wbuf_.size() != pos) flush();
  if (wbuf_.empty()) wStart_ = pos;
  wbuf_.append(static_cast<const char*>(data), n);
  dropWindow(pos + n);
  if (wbuf_.size() >= kBlock) flush();
}

void FileStream::fill(std::size_t n) {
  if (fd_ < 0) throwReadError();
  std::uint64_t pos = position();
  flush();
  if (size() < pos || size() - pos < n) throwReadError();
  std::size_t want = n > kBlock ? n : kBlock;
  // Links in a catalog point backwards, so a tree walk reads records in falling order:
  // after a backward jump the window mostly covers what lies before the position.
  std::uint64_t start = pos;
  if (backward_ && want == kBlock) {
    std::uint64_t behind = kBlock - std::max<std::size_t>(n, 4096);
    start = pos > behind ? pos - behind : 0;
  }
  backward_ = false;
  if (rbuf_.size() < want) rbuf_.resize(want);
  std::size_t got = 0;
  while (got < want) {
    ssize_t r = ops_.pread(fd_, rbuf_.data() + got, want - got, start + got);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += static_cast<std::size_t>(r);
  }
  buf_ = rbuf_.data();
  end_ = buf_ + got;
  winPos_ = start;
  cur_ = buf_ + std::min<std::uint64_t>(pos - start, got);
  if (got < pos - start + n) throwReadError();
}

void FileStream::seekOutside(std::uint64_t pos) {
  backward_ = end_ != buf_ && pos < winPos_;
  dropWindow(pos);
}

}  // namespace kolvex
