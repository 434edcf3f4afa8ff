#pragma once
// Everything a scan asks the rest of the program for: the options, the volumes, the
// windows' seams and the catalog folder. The windows, the drive monitor, the command line
// and the tests each fill one and hand it to the scanner.
#include <string>

#include "core/app/Dialogs.h"
#include "core/app/EventPump.h"
#include "core/app/IconProvider.h"
#include "core/app/LanguageFile.h"
#include "core/catalog/EntryStatter.h"
#include "core/catalog/ScanProgress.h"
#include "core/persist/FileOps.h"
#include "core/persist/TSCOptions.h"
#include "platform/VolumeTable.h"

namespace kolvex {

struct ScanContext {
  const TSCOptions& options;  // DescriptionFiles, IconIndexingMatches
  VolumeTable& volumes;
  IconProvider& icons;
  Dialogs& dialogs;
  LanguageFile& texts;
  EventPump& pump;
  ScanProgress& progress;
  // The folder new catalogs are named into, with a trailing '/'.
  std::string archivesDir;
  // Every write of a catalog goes through here.
  FileOps& ops = posixFileOps();
  // How the walk looks entries up; tests and benchmarks compare the ways.
  StatMethod statMethod = StatMethod::Ahead;
  // How many threads the scan may use (tests pretend to have one core, or a cold disk).
  ScanThreads threads = {};
  // Record content fingerprints in the catalog's companion file after the walk.
  bool fingerprints = false;
  // Whether the catalog's search index is made again once the catalog is in place; the
  // scan benchmark times the two apart.
  bool refreshIndex = true;
};

}  // namespace kolvex
