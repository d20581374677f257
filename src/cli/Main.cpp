// quarvel-levels: checks, renders and copies level sets from the command line.
// Loads no GUI library: `render` runs quarvel-levels-render, found beside this program in
// the build tree or in libexec/quarvel-levels when installed.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"

#ifndef QUARVEL_VERSION
#error "QUARVEL_VERSION must be defined by the build"
#endif
#ifndef QUARVEL_LIBEXEC_FROM_BIN
#error "QUARVEL_LIBEXEC_FROM_BIN must be defined by the build"
#endif

namespace {

using namespace quarvel_cli;

constexpr const char* kRenderProgram = "quarvel-levels-render";

std::string OwnFolder() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string self(path, static_cast<std::size_t>(n));
  const auto slash = self.find_last_of('/');
  return slash == std::string::npos ? "." : self.substr(0, slash);
}

int RunRender(int argc, char** argv) {
  const std::string folder = OwnFolder();
  const std::string candidates[] = {folder + "/" + kRenderProgram,
                                    folder + "/" + QUARVEL_LIBEXEC_FROM_BIN + "/" + kRenderProgram};
  std::vector<char*> helperArgs;
  helperArgs.push_back(const_cast<char*>(kRenderProgram));
  for (int i = 2; i < argc; ++i) helperArgs.push_back(argv[i]);
  helperArgs.push_back(nullptr);
  for (const std::string& helper : candidates) {
    if (::access(helper.c_str(), X_OK) != 0) continue;
    ::execv(helper.c_str(), helperArgs.data());
    PrintError(helper, WithFullStop(std::strerror(errno)));
    return kStatusError;
  }
  PrintError("render", WithFullStop(std::string(kRenderProgram) + " not found beside " + folder));
  return kStatusError;
}

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

int PrintHelp(const std::string& command) {
  const std::string text = HelpText(command);
  if (text.empty()) throw CliError(command, "Unknown command");
  std::fputs(text.c_str(), stdout);
  return kStatusOk;
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(HelpText("").c_str(), stderr);
    return kStatusError;
  }
  const std::string command = argv[1];
  if (IsHelpOption(command)) return PrintHelp("");
  if (command == "--version") {
    std::printf("%s %s\n", kProgram, QUARVEL_VERSION);
    return kStatusOk;
  }
  if (command == "help") {
    if (argc > 3) throw CliError(argv[3], "Unexpected argument");
    return PrintHelp(argc == 3 ? argv[2] : "");
  }
  if (HelpText(command).empty() || command.starts_with('-')) {
    throw CliError(command, command.starts_with('-') ? "Unknown option" : "Unknown command");
  }
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (IsHelpOption(argv[i])) return PrintHelp(command);
  }
  const std::span<char* const> args(argv + 2, static_cast<std::size_t>(argc - 2));
  if (command == "check") return RunCheck(args);
  if (command == "copy") return RunCopy(args);
  if (command == "render") return RunRender(argc, argv);
  throw CliError(command, "Unknown command");  // "help" is handled above
}

}  // namespace

int main(int argc, char** argv) { return RunReportingErrors(Run, argc, argv); }
