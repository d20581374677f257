#pragma once
// The subcommands; each returns the exit status.

#include <span>

namespace quarvel_cli {

int RunCheck(std::span<char* const> args);
int RunCopy(std::span<char* const> args);
int RunExport(std::span<char* const> args);
int RunImport(std::span<char* const> args);
int RunDiff(std::span<char* const> args);
int RunRender(std::span<char* const> args);
int RunThumbnail(std::span<char* const> args);

}  // namespace quarvel_cli
