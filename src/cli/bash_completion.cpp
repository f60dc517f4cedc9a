// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/bash_completion.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "cli/command_introspection.h"

namespace korvaset {

namespace {

// Quoted for the shell: every word we write is plain, but a quote must not end the script.
std::string Quoted(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Joined(const std::vector<std::string>& words, char separator = ' ') {
  std::string joined;
  for (const std::string& word : words) {
    if (!joined.empty()) joined += separator;
    joined += word;
  }
  return joined;
}

class ScriptWriter {
 public:
  ScriptWriter(std::ostream& out, const CLI::App& app, const CompletionTable& table)
      : out_(out), app_(app), table_(table), function_("_" + app.get_name()) {
    std::replace(function_.begin(), function_.end(), '-', '_');
  }

  void Write() {
    out_ << "# bash completion for " << app_.get_name() << ", written by " << app_.get_name()
         << " from its own commands.\n\n";
    WriteHelpers();
    out_ << function_ << "() {\n"
         << "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
         << "  local command= arguments=0 i\n";
    WriteScan();
    WriteOptionValues();
    WriteOptionNames();
    WriteArguments();
    out_ << "}\n\ncomplete -F " << function_ << " " << app_.get_name() << "\n";
  }

 private:
  void WriteHelpers() {
    out_ << "# CUR WORDS PATTERN [nospace]: the words, and the paths matching PATTERN, that begin "
            "with CUR.\n"
         << function_ << "_offer() {\n"
         << "  local paths=\n"
         << "  [[ -n $3 ]] && paths=$(compgen -G \"$3\")\n"
         << "  mapfile -t COMPREPLY < <(compgen -W \"$2 $paths\" -- \"$1\")\n"
         << "  [[ ${4-} == nospace ]] && compopt -o nospace 2>/dev/null\n"
         << "  return 0\n"
         << "}\n\n"
         << "# CUR: the file names that begin with CUR.\n"
         << function_ << "_files() {\n"
         << "  compopt -o filenames 2>/dev/null\n"
         << "  mapfile -t COMPREPLY < <(compgen -f -- \"$1\")\n"
         << "}\n\n";
  }

  // Finds the command on the line and counts its arguments before the cursor, stepping over
  // the values of options.
  void WriteScan() {
    std::set<std::string> valued;
    for (const CLI::App* command : WithCommands()) {
      for (const CLI::Option* option : NamedOptions(*command)) {
        if (TakesValue(*option)) {
          for (const std::string& name : OptionNames(*option)) valued.insert(name);
        }
      }
    }
    out_ << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
         << "    case ${COMP_WORDS[i]} in\n";
    if (!valued.empty()) {
      out_ << "      " << Joined({valued.begin(), valued.end()}, '|') << ") i=$((i + 1)) ;;\n";
    }
    out_ << "      -*) ;;\n"
         << "      *) if [[ -z $command ]]; then command=${COMP_WORDS[i]}; "
            "else arguments=$((arguments + 1)); fi ;;\n"
         << "    esac\n"
         << "  done\n";
  }

  void WriteOptionValues() {
    out_ << "  case $command:$prev in\n";
    for (const CLI::App* command : WithCommands()) {
      for (const CLI::Option* option : NamedOptions(*command)) {
        if (!TakesValue(*option)) continue;
        std::vector<std::string> patterns;
        for (const std::string& name : OptionNames(*option)) {
          patterns.push_back(CommandName(*command) + ":" + name);
        }
        out_ << "    " << Joined(patterns, '|') << ") " << Offer(*option) << "; return ;;\n";
      }
    }
    out_ << "  esac\n";
  }

  void WriteOptionNames() {
    out_ << "  if [[ $cur == -* ]]; then\n"
         << "    case $command in\n";
    for (const CLI::App* command : WithCommands()) {
      std::vector<std::string> names;
      for (const CLI::Option* option : NamedOptions(*command)) {
        for (const std::string& name : OptionNames(*option)) names.push_back(name);
      }
      out_ << "      " << Quoted(CommandName(*command)) << ") " << function_ << "_offer \"$cur\" "
           << Quoted(Joined(names)) << " '' ;;\n";
    }
    out_ << "    esac\n"
         << "    return\n"
         << "  fi\n";
  }

  void WriteArguments() {
    std::vector<std::string> commands;
    for (const CLI::App* command : VisibleCommands(app_)) commands.push_back(command->get_name());
    out_ << "  case $command in\n"
         << "    '') " << function_ << "_offer \"$cur\" " << Quoted(Joined(commands)) << " '' ;;\n";
    for (const CLI::App* command : VisibleCommands(app_)) {
      const std::vector<const CLI::Option*> arguments = Positionals(*command);
      out_ << "    " << Quoted(command->get_name()) << ")";
      if (arguments.empty()) {
        out_ << " ;;\n";
        continue;
      }
      out_ << "\n      case $arguments in\n";
      for (std::size_t i = 0; i < arguments.size(); ++i) {
        const bool many = i + 1 == arguments.size() && arguments[i]->get_expected_max() > 1;
        out_ << "        " << (many ? std::string("*") : std::to_string(i)) << ") "
             << Offer(*arguments[i]) << " ;;\n";
      }
      out_ << "      esac ;;\n";
    }
    out_ << "    *) " << function_ << "_files \"$cur\" ;;\n"
         << "  esac\n";
  }

  // The app itself, then its commands; the app's options go before any command name.
  std::vector<const CLI::App*> WithCommands() const {
    std::vector<const CLI::App*> all{&app_};
    for (const CLI::App* command : VisibleCommands(app_)) all.push_back(command);
    return all;
  }

  std::string CommandName(const CLI::App& command) const {
    return &command == &app_ ? std::string() : command.get_name();
  }

  // The shell command that offers an option's or an argument's values.
  std::string Offer(const CLI::Option& option) const {
    const auto listed = table_.find(option.get_name(option.get_positional()));
    if (listed != table_.end()) {
      const CompletionValues& values = listed->second;
      return function_ + "_offer \"$cur\" " + Quoted(Joined(values.words)) + " " +
             Quoted(values.pathPattern) + (values.wordGoesOn ? " nospace" : "");
    }
    const std::vector<std::string> checked = CheckedValues(option);
    if (!checked.empty()) {
      return function_ + "_offer \"$cur\" " + Quoted(Joined(checked)) + " ''";
    }
    return function_ + "_files \"$cur\"";
  }

  std::ostream& out_;
  const CLI::App& app_;
  const CompletionTable& table_;
  std::string function_;
};

}  // namespace

void WriteBashCompletion(std::ostream& out, const CLI::App& app, const CompletionTable& table) {
  ScriptWriter(out, app, table).Write();
}

}  // namespace korvaset
