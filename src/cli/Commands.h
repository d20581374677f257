#pragma once
// The subcommands the main program runs itself; each returns the exit status. `render`
// and `thumbnail` run in a program of their own (quarvel-levels-render), the only one that
// loads QtGui.

#include <span>

namespace quarvel_cli {

int RunCheck(std::span<char* const> args);
int RunCopy(std::span<char* const> args);
int RunExport(std::span<char* const> args);
int RunImport(std::span<char* const> args);
int RunDiff(std::span<char* const> args);

}  // namespace quarvel_cli
