#include "core/catalog/EntryStatter.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

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

}  // namespace

std::unique_ptr<EntryStatter> makeEntryStatter(StatMethod method, SlicedPump& pump,
                                               const bool& cancelled) {
  if (method == StatMethod::Batched) {
    if (auto ring = UringStatter::open(pump, cancelled)) return ring;
  }
  return std::make_unique<OneByOneStatter>(pump, cancelled);
}

}  // namespace kolvex
