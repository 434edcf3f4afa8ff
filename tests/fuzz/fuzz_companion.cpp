// libFuzzer entry point for the reader of fingerprint files: it must refuse or accept,
// never crash, hang or allocate more than the bytes can hold. Each input is tried as it
// is and once more with a correct closing digest, so the checks behind the digest are
// reached too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/content/CompanionFile.h"

namespace {

void tryParse(const std::string& bytes) {
  try {
    kolvex::CompanionContent c = kolvex::parseCompanion(bytes);
    // What was accepted must write back to the same bytes.
    if (kolvex::serializeCompanion(c) != bytes) __builtin_trap();
  } catch (const kolvex::ECompanionError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  tryParse(bytes);
  if (size >= 16) {
    kolvex::Fingerprint d = kolvex::fingerprintOf(bytes.data(), size - 16);
    for (int i = 0; i < 8; ++i) {
      bytes[size - 16 + i] = static_cast<char>(d.low >> (8 * i));
      bytes[size - 8 + i] = static_cast<char>(d.high >> (8 * i));
    }
    tryParse(bytes);
  }
  return 0;
}
