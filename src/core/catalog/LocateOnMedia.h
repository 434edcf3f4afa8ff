#pragma once
// Finds a catalogued item on the real file system: where it was catalogued, or on
// another mounted volume of the same class when its medium now sits elsewhere. When it is
// nowhere, the user is asked to insert the medium (message A026) and it is looked for
// again.
#include <functional>
#include <string>
#include <vector>

#include "core/app/Dialogs.h"
#include "core/app/LanguageFile.h"
#include "platform/Volume.h"

namespace kolvex {

class MediaLocator {
 public:
  using VolumeSource = std::function<std::vector<Volume>()>;
  // volumes: the mounted volumes, asked again at every attempt (the default reads the
  // running system's).
  MediaLocator(Dialogs& dialogs, LanguageFile& language, VolumeSource volumes = {});

  // The real path of the item whose stored path ("X:\docs\a.txt") lies below the catalog's
  // base directory, or empty when the user gives up. createSerial, when known, puts the
  // volume that carries the catalogued serial first.
  std::string LocateOnMedia(const std::string& storedPath, const std::string& baseDir,
                            const std::string& label, bool removable,
                            const std::string& createSerial = {});

 private:
  std::string findOnce(const std::string& storedPath, const std::string& baseDir, bool removable,
                       const std::string& createSerial, std::string& shownPath);
  Dialogs& dialogs_;
  LanguageFile& language_;
  VolumeSource volumes_;
};

// The parts of a stored path after its pseudo-root "X:\", split at "\".
std::vector<std::string> storedPathParts(const std::string& storedPath);

// The folders of a base directory: "/media/u/DISC/Data/" gives media, u, DISC, Data; a
// base written on Windows, "D:\Data\", gives Data.
std::vector<std::string> baseDirParts(const std::string& baseDir);

// The existing entry below folder `dir` named by parts joined with "/"; a name that holds
// "\" (stored with its backslash) is found too, by joining neighbouring parts again.
// Empty when there is none. The entry itself is not followed if it is a symbolic link.
std::string resolveParts(const std::string& dir, const std::vector<std::string>& parts);

}  // namespace kolvex
