#pragma once
// Keeps a catalog and its fingerprint file together: loading checks that the companion
// belongs to the catalog as it is now; writing, replacing and removing go with the
// catalog so that an old companion never sits beside a new catalog unnoticed.
#include <string>

#include "core/content/CompanionFile.h"
#include "core/persist/FileOps.h"

namespace kolvex {

struct FingerprintLoad {
  enum class State {
    None,      // the catalog has no fingerprint file
    Valid,     // content holds the catalog's fingerprints
    Mismatch,  // a fingerprint file of another state of the catalog: ignored
    Damaged,   // unreadable or damaged: ignored
  };
  State state = State::None;
  std::string problem;  // for Mismatch and Damaged, a sentence for the user
  CompanionContent content;

  bool usable() const { return state == State::Valid; }
};

// The fingerprints of a catalog, checked against the catalog's identity. Never throws for
// the companion's sake; a catalog that cannot be read gives Damaged with its error.
FingerprintLoad loadFingerprints(const std::string& catalogPath, FileOps& ops = posixFileOps());

// Puts a finished catalog (written completely under stagedPath, in the same folder) in
// place of catalogPath, then writes its fingerprints (content), or none when content is
// null. Until the catalog's rename both old files stand (EStreamError, staged file gone).
// When the companion cannot be written after it, the old one is removed and the result
// is false: the new catalog then simply has no fingerprints.
bool commitCatalogWithCompanion(const std::string& stagedPath, const std::string& catalogPath,
                                const CompanionContent* content, FileOps& ops = posixFileOps());

// Writes content as the companion of catalogPath, atomically (EStreamError on failure).
void writeCompanion(const std::string& catalogPath, const CompanionContent& content,
                    FileOps& ops = posixFileOps());

// After a rewrite that kept every record where it was (a new header), ties fingerprints
// that belonged to the catalog before it to the catalog as it is now. False, with no
// companion left, when that cannot be written (the old one would no longer match).
bool retieCompanion(const std::string& catalogPath, CompanionContent content,
                    FileOps& ops = posixFileOps());

// Removes the companion of a catalog that was removed. False when one remains.
bool removeCompanionOf(const std::string& catalogPath, FileOps& ops = posixFileOps());

// A sentence for a companion that is ignored, naming the file.
std::string ignoredCompanionText(const std::string& catalogPath, const FingerprintLoad& load);

}  // namespace kolvex
