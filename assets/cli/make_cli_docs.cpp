// Build step: writes kolvex-cli's manual page and its bash completion from the tool's own
// command line, so both name exactly the commands and options the tool accepts, and the
// desktop program's manual page beside it.
//   kolvex_make_cli_docs MANDIR COMPLETION VERSION DATE
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace {

using kolvex::cli::Command;

// What completes the value of an option or a positional argument, by its name: "dir",
// "file", "catalog", a list of words, or nothing.
const std::map<std::string, std::string>& valueKinds() {
  static const std::map<std::string, std::string> kinds = {
      {"PATH", "dir"},
      {"FILE", "file"},
      {"CATALOG", "catalog"},
      {"--archives", "dir"},
      {"--base-dir", "dir"},
      {"--description-file", "file"},
      {"--in", "catalog"},
      {"--removable", "words:yes no"},
      {"--for", "words:catalogs dirs files catalogs,dirs,files"},
      {"--attr", "words:any hidden system readonly archive"},
  };
  return kinds;
}

std::string kindOf(const std::string& name) {
  auto it = valueKinds().find(name);
  return it == valueKinds().end() ? "none" : it->second;
}

// The option's spellings: "--yes" and "-y" for --yes,-y.
std::vector<std::string> spellings(const CLI::Option& o) {
  std::vector<std::string> out;
  for (const std::string& l : o.get_lnames()) out.push_back("--" + l);
  for (const std::string& s : o.get_snames()) out.push_back("-" + s);
  return out;
}

bool takesValue(const CLI::Option& o) { return o.get_expected_max() != 0; }

// The value's placeholder: a validator's name when it has one ("FROM..TO"), else what
// completes it ("DIR"), else the type ("TEXT").
std::string placeholder(const CLI::Option& o) {
  std::string type = o.get_type_name();
  const std::size_t colon = type.find(':');
  const std::string kind = kindOf(o.get_name());
  if (colon != std::string::npos)
    type = type.substr(colon + 1);
  else if (kind == "dir" || kind == "file" || kind == "catalog")
    type = kind == "dir" ? "DIR" : kind == "file" ? "FILE" : "CATALOG";
  for (char& c : type)
    if (c == '{' || c == '}') c = ' ';
  std::string trimmed;
  for (char c : type)
    if (c != ' ' || (!trimmed.empty() && trimmed.back() != ' ')) trimmed += c;
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  return trimmed.empty() ? "VALUE" : trimmed;
}

// Text for troff: backslashes doubled, '-' as a real hyphen-minus, and a line that would
// start with a control character guarded.
std::string roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
  return out;
}

std::vector<const CLI::Option*> optionsOf(const CLI::App& sub) {
  std::vector<const CLI::Option*> out;
  for (const CLI::Option* o : sub.get_options())
    if (o != sub.get_help_ptr()) out.push_back(o);
  return out;
}

std::string synopsis(const CLI::App& sub) {
  std::string line = sub.get_name();
  for (const CLI::Option* o : optionsOf(sub)) {
    if (o->get_positional()) {
      std::string name = o->get_name();
      if (o->get_items_expected_max() > 1) name += "...";
      line += " " + (o->get_required() ? name : "[" + name + "]");
    } else {
      std::string name = spellings(*o).front();
      if (takesValue(*o)) name += " " + placeholder(*o);
      line += " [" + name + "]";
    }
  }
  return line;
}

// Where the files live, for both pages.
const char* const kFilesSection =
    ".SH FILES\n"
    "A copy of Kolvex is either portable or installed; the desktop program's about view\n"
    "and\n.B kolvex\\-cli \\-\\-version\nname the mode and the folders in use.\n"
    ".TP\n.B Portable\n"
    "The program's folder holds Options.cfg and is writable. It then holds everything:\n"
    "the programs, Options.cfg, Default.cfg, IPack.ipk, Languages/ and the catalogs in\n"
    "Archives/.\n"
    ".TP\n.B Installed\n"
    "Any other copy, such as one installed into /usr. The shared files come from\n"
    "share/kolvex/ beside the program's bin/ folder; each user's Options.cfg (made from\n"
    "Default.cfg) and catalogs live in\n.IR $XDG_DATA_HOME/Kolvex/ ,\nthat is\n"
    ".I ~/.local/share/Kolvex/\nby default, with the catalogs in its Archives/ folder.\n"
    ".SH ENVIRONMENT\n.TP\n.B XDG_DATA_HOME\n"
    "Where an installed copy keeps each user's files (an absolute path; otherwise\n"
    ".IR ~/.local/share ).\n";

