// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/manual_page.h"

#include <cctype>
#include <chrono>
#include <cstdlib>

#include "cli/command_introspection.h"

namespace korvaset {

namespace {

std::string Bold(std::string_view text) {
  return "\\fB" + Roff(text) + "\\fR";
}
std::string Italic(std::string_view text) {
  return "\\fI" + Roff(text) + "\\fR";
}

std::string ManualDate() {
  using namespace std::chrono;
  sys_seconds when = time_point_cast<seconds>(system_clock::now());
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    when = sys_seconds(seconds(std::strtoll(epoch, nullptr, 10)));
  }
  // By hand, not strftime: the page must not change with the builder's locale.
  static constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
  const year_month_day day{floor<days>(when)};
  return std::string(kMonths[static_cast<unsigned>(day.month()) - 1]) + " " +
         std::to_string(static_cast<int>(day.year()));
}

// The options of a command other than --help, which every command has.
std::vector<const CLI::Option*> OwnOptions(const CLI::App& command) {
  std::vector<const CLI::Option*> options;
  for (const CLI::Option* option : NamedOptions(command)) {
    if (option != command.get_help_ptr()) options.push_back(option);
  }
  return options;
}

// "new [OPTIONS] FILE", "set FILE ASSIGNMENTS..."
std::string Usage(const CLI::App& command) {
  std::string usage = Bold(command.get_name());
  if (!OwnOptions(command).empty()) usage += " [" + Italic("OPTIONS") + "]";
  for (const CLI::Option* argument : Positionals(command)) {
    std::string shown = Italic(argument->get_name(true));
    if (argument->get_expected_max() > 1) shown += "...";
    usage += " " + (argument->get_required() ? shown : "[" + shown + "]");
  }
  return usage;
}

// One option or argument as a tagged paragraph: its names and value, then what it does,
// the values its checks allow and its default.
void WriteItem(std::ostream& out, const CLI::Option& option) {
  out << ".TP\n";
  if (option.nonpositional()) {
    std::string names;
    for (const std::string& name : OptionNames(option)) {
      names += (names.empty() ? "" : ", ") + Bold(name);
    }
    out << names;
    if (TakesValue(option)) out << " " << Italic(TypeName(option));
  } else {
    out << Italic(option.get_name(true));
  }
  // What the checks allow and the default, as --help shows them after the name.
  std::string notes;
  const std::vector<std::string> values = CheckedValues(option);
  for (const std::string& value : values) {
    notes += (notes.empty() ? "one of " : ", ") + value;
  }
  if (!option.get_default_str().empty()) {
    notes += (notes.empty() ? "" : "; ") + std::string("default ") + option.get_default_str();
  }
  out << "\n" << Roff(option.get_description());
  if (!notes.empty()) out << " (" << Roff(notes) << ")";
  out << "\n";
}

}  // namespace

std::string Roff(std::string_view text) {
  std::string roff;
  for (char c : text) {
    if (c == '\\') {
      roff += "\\e";
    } else if (c == '-') {
      roff += "\\-";
    } else {
      if ((c == '.' || c == '\'') && (roff.empty() || roff.back() == '\n')) roff += "\\&";
      roff += c;
    }
  }
  return roff;
}

void WriteManualPage(std::ostream& out, const CLI::App& app, const ManualPageText& text) {
  std::string title = app.get_name();
  for (char& c : title) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  out << ".TH " << Roff(title) << " 1 \"" << ManualDate() << "\" \"" << Roff(text.version)
      << "\" \"User Commands\"\n"
      << ".nh\n"  // names such as autoTxRate must not be hyphenated
      << ".SH NAME\n"
      << Roff(app.get_name()) << " \\- " << Roff(text.summary) << "\n"
      << ".SH SYNOPSIS\n";
  const std::vector<const CLI::App*> commands = VisibleCommands(app);
  for (const CLI::App* command : commands) {
    out << Bold(app.get_name()) << " [" << Italic("OPTIONS") << "] " << Usage(*command)
        << "\n.br\n";
  }
  out << ".SH DESCRIPTION\n" << Roff(app.get_description()) << "\n.SH OPTIONS\n";
  for (const CLI::Option* option : NamedOptions(app)) WriteItem(out, *option);
  if (!commands.empty()) out << ".SH COMMANDS\n";
  for (const CLI::App* command : commands) {
    out << ".TP\n" << Usage(*command) << "\n" << Roff(command->get_description()) << "\n";
    std::vector<const CLI::Option*> items = Positionals(*command);
    for (const CLI::Option* option : OwnOptions(*command)) items.push_back(option);
    if (items.empty()) continue;
    out << ".RS\n";
    for (const CLI::Option* item : items) WriteItem(out, *item);
    out << ".RE\n";
  }
  for (const ManualSection& section : text.sections) {
    out << ".SH " << section.heading << "\n" << section.roff;
    if (!section.roff.ends_with('\n')) out << "\n";
  }
}

}  // namespace korvaset
