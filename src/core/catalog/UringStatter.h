#pragma once
// Looks up a folder's entries with statx through io_uring, at most kDepth at a time: the
// kernel runs them side by side, so a cold disk sees many requests at once instead of
// one, while the one user-interface thread only hands them out and collects them.
#include <liburing.h>

#include <array>
#include <memory>
#include <vector>

#include "core/catalog/EntryStatter.h"

namespace kolvex {

class UringStatter final : public EntryStatter {
 public:
  static constexpr unsigned kDepth = 32;

  // Null when the kernel has no io_uring, has it switched off, refuses it (a seccomp
  // filter) or cannot run statx through it.
  static std::unique_ptr<UringStatter> open(SlicedPump& pump, const bool& cancelled);
  ~UringStatter() override;
  UringStatter(const UringStatter&) = delete;
  UringStatter& operator=(const UringStatter&) = delete;

  void lookUp(int dir, std::span<const std::string_view> names,
              std::span<EntryStat> out) override;
  bool batched() const override { return !broken_; }

 private:
  UringStatter(SlicedPump& pump, const bool& cancelled) : pump_(pump), cancelled_(cancelled) {}
  void collect(int dir, std::span<const std::string_view> names, std::span<EntryStat> out);

  SlicedPump& pump_;
  const bool& cancelled_;
  io_uring ring_{};
  bool ringUp_ = false;  // ring_ was set up (and is taken down by the destructor)
  // One result buffer per outstanding lookup; the kernel writes into it until its
  // completion arrives, so it lives as long as the ring.
  std::array<struct statx, kDepth> results_{};
  std::array<std::size_t, kDepth> entryOf_{};  // the entry each buffer belongs to
  std::vector<unsigned> freeSlots_;
  unsigned inFlight_ = 0;
  bool broken_ = false;  // the ring failed once: one by one from then on
};

}  // namespace kolvex
