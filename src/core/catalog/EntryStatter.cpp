#include "core/catalog/EntryStatter.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>

#include "core/catalog/LookupChooser.h"
#include "core/catalog/UringStatter.h"

namespace kolvex {

EntryStat lstatAt(int dir, const char* name) {
  struct stat st {};
  EntryStat out;
  if (::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0) {
    out.error = errno;
    return out;
  }
  out.mode = st.st_mode;
  out.size = st.st_size;
  out.mtime = st.st_mtim.tv_sec;
  out.device = st.st_dev;
  return out;
}

namespace {

class OneByOneStatter final : public EntryStatter {
 public:
  OneByOneStatter(SlicedPump& pump, const bool& cancelled) : pump_(pump), cancelled_(cancelled) {}
  void lookUp(int dir, std::span<const std::string_view> names,
              std::span<EntryStat> out) override {
    for (std::size_t i = 0; i < names.size() && !cancelled_; ++i) {
      out[i] = lstatAt(dir, names[i].data());
      pump_.tick();
    }
  }
  bool batched() const override { return false; }

 private:
  SlicedPump& pump_;
  const bool& cancelled_;
};

// Each batch goes to whichever of the two the chooser names, and its time goes back to it.
class AdaptiveStatter final : public EntryStatter {
 public:
  AdaptiveStatter(std::unique_ptr<UringStatter> ring, SlicedPump& pump, const bool& cancelled)
      : ring_(std::move(ring)), oneByOne_(pump, cancelled), chooser_(true) {}
  void lookUp(int dir, std::span<const std::string_view> names,
              std::span<EntryStat> out) override {
    if (!ring_->batched()) chooser_.batchedGone();
    const LookupChooser::Method method = chooser_.next(names.size());
    EntryStatter& statter =
        method == LookupChooser::Batched ? static_cast<EntryStatter&>(*ring_) : oneByOne_;
    const auto start = std::chrono::steady_clock::now();
    statter.lookUp(dir, names, out);
    const auto took = std::chrono::steady_clock::now() - start;
    chooser_.measured(method, names.size(),
                      std::chrono::duration_cast<std::chrono::nanoseconds>(took).count());
  }
  bool batched() const override { return ring_->batched(); }

 private:
  std::unique_ptr<UringStatter> ring_;
  OneByOneStatter oneByOne_;
  LookupChooser chooser_;
};

}  // namespace

std::unique_ptr<EntryStatter> makeEntryStatter(StatMethod method, SlicedPump& pump,
                                               const bool& cancelled) {
  if (method != StatMethod::OneByOne) {
    if (auto ring = UringStatter::open(pump, cancelled)) {
      if (method == StatMethod::Batched) return ring;
      return std::make_unique<AdaptiveStatter>(std::move(ring), pump, cancelled);
    }
  }
  return std::make_unique<OneByOneStatter>(pump, cancelled);
}

}  // namespace kolvex
