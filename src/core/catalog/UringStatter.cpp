#include "core/catalog/UringStatter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

namespace kolvex {
namespace {

constexpr unsigned kMask = STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME;

bool statxSupported(io_uring& ring) {
  io_uring_probe* probe = io_uring_get_probe_ring(&ring);
  if (!probe) return false;
  bool ok = io_uring_opcode_supported(probe, IORING_OP_STATX);
  io_uring_free_probe(probe);
  return ok;
}

// Results that say nothing about the entry, only that the ring did not do the lookup.
bool notLookedUp(int error) {
  return error == EINVAL || error == EOPNOTSUPP || error == ENOSYS || error == EAGAIN ||
         error == EINTR || error == ECANCELED || error == EPERM;
}

}  // namespace

std::unique_ptr<UringStatter> UringStatter::open(SlicedPump& pump, const bool& cancelled) {
  std::unique_ptr<UringStatter> s(new UringStatter(pump, cancelled));
  // Completions are delivered only when this thread asks for them: fewer wake-ups.
  // Older kernels refuse the newer flags; each is tried in turn.
  int rc = -EINVAL;
  for (unsigned flags : {IORING_SETUP_SINGLE_ISSUER | IORING_SETUP_DEFER_TASKRUN,
                         unsigned{IORING_SETUP_COOP_TASKRUN}, 0u}) {
    io_uring_params params{};
    params.flags = flags;
    rc = io_uring_queue_init_params(kDepth, &s->ring_, &params);
    if (rc != -EINVAL) break;
  }
  if (rc < 0) return nullptr;  // the destructor leaves a ring that never was alone
  s->ringUp_ = true;
  if (!statxSupported(s->ring_)) return nullptr;
  // At most one kernel worker per outstanding lookup.
  unsigned workers[2] = {kDepth, kDepth};
  io_uring_register_iowq_max_workers(&s->ring_, workers);
  for (unsigned i = kDepth; i-- > 0;) s->freeSlots_.push_back(i);
  return s;
}

UringStatter::~UringStatter() {
  if (!ringUp_) return;
  // Lookups still outstanding write into results_: wait for them before it goes.
  while (inFlight_ > 0 && !broken_) {
    io_uring_cqe* cqe = nullptr;
    if (io_uring_wait_cqe(&ring_, &cqe) < 0) break;
    io_uring_cqe_seen(&ring_, cqe);
    --inFlight_;
  }
  io_uring_queue_exit(&ring_);
}

void UringStatter::lookUp(int dir, std::span<const std::string_view> names,
                          std::span<EntryStat> out) {
  if (broken_) {
    for (std::size_t i = 0; i < names.size() && !cancelled_; ++i) {
      out[i] = lstatAt(dir, names[i].data());
      pump_.tick();
    }
    return;
  }
  std::size_t next = 0;
  while (next < names.size() || inFlight_ > 0) {
    while (next < names.size() && !freeSlots_.empty() && !cancelled_) {
      io_uring_sqe* sqe = io_uring_get_sqe(&ring_);
      if (!sqe) break;
      unsigned slot = freeSlots_.back();
      freeSlots_.pop_back();
      io_uring_prep_statx(sqe, dir, names[next].data(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                          kMask, &results_[slot]);
      io_uring_sqe_set_data64(sqe, slot);
      entryOf_[slot] = next++;
      ++inFlight_;
    }
    if (inFlight_ == 0) break;  // cancelled
    // Waiting for half of what is outstanding costs one system call per many lookups
    // and still keeps the queue from running dry on a cold disk.
    int rc = io_uring_submit_and_wait(&ring_, inFlight_ > 1 ? inFlight_ / 2 : 1);
    if (rc < 0 && rc != -EINTR && rc != -EAGAIN && rc != -EBUSY) {
      // The ring itself failed: what it has not answered is looked up one by one, and
      // its buffers stay untouched by the rest of the scan.
      broken_ = true;
      for (std::size_t i = 0; i < names.size() && !cancelled_; ++i)
        out[i] = lstatAt(dir, names[i].data());
      return;
    }
    collect(dir, names, out);
    pump_.tick();
  }
}

void UringStatter::collect(int dir, std::span<const std::string_view> names,
                           std::span<EntryStat> out) {
  io_uring_cqe* cqe;
  unsigned head, seen = 0;
  io_uring_for_each_cqe(&ring_, head, cqe) {
    ++seen;
    const auto slot = static_cast<unsigned>(io_uring_cqe_get_data64(cqe));
    const std::size_t i = entryOf_[slot];
    const struct statx& x = results_[slot];
    EntryStat& r = out[i];
    if (cqe->res == 0) {
      r = EntryStat{};
      r.mode = x.stx_mode;
      r.size = static_cast<std::int64_t>(x.stx_size);
      r.mtime = x.stx_mtime.tv_sec;
      r.device = makedev(x.stx_dev_major, x.stx_dev_minor);
    } else if (notLookedUp(-cqe->res)) {
      r = lstatAt(dir, names[i].data());
    } else {
      r = EntryStat{};
      r.error = -cqe->res;
    }
    freeSlots_.push_back(slot);
    --inFlight_;
  }
  io_uring_cq_advance(&ring_, seen);
}

}  // namespace kolvex
