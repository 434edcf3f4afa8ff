#pragma once
// Arguments that gather into lists, each taken exactly as written. The option parser would
// read an argument such as "[a,b]" as a list of two values and "[]" as no value at all,
// which loses names and masks that look like that.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

namespace kolvex::cli {

// A positional list (NAME...) that takes every remaining positional argument.
CLI::Option* addPositionalList(CLI::App& sub, const std::string& name,
                               std::vector<std::string>& into, const std::string& description);

// An option that may be given more than once, one value each time (--in A --in B).
CLI::Option* addRepeatedOption(CLI::App& sub, const std::string& name,
                               std::vector<std::string>& into, const std::string& description);

// The help formatter that shows a positional list as "NAME...".
std::shared_ptr<CLI::Formatter> listFormatter();

}  // namespace kolvex::cli