std::string header(const std::string& title, const std::string& version, const std::string& date) {
  return ".TH " + title + " 1 \"" + date + "\" \"Kolvex " + version + "\" \"User Commands\"\n.nh\n";
}

std::string programPage(const std::string& version, const std::string& date) {
  std::ostringstream m;
  m << header("KOLVEX", version, date)
    << ".SH NAME\nkolvex \\- catalogue discs and folders, browse and search the catalogs\n"
    << ".SH SYNOPSIS\n.B kolvex\n.RI [ FOLDER | /am ]\n.br\n"
       ".B kolvex\n.RB [ \\-h | \\-\\-help | \\-\\-version ]\n"
    << ".SH DESCRIPTION\n"
       ".B kolvex\nwalks a disc, a stick, a disk or a folder once and keeps a catalog of every\n"
       "file and folder on it. With the media put away it lists the catalogs, browses one\n"
       "like a file manager and searches many at once; a file opens as soon as its medium\n"
       "is back. Only one copy runs per user: a second start hands its folder to the\n"
       "running one.\n"
    << ".SH OPTIONS\n.TP\n.I FOLDER\nOffer this folder for cataloguing.\n"
       ".TP\n.B /am\nStart hidden in the tray, as the automatic start at log-on does.\n"
       ".TP\n.BR \\-h \", \" \\-\\-help\nPrint a short usage and end, without a window.\n"
       ".TP\n.B \\-\\-version\nPrint the version, the mode and the folders in use, and end.\n"
    << kFilesSection << ".SH \"SEE ALSO\"\n.BR kolvex\\-cli (1)\n";
  return m.str();
}

std::string manPage(const CLI::App& app, const std::string& version, const std::string& date) {
  std::ostringstream m;
  m << header("KOLVEX\\-CLI", version, date)
    << ".SH NAME\nkolvex\\-cli \\- catalogue discs and folders, list and search the catalogs\n"
    << ".SH SYNOPSIS\n.B kolvex\\-cli\n.I COMMAND\n.RI [ OPTIONS ]\n.br\n"
    << ".B kolvex\\-cli\n.RB [ \\-\\-help | \\-\\-version ]\n"
    << ".SH DESCRIPTION\n" << roff(app.get_description()) << "\n"
    << ".PP\nIt works on the same catalogs as the desktop program\n.BR kolvex .\n"
    << "Each command prints its own help with\n.BR \\-\\-help .\n"
    << ".SH COMMANDS\n";
  for (const CLI::App* sub : app.get_subcommands({})) {
    m << ".SS \"" << roff(synopsis(*sub)) << "\"\n" << roff(sub->get_description()) << ".\n";
    for (const CLI::Option* o : optionsOf(*sub)) {
      m << ".TP\n";
      if (o->get_positional()) {
        m << ".I " << roff(o->get_name()) << "\n";
      } else {
        std::string names;
        for (const std::string& s : spellings(*o)) names += (names.empty() ? "" : ", ") + s;
        m << "\\fB" << roff(names) << "\\fR";
        if (takesValue(*o)) m << " \\fI" << roff(placeholder(*o)) << "\\fR";
        m << "\n";
      }
      m << roff(o->get_description()) << "\n";
    }
  }
  m << kFilesSection
    << ".SH \"EXIT STATUS\"\n.TP\n.B 0\nSuccess.\n.TP\n.B 1\n"
       "A file could not be read, a scan failed or was refused, or a search found nothing;\n"
       "the reason is printed on standard error.\n.TP\n.B 2\n"
       "A wrong command line, or a failed search.\n"
    << ".SH \"SEE ALSO\"\n.BR kolvex (1)\n";
  return m.str();
}

std::string words(const std::vector<std::string>& list) {
  std::string out;
  for (const std::string& w : list) out += (out.empty() ? "" : " ") + w;
  return out;
}

