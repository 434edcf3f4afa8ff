#include "cli/ModifyCommand.h"

#include <optional>
#include <ostream>

#include "cli/CliEnvironment.h"
#include "cli/TerminalDialogs.h"
#include "core/catalog/DescriptionText.h"
#include "core/catalog/ModifyArchive.h"

namespace kolvex::cli {

void ModifyCommand::setup(CLI::App& sub) {
  sub.add_option("CATALOG", catalog_, "The catalog file")->required();
  sub.add_option("--label", label_, "The new label (: \" | * ? / \\ < > become _)");
  sub.add_option("--base-dir", baseDir_, "The folder the catalog describes");
  sub.add_option("--removable", removable_, "Whether the medium is removable")
      ->check(CLI::IsMember({"yes", "no"}));
  sub.add_option("--description-file", descriptionFile_,
                 "A text or Rich Text Format file whose lines become the description");
}

int ModifyCommand::run(Io& io) {
  if (!label_ && !baseDir_ && !removable_ && !descriptionFile_) {
    io.err << "kolvex-cli: nothing to change; give --label, --base-dir, --removable or "
              "--description-file\n";
    return kExitUsage;
  }
  HeaderEdits edits;
  edits.label = label_;
  edits.baseDir = baseDir_;
  if (removable_) edits.removable = *removable_ == "yes";
  if (descriptionFile_) {
    std::optional<DescriptionFile> file = LoadDescriptionFile(*descriptionFile_);
    if (!file) {
      io.err << "kolvex-cli: cannot read the description file " << *descriptionFile_ << "\n";
      return kExitFailure;
    }
    // Keeping part of what was asked for without a word would lose the rest unseen.
    if (file->cut) {
      io.err << "kolvex-cli: " << DescriptionCutNote(*file) << "; nothing was changed\n";
      return kExitFailure;
    }
    edits.description = std::move(file->lines);
  }
  CliEnvironment env;
  TerminalDialogs dialogs(io.err, nullptr);
  dialogs.setSubject(catalog_);
  std::string reason;
  if (!ModifyArchive(catalog_, edits, dialogs, env.texts, reason)) return kExitFailure;
  io.out << catalog_ << "\n";
  return kExitOk;
}

}  // namespace kolvex::cli
