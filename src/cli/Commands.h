#pragma once
// The commands of quarvel-levels in one table. Each command is defined in a file of its own
// (Check.cpp, Copy.cpp, ...) with its name, its line in the program's help, its usage, its
// help, its options and how many operands it takes; the program's help, the usage errors,
// the "did you mean" hint and the dispatch are made from the table, and the tests hold the
// manual page and the bash completion to it.

#include <climits>
#include <span>
#include <string>
#include <string_view>

#include "cli/CliSupport.h"

namespace quarvel_cli {

struct Command {
  std::string_view Name{};     // "check"
  std::string_view Brief{};    // after the name in the program's help: "FILE..."
  std::string_view Summary{};  // the rest of that line
  std::string_view Usage{};    // after "Usage: quarvel-levels NAME ": every option and operand
  std::string_view Help{};     // the lines after the usage line
  std::span<const OptionSpec> Options{};
  int MinOperands = 0;
  int MaxOperands = 0;
  // The error when 0 or 1 operands are given and MinOperands are needed.
  std::string_view Missing[2]{};
  // Runs the command on its options and MinOperands to MaxOperands operands, and returns the
  // exit status. Null for `help`, which the program answers itself.
  int (*Run)(const ParsedArgs& args) = nullptr;
};

inline constexpr int kAnyNumber = INT_MAX;

// In the order of the program's help.
std::span<const Command* const> Commands();

// The command of that name, or null.
const Command* FindCommand(std::string_view name);

// "NAME: Unknown command; did you mean check? See quarvel-levels --help.", with the
// commands NAME begins or is a slip or two from; without the hint when none is that close.
CliError UnknownCommand(std::string_view name);

// "Usage: quarvel-levels check [--json] [--strict] FILE..." and the rest of its help.
std::string CommandHelp(const Command& command);

// The help of the whole program, with a line for every command.
std::string ProgramHelp();

// A CliError naming the command for too few operands, or the first operand too many.
void CheckOperands(const Command& command, const ParsedArgs& args);

// Writes the help of the program (an empty topic) or of one command to standard output;
// an unknown topic is an UnknownCommand.
int PrintHelp(std::string_view topic);

extern const Command kCheckCommand;
extern const Command kRenderCommand;
extern const Command kThumbnailCommand;
extern const Command kCopyCommand;
extern const Command kExportCommand;
extern const Command kImportCommand;
extern const Command kDiffCommand;
extern const Command kHelpCommand;

}  // namespace quarvel_cli
