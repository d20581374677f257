// quarvel-levels check: the facts of every level used, file by file.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "files/LevelSetFile.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {{"--json", 0, false}};

struct Totals {
  int Used = 0;
  int Playable = 0;
  int NotPlayable() const { return Used - Playable; }
};

void PrintTextLevel(const std::string& file, const LevelFacts& f) {
  std::string verdict = "playable";
  if (!f.Playable) {
    verdict = "not playable (";
    const auto reasons = Reasons(f);
    for (std::size_t i = 0; i < reasons.size(); ++i) verdict += (i ? ", " : "") + reasons[i];
    verdict += ")";
  }
  std::printf("%s: level %d: blocks %d, demand %d, time %d, %s\n", file.c_str(), f.Number, f.Blocks, int(f.Demand),
              f.Time, verdict.c_str());
}

std::string JsonLevel(const LevelFacts& f) {
  std::string reasons;
  for (const std::string& r : Reasons(f)) reasons += (reasons.empty() ? "" : ", ") + JsonString(r);
  return "{\"level\": " + std::to_string(f.Number) + ", \"blocks\": " + std::to_string(f.Blocks) +
         ", \"demand\": " + std::to_string(f.Demand) + ", \"time\": " + std::to_string(f.Time) +
         ", \"playable\": " + (f.Playable ? "true" : "false") + ", \"reasons\": [" + reasons + "]}";
}

std::string JsonCounts(const Totals& t) {
  return "\"used\": " + std::to_string(t.Used) + ", \"playable\": " + std::to_string(t.Playable) +
         ", \"not_playable\": " + std::to_string(t.NotPlayable());
}

}  // namespace

int RunCheck(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  if (parsed.Operands.empty()) throw CliError("check", "No file given");
  const bool json = parsed.Has("--json");

  auto set = std::make_unique<quarvel::LevelSet>();
  Totals all;
  bool failed = false;
  std::string jsonFiles;
  for (const std::string& file : parsed.Operands) {
    // Each file starts from an empty set: the levels after those the file holds are empty.
    quarvel::ClearLevelSet(*set);
    try {
      quarvel::ReadLevelSetFile(file, *set);
    } catch (const quarvel::EInOutError& error) {
      failed = true;
      PrintError(file, WithFullStop(error.what()));
      if (json) {
        jsonFiles += (jsonFiles.empty() ? "\n    " : ",\n    ");
        jsonFiles += "{\"file\": " + JsonString(file) + ", \"error\": " + JsonString(WithFullStop(error.what())) + "}";
      }
      continue;
    }
    Totals totals;
    std::string jsonLevels;
    for (int index = 0; index < quarvel::kLevelCount; ++index) {
      if (!IsLevelUsed((*set)[static_cast<std::size_t>(index)])) continue;
      const LevelFacts facts = FactsOf(*set, index);
      ++totals.Used;
      totals.Playable += facts.Playable ? 1 : 0;
      if (json) {
        jsonLevels += (jsonLevels.empty() ? "\n        " : ",\n        ") + JsonLevel(facts);
      } else {
        PrintTextLevel(file, facts);
      }
    }
    all.Used += totals.Used;
    all.Playable += totals.Playable;
    if (json) {
      jsonFiles += (jsonFiles.empty() ? "\n    " : ",\n    ");
      jsonFiles += "{\"file\": " + JsonString(file) + ", " + JsonCounts(totals) + ",\n      \"levels\": [" + jsonLevels +
                   (jsonLevels.empty() ? "]}" : "\n      ]}");
    } else {
      std::printf("%s: %d levels used, %d playable, %d not playable\n", file.c_str(), totals.Used, totals.Playable,
                  totals.NotPlayable());
    }
  }
  if (json) {
    std::printf("{%s,\n  \"files\": [%s\n  ]}\n", JsonCounts(all).c_str(), jsonFiles.c_str());
  }
  if (failed) return kStatusError;
  return all.NotPlayable() > 0 ? kStatusNotPlayable : kStatusOk;
}

}  // namespace quarvel_cli
