// libFuzzer entry point: the three walks of a catalog (ls, the explorer, the search) must
// agree on every catalog they all accept.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/explorer/CatalogAgreement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (std::string d = kolvex::test::disagreement(bytes); !d.empty()) {
    std::fprintf(stderr, "the walks disagree: %s\n", d.c_str());
    std::abort();
  }
  return 0;
}
