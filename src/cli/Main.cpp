// quarvel-levels: checks, draws, copies, exports, imports and compares level sets from the
// command line. Loads no GUI library: `render` and `thumbnail` draw with the core's grid
// picture. The commands are those of the table in Commands.h.
#include <cstring>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Main.h"
#include "cli/StandardOutput.h"

#ifndef QUARVEL_VERSION
#error "QUARVEL_VERSION must be defined by the build"
#endif

namespace {

using namespace quarvel_cli;

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// --help and --version stand alone: anything after them is a mistake worth saying.
void NothingAfter(int argc, char** argv, int used) {
  if (argc > used) throw CliError(argv[used], "Unexpected argument");
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    WriteErr(ProgramHelp());
    return kStatusError;
  }
  const std::string name = argv[1];
  if (IsHelpOption(name)) {
    NothingAfter(argc, argv, 2);
    return PrintHelp("");
  }
  if (name == "--version") {
    NothingAfter(argc, argv, 2);
    WriteOut(std::string(kProgram) + " " + QUARVEL_VERSION + "\n");
    return kStatusOk;
  }
  if (name == kHelpCommand.Name) {
    // Its words are topics, never options: `help --help` asks for a command named --help.
    ParsedArgs topics;
    topics.Operands.assign(argv + 2, argv + argc);
    CheckOperands(kHelpCommand, topics);
    return PrintHelp(topics.Operands.empty() ? "" : topics.Operands[0]);
  }
  if (name.starts_with('-')) throw CliError(name, "Unknown option");
  const Command* command = FindCommand(name);
  if (command == nullptr) throw UnknownCommand(name);
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (!IsHelpOption(argv[i])) continue;
    if (argc > 3) throw CliError(argv[i == 2 ? 3 : 2], "Unexpected argument beside " + std::string(argv[i]));
    return PrintHelp(name);
  }
  const ParsedArgs args =
      ParseArgs(std::span<char* const>(argv + 2, static_cast<std::size_t>(argc - 2)), command->Options);
  CheckOperands(*command, args);
  return command->Run(args);
}

}  // namespace

int quarvel_cli::Main(int argc, char** argv) { return RunReportingErrors(Run, argc, argv); }

// On Windows the entry is win32/WideMain.cpp's wmain: the C library's main would get the
// arguments in the ANSI code page, not UTF-8.
#ifndef _WIN32
int main(int argc, char** argv) { return quarvel_cli::Main(argc, argv); }
#endif
