#include "cli/ArgumentList.h"

namespace kolvex::cli {
namespace {

// The parser only splits "[...]" for options that take extra arguments. Without them, a
// positional gathers while it holds fewer values than it expects, hence this count; the
// TakeAll policy keeps it from demanding that many.
constexpr int kListCount = CLI::detail::expected_max_vector_size / 32;

bool isList(const CLI::Option* opt) {
  return opt->get_positional() && opt->get_expected_min() == kListCount;
}

// Shows such a list as "NAME..." instead of with its count.
class ListFormatter final : public CLI::Formatter {
 public:
  std::string make_option_usage(const CLI::Option* opt) const override {
    if (!isList(opt)) return Formatter::make_option_usage(opt);
    std::string out = make_option_name(opt, true) + "...";
    return opt->get_required() ? out : "[" + out + "]";
  }
  std::string make_option_opts(const CLI::Option* opt) const override {
    if (!isList(opt)) return Formatter::make_option_opts(opt);
    std::string out = " " + get_label(opt->get_type_name()) + " ...";
    return opt->get_required() ? out + " " + get_label("REQUIRED") : out;
  }
};

}  // namespace

CLI::Option* addPositionalList(CLI::App& sub, const std::string& name,
                               std::vector<std::string>& into, const std::string& description) {
  return sub.add_option(name, into, description)
      ->expected(kListCount)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

CLI::Option* addRepeatedOption(CLI::App& sub, const std::string& name,
                               std::vector<std::string>& into, const std::string& description) {
  return sub.add_option(name, into, description)->allow_extra_args(false);
}

std::shared_ptr<CLI::Formatter> listFormatter() { return std::make_shared<ListFormatter>(); }

}  // namespace kolvex::cli
