// quarvel-levels check: the facts of every level used, file by file, and warnings about
// what the editor's next save would change without a word.
#include <memory>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/LevelFacts.h"
#include "cli/SaveOutcome.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "model/LevelCheck.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {{"--json", 0, false}, {"--strict", 0, false}};

// The word the grand total line starts with; a file of that name is quoted.
constexpr const char* kTotal = "total";

struct Totals {
  std::uint64_t Records = 0;
  int Used = 0;
  int Playable = 0;
  int NotPlayable() const { return Used - Playable; }
  void Add(const Totals& other) {
    Records += other.Records;
    Used += other.Used;
    Playable += other.Playable;
  }
};

std::string TextCounts(const Totals& t) {
  return Counted(static_cast<long long>(t.Records), "record") + ", " + Counted(t.Used, "level") + " used, " +
         std::to_string(t.Playable) + " playable, " + std::to_string(t.NotPlayable()) + " not playable";
}

std::string JsonCounts(const Totals& t) {
  return "\"records\": " + std::to_string(t.Records) + ", \"used\": " + std::to_string(t.Used) +
         ", \"playable\": " + std::to_string(t.Playable) + ", \"not_playable\": " + std::to_string(t.NotPlayable());
}

std::string TextLevel(const LevelFacts& f) {
  return "level " + std::to_string(f.Number) + ": blocks " + std::to_string(f.Blocks) + ", demand " +
         std::to_string(f.Demand) + ", time " + std::to_string(f.Time) + ", " + Verdict(f);
}

std::string JsonLevel(const LevelFacts& f) {
  std::string reasons;
  for (const std::string& r : Reasons(f)) reasons += (reasons.empty() ? "" : ", ") + JsonString(r);
  return "{\"level\": " + std::to_string(f.Number) + ", \"blocks\": " + std::to_string(f.Blocks) +
         ", \"demand\": " + std::to_string(f.Demand) + ", \"time\": " + std::to_string(f.Time) +
         ", \"playable\": " + (f.Playable ? "true" : "false") + ", \"reasons\": [" + reasons + "]}";
}

// What the editor's next save of this file would change that `check` lists nowhere else.
std::vector<std::string> Warnings(const quarvel::LevelSet& set, const SetFileShape& shape) {
  std::vector<std::string> warnings;
  std::vector<int> gaps;
  int lastUsed = 0;
  for (int index = 0; index < shape.LevelsRead; ++index)
    if (quarvel::IsLevelUsed(set[static_cast<std::size_t>(index)])) lastUsed = index + 1;
  for (int number = 1; number < lastUsed; ++number)
    if (!quarvel::IsLevelUsed(set[static_cast<std::size_t>(number - 1)])) gaps.push_back(number);
  if (gaps.size() == 1) {
    warnings.push_back("level " + NumberRanges(gaps) +
                       " is empty: the next save removes it and renumbers the levels after it");
  } else if (!gaps.empty()) {
    warnings.push_back("levels " + NumberRanges(gaps) +
                       " are empty: the next save removes them and renumbers the levels after them");
  }
  const std::uint64_t records = shape.Records();
  if (records == quarvel::kLevelCount + 1) {
    warnings.push_back("record 257 is never read: the next save drops it");
  } else if (records > quarvel::kLevelCount) {
    warnings.push_back("records 257-" + std::to_string(records) + " are never read: the next save drops them");
  }
  if (shape.TrailingBytes() > 0) {
    warnings.push_back(NotWholeRecord(shape.TrailingBytes()) + ": " +
                       (shape.TrailingBytes() == 1 ? "it is" : "they are") + " never read and the next save drops " +
                       (shape.TrailingBytes() == 1 ? "it" : "them"));
  }
  return warnings;
}

}  // namespace

int RunCheck(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  if (parsed.Operands.empty()) throw CliError("check", "No file given");
  const bool json = parsed.Has("--json");
  const bool strict = parsed.Has("--strict");

  auto set = std::make_unique<quarvel::LevelSet>();
  Totals all;
  int failures = 0;
  bool warned = false;
  std::string jsonFiles;
  for (const std::string& file : parsed.Operands) {
    const std::string shown = ShownName(file, kTotal);
    const std::string separator = jsonFiles.empty() ? "\n    " : ",\n    ";
    SetFileShape shape;
    try {
      shape = ReadSet(file, *set);
    } catch (const CliError& error) {
      ++failures;
      PrintError(error);
      if (json)
        jsonFiles += separator + "{" + JsonNameMember("file", file) + ", \"error\": " + JsonString(error.what()) + "}";
      continue;
    }
    Totals totals;
    totals.Records = shape.Records();
    std::string levels;
    for (int index = 0; index < quarvel::kLevelCount; ++index) {
      if (!quarvel::IsLevelUsed((*set)[static_cast<std::size_t>(index)])) continue;
      const LevelFacts facts = FactsOf(*set, index);
      ++totals.Used;
      totals.Playable += facts.Playable ? 1 : 0;
      if (json) {
        levels += (levels.empty() ? "\n        " : ",\n        ") + JsonLevel(facts);
      } else {
        WriteOut(shown + ": " + TextLevel(facts) + "\n");
      }
    }
    const std::vector<std::string> warnings = Warnings(*set, shape);
    warned = warned || !warnings.empty();
    all.Add(totals);
    if (json) {
      std::string jsonWarnings;
      for (const std::string& w : warnings) jsonWarnings += (jsonWarnings.empty() ? "" : ", ") + JsonString(w);
      jsonFiles += separator + "{" + JsonNameMember("file", file) + ", " + JsonCounts(totals) +
                   ",\n      \"warnings\": [" + jsonWarnings + "],\n      \"levels\": [" + levels +
                   (levels.empty() ? "]}" : "\n      ]}");
    } else {
      for (const std::string& w : warnings) WriteOut(shown + ": warning: " + w + "\n");
      WriteOut(shown + ": " + TextCounts(totals) + "\n");
    }
  }
  const std::size_t files = parsed.Operands.size();
  if (json) {
    WriteOut("{" + JsonCounts(all) + ",\n  \"files\": [" + jsonFiles + "\n  ]}\n");
  } else if (files > 1) {
    WriteOut(std::string(kTotal) + ": " + Counted(static_cast<long long>(files), "file") +
             (failures > 0 ? " (" + std::to_string(failures) + " not read)" : "") + ", " + TextCounts(all) + "\n");
  }
  if (failures > 0) return kStatusError;
  return all.NotPlayable() > 0 || (strict && warned) ? kStatusNotPlayable : kStatusOk;
}

}  // namespace quarvel_cli
