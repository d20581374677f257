// quarvel-levels: checks, renders and copies level sets from the command line.
// Loads no GUI library: `render` and `thumbnail` draw with the core's grid picture.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/StandardOutput.h"

#ifndef QUARVEL_VERSION
#error "QUARVEL_VERSION must be defined by the build"
#endif

namespace {

using namespace quarvel_cli;

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

constexpr const char* kCommands[] = {"check", "render", "thumbnail", "copy", "export", "import", "diff", "help"};

// Levenshtein distance, for the nearest command to a mistyped one.
std::size_t Distance(const std::string& a, const std::string& b) {
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

CliError UnknownCommand(const std::string& command) {
  const char* nearest = kCommands[0];
  for (const char* candidate : kCommands)
    if (Distance(command, candidate) < Distance(command, nearest)) nearest = candidate;
  return CliError(command, "Unknown command; did you mean " + std::string(nearest) + "? See " + kProgram + " --help");
}

// --help and --version stand alone: anything after them is a mistake worth saying.
void NothingAfter(int argc, char** argv, int used) {
  if (argc > used) throw CliError(argv[used], "Unexpected argument");
}

int PrintHelp(const std::string& command) {
  const std::string text = HelpText(command);
  if (text.empty()) throw UnknownCommand(command);
  WriteOut(text);
  return kStatusOk;
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(HelpText("").c_str(), stderr);
    return kStatusError;
  }
  const std::string command = argv[1];
  if (IsHelpOption(command)) {
    NothingAfter(argc, argv, 2);
    return PrintHelp("");
  }
  if (command == "--version") {
    NothingAfter(argc, argv, 2);
    WriteOut(std::string(kProgram) + " " + QUARVEL_VERSION + "\n");
    return kStatusOk;
  }
  if (command == "help") {
    if (argc > 3) throw CliError(argv[3], "Unexpected argument");
    return PrintHelp(argc == 3 ? argv[2] : "");
  }
  if (command.starts_with('-')) throw CliError(command, "Unknown option");
  if (HelpText(command).empty()) throw UnknownCommand(command);
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (!IsHelpOption(argv[i])) continue;
    if (argc > 3) throw CliError(argv[i == 2 ? 3 : 2], "Unexpected argument beside " + std::string(argv[i]));
    return PrintHelp(command);
  }
  const std::span<char* const> args(argv + 2, static_cast<std::size_t>(argc - 2));
  if (command == "check") return RunCheck(args);
  if (command == "copy") return RunCopy(args);
  if (command == "export") return RunExport(args);
  if (command == "import") return RunImport(args);
  if (command == "diff") return RunDiff(args);
  if (command == "render") return RunRender(args);
  if (command == "thumbnail") return RunThumbnail(args);
  throw UnknownCommand(command);  // "help" is handled above
}

}  // namespace

int main(int argc, char** argv) { return RunReportingErrors(Run, argc, argv); }
