// quarvel-levels check: the facts of every level used, file by file, and warnings about
// what the editor's next save would change without a word.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/Playability.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "model/LevelCheck.h"
#include "model/SavePlan.h"

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

std::string TextLevel(int number, const quarvel::Playability& rules) {
  return "level " + std::to_string(number) + ": blocks " + std::to_string(rules.Blocks) + ", demand " +
         std::to_string(rules.Demand) + ", time " + std::to_string(rules.Time) + ", " + PlayabilityText(rules);
}

std::string JsonLevel(int number, const quarvel::Playability& rules) {
  std::string reasons;
  for (const std::string& r : FailedRules(rules)) reasons += (reasons.empty() ? "" : ", ") + JsonString(r);
  return "{\"level\": " + std::to_string(number) + ", \"blocks\": " + std::to_string(rules.Blocks) +
         ", \"demand\": " + std::to_string(rules.Demand) + ", \"time\": " + std::to_string(rules.Time) +
         ", \"playable\": " + (rules.Playable() ? "true" : "false") + ", \"reasons\": [" + reasons + "]}";
}

// What the editor's next save of this file would change that `check` lists nowhere else:
// the empty levels before a used one, another header, records past the 256th, a tail.
std::vector<std::string> Warnings(const quarvel::LevelSet& set, const SetFileShape& shape) {
  std::vector<std::string> warnings;
  const quarvel::SavePlan plan = quarvel::PlanSave(set, shape.LevelsRead, shape.RecordsPastTheEnd());
  const std::vector<int> gaps = plan.EmptyBeforeUsed();
  if (gaps.size() == 1) {
    warnings.push_back("level " + NumberRanges(gaps) +
                       " is empty: the next save removes it and renumbers the levels after it");
  } else if (!gaps.empty()) {
    warnings.push_back("levels " + NumberRanges(gaps) +
                       " are empty: the next save removes them and renumbers the levels after them");
  }
  if (!shape.LevelSetHeader)
    warnings.push_back("the file does not begin with 44 41 47 00, the level set header: the next save writes it");
  if (plan.RecordsPastTheEnd == 1) {
    warnings.push_back("record 257 is never read: the next save drops it");
  } else if (plan.RecordsPastTheEnd > 1) {
    warnings.push_back("records 257-" + std::to_string(shape.Records()) + " are never read: the next save drops them");
  }
  if (shape.TrailingBytes() > 0) {
    warnings.push_back(NotWholeRecord(shape.TrailingBytes()) + ": " +
                       (shape.TrailingBytes() == 1 ? "it is" : "they are") + " never read and the next save drops " +
                       (shape.TrailingBytes() == 1 ? "it" : "them"));
  }
  return warnings;
}

int RunCheck(const ParsedArgs& parsed) {
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
    for (const std::int32_t index : quarvel::UsedLevels(*set)) {
      const quarvel::Playability rules = quarvel::PlayabilityOf((*set)[static_cast<std::size_t>(index)]);
      ++totals.Used;
      totals.Playable += rules.Playable() ? 1 : 0;
      if (json) {
        levels += (levels.empty() ? "\n        " : ",\n        ") + JsonLevel(index + 1, rules);
      } else {
        WriteOut(shown + ": " + TextLevel(index + 1, rules) + "\n");
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

}  // namespace

extern const Command kCheckCommand{
    .Name = "check",
    .Brief = "FILE...",
    .Summary = "report every level used and whether it can be played",
    .Usage = "[--json] [--strict] FILE...",
    .Help =
        "For each file, one line per level used (any cell or number not 0): its number, the blocks\n"
        "(cells with codes 1 to 4), the demand (rubies + emeralds + sapphires + bombs), the time,\n"
        "and whether it can be played, with the reasons when not: too few blocks, time under 10.\n"
        "Then warnings about what the editor's next save would change without a word (an empty\n"
        "level before a used one, which it removes so that the levels after it move up; records\n"
        "past the 256th, which it never reads; a tail that is not a whole record; a header other\n"
        "than 44 41 47 00, which it writes in its place), and how many\n"
        "records the file holds and how many levels are used, playable and not playable. Several\n"
        "files end with a total line. FILE may be a set's text as well; - is standard input.\n"
        "\n"
        "  --json                         the same as one JSON document\n"
        "  --strict                       a warning fails as a level that cannot be played does\n"
        "\n"
        "Exit status: 0 when every level used can be played, 1 when one cannot, 2 on an error.\n",
    .Options = kOptions,
    .MinOperands = 1,
    .MaxOperands = kAnyNumber,
    .Missing = {"No file given"},
    .Run = RunCheck,
};

}  // namespace quarvel_cli
