// quarvel-levels copy: the editor's Levels > Copy followed by Levels > Save Set, made safe
// for a command line: nothing is written when nothing would be copied or when the save
// would drop a level, unless --drop says so; --dry-run only tells.

#include <memory>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/OutputFiles.h"
#include "cli/Playability.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "files/LevelSetBytes.h"
#include "files/LevelSetFile.h"
#include "files/SystemFiles.h"
#include "model/LevelCopy.h"
#include "model/SavePlan.h"

namespace quarvel_cli {

namespace {

constexpr OptionSpec kOptions[] = {{"--start", 0, true}, {"--quantity", 0, true}, {"--after", 0, true},
                                   {"--new", 0, false},  {"--drop", 0, false},    {"--dry-run", 0, false}};

// 1 to 256 as in the Levels Copy dialog, 1 when not given; anything else is refused.
std::int32_t LevelOption(const ParsedArgs& parsed, std::string_view option) {
  return parsed.Number(option, 1, quarvel::kLevelCount, 1);
}

std::string Levels(const std::vector<int>& numbers) {
  return std::string(numbers.size() == 1 ? "level " : "levels ") + NumberRanges(numbers);
}

std::vector<int> Consecutive(int first, int count) {
  std::vector<int> numbers;
  for (int k = 0; k < count; ++k) numbers.push_back(first + k);
  return numbers;
}

// The report's lines, in the tense of a save that happened or of one that would.
struct Tense {
  const char* Copied;
  const char* Drop;
  const char* Saved;
};
constexpr Tense kDone{"copied", "dropped", "saved"};
constexpr Tense kWould{"would copy", "would drop", "would save"};

std::string DroppedLines(const quarvel::SavePlan& plan, const quarvel::LevelSetFileShape& target, const Tense& tense) {
  std::string lines;
  for (const quarvel::DroppedLevel& level : plan.Dropped)
    lines += std::string(tense.Drop) + " level " + std::to_string(level.Number) + ": " +
             (level.Reason == quarvel::DropReason::Empty ? "empty" : PlayabilityText(level.Rules)) + "\n";
  if (plan.RecordsPastTheEnd > 0) {
    std::string records = std::to_string(quarvel::kLevelCount + 1);
    if (plan.RecordsPastTheEnd > 1) {
      records += '-';  // appended alone: GCC 12 at -O3 sees a false overlap in "-" + std::string
      records += std::to_string(target.Records());
    }
    lines += std::string(tense.Drop) + (plan.RecordsPastTheEnd == 1 ? " record " : " records ") + records +
             ": past level 256, never read\n";
  }
  if (target.TrailingBytes() > 0) {
    lines += std::string(tense.Drop) + " " + Counted(static_cast<long long>(target.TrailingBytes()), "byte") +
             " after the last whole record: never read\n";
  }
  return lines;
}

// What the copy did, ending with a sum that adds up: before + copied - replaced - dropped
// = written.
std::string Report(const std::string& sourceFile, const std::string& targetFile, const quarvel::CopiedLevels& copied,
                   const quarvel::SavePlan& plan, const SetFileShape& target, const Tense& tense) {
  const std::vector<int>& savedAs = plan.CopiesSavedAs;
  const std::uint64_t held = target.Records();
  const std::vector<int> inserted = Consecutive(copied.FirstTarget, copied.Count);
  std::string report = std::string(tense.Copied) + " " + Counted(copied.Count, "level") + ": " + ShownName(sourceFile) +
                       " " + Levels(Consecutive(copied.FirstSource, copied.Count)) + " to " + Levels(inserted);
  if (savedAs.empty()) {
    report += ", none of them saved";
  } else if (savedAs != inserted) {
    report += ", saved as ";
    report += Levels(savedAs);
  }
  report += '\n';
  report += DroppedLines(plan, target, tense);
  return report + tense.Saved + " " + ShownName(targetFile) + ": " + Counted(static_cast<long long>(held), "level") +
         " before, " + std::to_string(copied.Count) + " copied, " + std::to_string(copied.Replaced(target.LevelsRead)) +
         " replaced, " + std::to_string(plan.DroppedCount()) + " dropped: " + Counted(plan.Written, "level") +
         " written\n";
}

int RunCopy(const ParsedArgs& parsed) {
  const std::string& sourceFile = parsed.Operands[0];
  const std::string& targetFile = parsed.Operands[1];
  const std::int32_t start = LevelOption(parsed, "--start");
  const std::int32_t quantity = LevelOption(parsed, "--quantity");
  const std::int32_t after = LevelOption(parsed, "--after");
  const bool drop = parsed.Has("--drop");
  const bool toStandardOutput = targetFile == kStandardStream;
  if (sourceFile == kStandardStream && toStandardOutput)
    throw CliError(kStandardStream, "Standard input can be SOURCE or TARGET, not both");

  auto target = std::make_unique<quarvel::LevelSet>();
  SetFileShape targetShape;
  if (parsed.Has("--new")) {
    if (!toStandardOutput && quarvel::NameExists(targetFile))
      throw CliError(targetFile, "File exists: --new makes a new file and never replaces one");
    CheckOutput(targetFile, {quarvel::ContentKind::LevelSet, {}});
    quarvel::ClearLevelSet(*target);
  } else {
    // Read, then saved over: a FIFO would give a set and take none.
    if (!toStandardOutput && quarvel::KindOfFile(targetFile) == quarvel::FileKind::Fifo)
      CheckOutput(targetFile, {quarvel::ContentKind::LevelSet, {}});
    // Saved over, so the set itself: never its text, never a file of another header.
    targetShape = ReadSet(targetFile, *target, TextAllowed::No);
    if (!targetShape.LevelSetHeader) throw CliError(targetFile, NotALevelSet("copy saves only over a level set"));
  }
  auto source = std::make_unique<quarvel::LevelSet>();
  const SetFileShape sourceShape = ReadSet(sourceFile, *source);
  if (!sourceShape.LevelSetHeader) throw CliError(sourceFile, NotALevelSet("copy copies only from a level set"));

  quarvel::TCurrentLevel current = 0;
  const quarvel::CopiedLevels copied =
      quarvel::CopyLevels(*target, *source, sourceShape.LevelsRead, start, quantity, after, current);
  if (copied.Count == 0) {
    PrintError(sourceFile, "Nothing to copy: it holds " + Counted(sourceShape.LevelsRead, "level") + ", --start is " +
                               std::to_string(start) + "; nothing written.");
    return kStatusRefused;
  }

  const std::uint64_t trailing = targetShape.TrailingBytes();  // only past 256 records: else the read failed
  const quarvel::SavePlan plan =
      quarvel::PlanSave(*target, targetShape.LevelsRead, targetShape.RecordsPastTheEnd(), copied);
  const std::uint64_t dropped = plan.DroppedCount();
  if ((dropped > 0 || trailing > 0) && !drop) {
    std::string lost = dropped > 0 ? Counted(static_cast<long long>(dropped), "level") : "";
    if (trailing > 0) lost += (lost.empty() ? "" : " and ") + Counted(static_cast<long long>(trailing), "byte");
    PrintError(targetFile, "The save would drop " + lost + "; nothing written (--drop allows it).");
    WriteErr(DroppedLines(plan, targetShape, kWould));
    return kStatusRefused;
  }

  // Copies past the end of the target leave a gap of levels it never held, which the save
  // closes as it closes an empty level: refused alike, as the copies would not stand where
  // --after puts them.
  if (copied.Gap(targetShape.LevelsRead) > 0 && !drop) {
    PrintError(targetFile, "The copies would go to " + Levels(Consecutive(copied.FirstTarget, copied.Count)) +
                               ", past its " + Counted(targetShape.LevelsRead, "level") +
                               ", and the save would close the gap: saved as " + Levels(plan.CopiesSavedAs) +
                               "; nothing written (--after " + std::to_string(targetShape.LevelsRead + 1) +
                               " puts them there, --drop allows it).");
    return kStatusRefused;
  }

  const bool dryRun = parsed.Has("--dry-run");
  if (!dryRun) {
    if (toStandardOutput) {
      const auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(quarvel::kMaxLevelSetFileSize);
      const std::size_t size = quarvel::EncodeLevelSet(
          *target, std::span<std::uint8_t, quarvel::kMaxLevelSetFileSize>(bytes.get(), quarvel::kMaxLevelSetFileSize));
      WriteOut(std::span<const std::uint8_t>(bytes.get(), size));
      FlushOut();  // saved only once it has gone out
    } else {
      try {
        quarvel::WriteLevelSetFile(targetFile, *target);
      } catch (const quarvel::EInOutError& error) {
        throw CliError(targetFile, FileErrorMessage(targetFile, error.what()));
      }
    }
  }

  const std::string report = Report(sourceFile, targetFile, copied, plan, targetShape, dryRun ? kWould : kDone);
  // The set itself goes to standard output: the report goes beside it.
  if (toStandardOutput) {
    WriteErr(report);
  } else {
    WriteOut(report);
  }
  return kStatusOk;
}

}  // namespace

extern const Command kCopyCommand{
    .Name = "copy",
    .Brief = "SOURCE TARGET",
    .Summary = "copy levels from SOURCE into TARGET and save TARGET",
    .Usage =
        "SOURCE TARGET [--start S] [--quantity Q] [--after A]\n"
        "                           [--new] [--drop] [--dry-run]",
    .Help =
        "The editor's Levels > Copy followed by Levels > Save Set: reads TARGET, copies Q levels of\n"
        "SOURCE from level S on over the levels of TARGET from level A on, and saves TARGET. Each\n"
        "number is 1 to 256 (default 1); only levels SOURCE holds are copied, and none past level\n"
        "256. The save writes only the levels that can be played, in order, as the editor's does.\n"
        "\n"
        "Nothing is written, with status 1, when nothing would be copied, or when the save would\n"
        "drop anything: a level that cannot be played or is empty (TARGET's or a copied one; the\n"
        "levels after it would move up), records past the 256th, bytes after the last whole record\n"
        "(a tail); or when the copies would go past the end of TARGET, where the save would move\n"
        "them up to close the gap. The levels that would be lost are listed. Otherwise copy says where the copies "
        "stand in the saved file and adds up:\n"
        "before + copied - replaced - dropped = written. SOURCE or TARGET - is standard input;\n"
        "TARGET - writes the saved set to standard output and the report to standard error.\n"
        "\n"
        "  --start S                      the first level of SOURCE to copy\n"
        "  --quantity Q                   how many levels to copy\n"
        "  --after A                      the level of TARGET the first copy goes to\n"
        "  --new                          start from an empty set; TARGET must not exist\n"
        "  --drop                         save even when levels are dropped or the copies move\n"
        "                                 up, and list each one\n"
        "  --dry-run                      say what would happen and write nothing\n",
    .Options = kOptions,
    .MinOperands = 2,
    .MaxOperands = 2,
    .Missing = {"SOURCE and TARGET needed", "SOURCE and TARGET needed"},
    .Run = RunCopy,
};

}  // namespace quarvel_cli
