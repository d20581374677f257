// quarvel-levels copy: the editor's Levels > Copy followed by Levels > Save Set.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelCopy.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"--start", 0, true}, {"--quantity", 0, true}, {"--after", 0, true}, {"--new", 0, false}};

// As the Levels Copy dialog's fields: 1 when not given, brought into 1..256.
std::int32_t DialogNumber(const ParsedArgs& parsed, const std::string& option) {
  const auto found = parsed.Values.find(option);
  if (found == parsed.Values.end()) return 1;
  return std::clamp(ParseNumber(option, found->second), 1, quarvel::kLevelCount);
}

// Reads a whole set as the editor holds it: cleared, then the file's levels from level 1 on.
int ReadInto(const std::string& file, quarvel::LevelSet& set) {
  quarvel::ClearLevelSet(set);
  try {
    return quarvel::ReadLevelSetFile(file, set);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(file, error.what());
  }
}

std::string Range(int first, int count) {
  return count == 1 ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(first + count - 1);
}

}  // namespace

int RunCopy(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  if (parsed.Operands.size() < 2) throw CliError("copy", "SOURCE and TARGET needed");
  if (parsed.Operands.size() > 2) throw CliError(parsed.Operands[2], "Unexpected argument");
  const std::string& sourceFile = parsed.Operands[0];
  const std::string& targetFile = parsed.Operands[1];
  const std::int32_t start = DialogNumber(parsed, "--start");
  const std::int32_t quantity = DialogNumber(parsed, "--quantity");
  const std::int32_t after = DialogNumber(parsed, "--after");

  auto target = std::make_unique<quarvel::LevelSet>();
  if (parsed.Has("--new")) {
    quarvel::ClearLevelSet(*target);
  } else {
    ReadInto(targetFile, *target);
  }
  auto source = std::make_unique<quarvel::LevelSet>();
  const int sourceLevels = ReadInto(sourceFile, *source);

  quarvel::TCurrentLevel current = 0;
  quarvel::CopyLevels(*target, *source, sourceLevels, start, quantity, after, current);
  try {
    quarvel::WriteLevelSetFile(targetFile, *target);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(targetFile, error.what());
  }

  // What CopyLevels copied: no more than asked, than fit up to level 256, than the source holds.
  const int copied = std::max(0, std::min({quantity, quarvel::kLevelCount + 1 - after, sourceLevels - start + 1}));
  if (copied == 0) {
    std::printf("copied nothing: %s holds %d level%s\n", sourceFile.c_str(), sourceLevels, sourceLevels == 1 ? "" : "s");
  } else {
    std::printf("copied %d level%s: %s level%s %s to level%s %s\n", copied, copied == 1 ? "" : "s", sourceFile.c_str(),
                copied == 1 ? "" : "s", Range(start, copied).c_str(), copied == 1 ? "" : "s",
                Range(after, copied).c_str());
  }

  int written = 0;
  std::string dropped;
  int droppedCount = 0;
  for (int index = 0; index < quarvel::kLevelCount; ++index) {
    if (quarvel::IsLevelPlayable(*target, index)) {
      ++written;
    } else if (IsLevelUsed((*target)[static_cast<std::size_t>(index)])) {
      ++droppedCount;
      dropped += (dropped.empty() ? "" : ", ") + std::to_string(index + 1);
    }
  }
  std::printf("saved %s: %d level%s written", targetFile.c_str(), written, written == 1 ? "" : "s");
  if (droppedCount == 0) {
    std::printf(", none dropped\n");
  } else {
    std::printf(", %d dropped that cannot be played: level%s %s\n", droppedCount, droppedCount == 1 ? "" : "s",
                dropped.c_str());
  }
  return kStatusOk;
}

}  // namespace quarvel_cli