// The shell code that completes kind into COMPREPLY.
std::string completeKind(const std::string& kind) {
  if (kind == "dir") return "COMPREPLY=($(compgen -d -- \"$cur\"))";
  if (kind == "file") return "COMPREPLY=($(compgen -f -- \"$cur\"))";
  if (kind == "catalog")
    return "COMPREPLY=($(compgen -d -- \"$cur\") $(compgen -f -X '!*.[qQ][eE][lL]' -- "
           "\"$cur\"))";
  if (kind.rfind("words:", 0) == 0)
    return "COMPREPLY=($(compgen -W '" + kind.substr(6) + "' -- \"$cur\"))";
  return "COMPREPLY=()";
}

std::string completion(const CLI::App& app) {
  std::vector<std::string> commands;
  for (const CLI::App* sub : app.get_subcommands({})) commands.push_back(sub->get_name());
  std::ostringstream c;
  c << "# bash completion for kolvex-cli, written by the build from the tool's command line.\n"
    << "_kolvex_cli() {\n"
    << "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
    << "  local command='' i\n"
    << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
    << "    [[ ${COMP_WORDS[i]} == -* ]] || { command=${COMP_WORDS[i]}; break; }\n"
    << "  done\n"
    << "  if [[ -z $command ]]; then\n"
    << "    COMPREPLY=($(compgen -W '" << words(commands) << " --help --version' -- \"$cur\"))\n"
    << "    return\n  fi\n"
    << "  local valued='' options='' kinds=()\n"
    << "  case $command in\n";
  for (const CLI::App* sub : app.get_subcommands({})) {
    std::vector<std::string> valued, options{"--help"};
    std::vector<std::string> kinds;
    std::ostringstream values;
    for (const CLI::Option* o : optionsOf(*sub)) {
      if (o->get_positional()) {
        kinds.push_back(kindOf(o->get_name()));
        continue;
      }
      for (const std::string& s : spellings(*o)) {
        options.push_back(s);
        if (takesValue(*o)) valued.push_back(s);
      }
      if (takesValue(*o))
        values << "        " << spellings(*o).front() << ") " << completeKind(kindOf(o->get_name()))
               << "; return ;;\n";
    }
    c << "    " << sub->get_name() << ")\n"
      << "      case $prev in\n" << values.str() << "      esac\n"
      << "      valued='" << words(valued) << "' options='" << words(options) << "'\n"
      << "      kinds=(" << words(kinds) << ") ;;\n";
  }
  c << "    *) return ;;\n  esac\n"
    << "  # An option's value is completed above; the prior word named none.\n"
    << "  [[ \" $valued \" == *\" $prev \"* ]] && return\n"
    << "  if [[ $cur == -* ]]; then\n"
    << "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n    return\n  fi\n"
    << "  # Which positional argument this is; the last one takes any number of words.\n"
    << "  local n=0 skip=''\n"
    << "  for ((i++; i < COMP_CWORD; i++)); do\n"
    << "    if [[ -n $skip ]]; then skip=''; continue; fi\n"
    << "    case ${COMP_WORDS[i]} in\n"
    << "      -*) [[ \" $valued \" == *\" ${COMP_WORDS[i]} \"* ]] && skip=1 ;;\n"
    << "      *) ((n++)) ;;\n"
    << "    esac\n  done\n"
    << "  ((${#kinds[@]})) || return\n"
    << "  ((n < ${#kinds[@]})) || n=$((${#kinds[@]} - 1))\n"
    << "  case ${kinds[n]} in\n"
    << "    dir) " << completeKind("dir") << " ;;\n"
    << "    file) " << completeKind("file") << " ;;\n"
    << "    catalog) " << completeKind("catalog") << " ;;\n"
    << "    *) COMPREPLY=() ;;\n  esac\n"
    << "}\n"
    << "complete -o filenames -F _kolvex_cli kolvex-cli\n";
  return c.str();
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s MANDIR COMPLETION VERSION DATE\n", argv[0]);
    return 2;
  }
  auto commands = kolvex::cli::allCommands();
  auto app = kolvex::cli::makeCliApp(commands);
  const std::string dir = std::string(argv[1]) + "/";
  if (!writeFile(dir + "kolvex-cli.1", manPage(*app, argv[3], argv[4])) ||
      !writeFile(dir + "kolvex.1", programPage(argv[3], argv[4])) ||
      !writeFile(argv[2], completion(*app))) {
    std::fprintf(stderr, "%s: cannot write the manual page or the completion\n", argv[0]);
    return 1;
  }
  return 0;
}
