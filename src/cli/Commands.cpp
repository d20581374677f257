#include "cli/Commands.h"

#include <algorithm>
#include <vector>

namespace quarvel_cli {

namespace {

constexpr const Command* kCommands[] = {&kCheckCommand,  &kRenderCommand, &kThumbnailCommand, &kCopyCommand,
                                        &kExportCommand, &kImportCommand, &kDiffCommand,      &kHelpCommand};

// The column where the summaries of the program's help start.
constexpr std::size_t kSummaryColumn = 33;

constexpr const char* kProgramIntroduction =
    "Usage: quarvel-levels COMMAND [OPTION]... [FILE]...\n"
    "Checks, draws, copies, exports, imports and compares Quarvel level sets (.dag files),\n"
    "reading and writing them as the editor does. A FILE of - is standard input (or output,\n"
    "where it is written).\n"
    "\n"
    "Commands:\n";

constexpr const char* kProgramOptions =
    "\n"
    "Options:\n"
    "  -h, --help                     show this help\n"
    "  --version                      show the version\n"
    "\n"
    "Exit status: 0 when all is well; 1 when `check` finds a level that cannot be played\n"
    "(or, with --strict, warns), when `copy` refuses and writes nothing or when `diff` finds\n"
    "a difference; 2 on an error\n"
    "(a file that cannot be read or written, a bad argument).\n";

// Levenshtein distance.
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::span<const Command* const> Commands() { return kCommands; }

const Command* FindCommand(std::string_view name) {
  for (const Command* command : kCommands)
    if (command->Name == name) return command;
  return nullptr;
}

CliError UnknownCommand(std::string_view name) {
  // A command the name begins, or one a slip or two away (and not all of it): none when
  // nothing is that close.
  std::vector<std::string_view> near;
  for (const Command* candidate : kCommands)
    if (!name.empty() && candidate->Name.starts_with(name)) near.push_back(candidate->Name);
  if (near.empty()) {
    for (const Command* candidate : kCommands) {
      const std::size_t distance = Distance(name, candidate->Name);
      if (distance <= 2 && distance < name.size() && distance < candidate->Name.size()) near.push_back(candidate->Name);
    }
  }
  std::string hint = near.empty() ? "." : "";
  for (std::size_t i = 0; i < near.size(); ++i) {
    hint += i == 0 ? "; did you mean " : i + 1 == near.size() ? " or " : ", ";
    hint += near[i];
    if (i + 1 == near.size()) hint += '?';
  }
  return CliError(std::string(name), "Unknown command" + hint + " See " + kProgram + " --help");
}

// The texts are appended piece by piece: GCC 12 at -O3 sees a false overlap in
// "literal" + std::string.
std::string CommandHelp(const Command& command) {
  std::string help = "Usage: ";
  help += kProgram;
  help += ' ';
  help += command.Name;
  if (!command.Usage.empty()) {
    help += ' ';
    help += command.Usage;
  }
  help += '\n';
  help += command.Help;
  return help;
}

std::string ProgramHelp() {
  std::string help = kProgramIntroduction;
  for (const Command* command : kCommands) {
    const std::size_t start = help.size();
    help += "  ";
    help += command->Name;
    help += ' ';
    help += command->Brief;
    help.resize(std::max(start + kSummaryColumn, help.size() + 1), ' ');
    help += command->Summary;
    help += '\n';
  }
  return help + kProgramOptions;
}

void CheckOperands(const Command& command, const ParsedArgs& args) {
  const std::size_t given = args.Operands.size();
  if (given < static_cast<std::size_t>(command.MinOperands))
    throw CliError(std::string(command.Name), std::string(command.Missing[std::min<std::size_t>(given, 1)]));
  if (given > static_cast<std::size_t>(command.MaxOperands))
    throw CliError(args.Operands[static_cast<std::size_t>(command.MaxOperands)], "Unexpected argument");
}

}  // namespace quarvel_cli
