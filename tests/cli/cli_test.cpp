// quarvel-levels as a whole program: check's lines, JSON and status, copy's saved bytes
// against the editor's Copy and Save Set (CopyLevels and WriteLevelSetFile), every error
// with its status and untouched files, and which libraries each command loads.

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"
#include "LevelSets.h"
#include "cli/Commands.h"
#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelCopy.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::Bytes;
using quarvel_test::DagFile;
using quarvel_test::DagLevel;
using quarvel_test::ProgramRun;
using quarvel_test::ReadAll;
using quarvel_test::TempDir;
using quarvel_test::WriteRaw;

// ---- check -------------------------------------------------------------------------------

struct Expected {
  int number;           // 1-based
  std::string verdict;  // "playable" or "not playable (...)"
};

struct CheckCase {
  std::string name;
  std::vector<DagLevel> levels;         // the file's blocks
  std::vector<Expected> lines;          // every level used, in order
  std::vector<std::string> warnings{};  // what the next save would change
};

std::vector<CheckCase> CheckCases() {
  std::vector<CheckCase> cases = {
      {"Boundaries",
       {Level(10, 1, 1, 0, 0, {{0, 0, 1}, {10, 12, 4}}), Level(9, 1, 1, 0, 0, {{0, 0, 1}, {10, 12, 4}}),
        Level(10, 0, 1, 1, 1, {{0, 0, 1}, {10, 12, 4}}), Level(0, 0, 0, 0, 1, {{5, 5, 6}})},
       {{1, "playable"},
        {2, "not playable (time under 10)"},
        {3, "not playable (too few blocks)"},
        {4, "not playable (too few blocks, time under 10)"}}},
      {"OnlyCodesOneToFourAreBlocks",
       {Level(30, 0, 4, 0, 0,
              {{0, 0, 1},
               {1, 0, 2},
               {2, 0, 3},
               {3, 0, 4},
               {4, 0, 5},
               {5, 0, 6},
               {6, 0, 7},
               {7, 0, 8},
               {8, 0, 9},
               {9, 0, -1},
               {10, 0, 300},
               {0, 1, 0x7FFF}}),
        Level(30, 0, 5, 0, 0, {{0, 0, 1}, {1, 0, 2}, {2, 0, 3}, {3, 0, 4}, {4, 0, 5}, {5, 0, 9}, {6, 0, 0}})},
       {{1, "playable"}, {2, "not playable (too few blocks)"}}},
      {"NegativeNumbers",
       {Level(10, 0, -3, 1, 0), Level(-5, 0, 0, 0, 0, {{1, 1, 2}}), Level(32767, -32768, -32768, -32768, -32768)},
       {{1, "playable"}, {2, "not playable (time under 10)"}, {3, "playable"}}},
      {"EmptyLevelsAreSkippedAndKeepTheirNumbers",
       {Playable(), Level(0, 0, 0, 0, 0), Playable(), Level(0, 0, 0, 0, 0), Level(0, 0, 0, 0, 0)},
       {{1, "playable"}, {3, "playable"}},
       {"level 2 is empty: the next save removes it and renumbers the levels after it"}},
      {"OneValueMakesALevelUsed",
       {Level(0, 0, 0, 0, 1), Level(0, 0, 0, 0, 0, {{10, 12, 5}}), Level(0, 1, 0, 0, 0), Level(12, 0, 0, 0, 0)},
       {{1, "not playable (too few blocks, time under 10)"},
        {2, "not playable (time under 10)"},
        {3, "not playable (too few blocks, time under 10)"},
        {4, "playable"}}},
      {"HeaderOnly", {}, {}},
  };
  // A file of more than 256 blocks: the 257th (not playable) is never read.
  CheckCase full{"TwoHundredFiftySevenBlocks", {}, {}};
  for (int i = 0; i < 256; ++i) {
    full.levels.push_back(Playable(1 + i % 100));
    full.lines.push_back({i + 1, "playable"});
  }
  full.levels.push_back(Level(1, 0, 9, 0, 0));
  full.warnings = {"record 257 is never read: the next save drops it"};
  cases.push_back(full);
  return cases;
}

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class CheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, LinesSummaryJsonAndStatus) {
  const CheckCase& c = GetParam();
  TempDir dir;
  const std::string file = dir / "set.dag";
  WriteRaw(file, DagFile(c.levels));

  // The table against the editor's own rule and the fixture's levels.
  auto set = quarvel_test::NewSet();
  quarvel::ReadLevelSetFile(file, *set);
  int playable = 0;
  for (std::size_t i = 0; i < std::min<std::size_t>(c.levels.size(), 256); ++i) {
    const auto listed =
        std::find_if(c.lines.begin(), c.lines.end(), [&](const Expected& e) { return e.number == int(i) + 1; });
    ASSERT_EQ(listed != c.lines.end(), UsedInFixture(c.levels[i])) << "level " << i + 1;
    if (listed == c.lines.end()) continue;
    ASSERT_EQ(quarvel::IsLevelPlayable(*set, int(i)), listed->verdict == "playable") << "level " << i + 1;
    playable += listed->verdict == "playable" ? 1 : 0;
  }
  const int used = static_cast<int>(c.lines.size());
  const int status = used == playable ? 0 : 1;

  std::string expected;
  for (const Expected& e : c.lines) {
    const DagLevel& level = c.levels[static_cast<std::size_t>(e.number - 1)];
    expected += file + ": level " + std::to_string(e.number) + ": blocks " + std::to_string(BlocksOf(level)) +
                ", demand " + std::to_string(DemandOf(level)) + ", time " + std::to_string(level.time) + ", " +
                e.verdict + "\n";
  }
  for (const std::string& w : c.warnings) expected += file + ": warning: " + w + "\n";
  const std::size_t records = c.levels.size();
  expected += file + ": " + std::to_string(records) + (records == 1 ? " record, " : " records, ") +
              std::to_string(used) + (used == 1 ? " level used, " : " levels used, ") + std::to_string(playable) +
              " playable, " + std::to_string(used - playable) + " not playable\n";
  const ProgramRun text = RunLevels(dir, {"check", file});
  EXPECT_EQ(text.out, expected);
  EXPECT_EQ(text.err, "");
  EXPECT_EQ(text.status, status);

  const ProgramRun json = RunLevels(dir, {"check", "--json", file});
  EXPECT_EQ(json.status, status);
  EXPECT_EQ(json.err, "");
  const nlohmann::json doc = nlohmann::json::parse(json.out);
  EXPECT_EQ(doc["used"], used);
  EXPECT_EQ(doc["playable"], playable);
  EXPECT_EQ(doc["not_playable"], used - playable);
  ASSERT_EQ(doc["files"].size(), 1u);
  const nlohmann::json& entry = doc["files"][0];
  EXPECT_EQ(entry["file"], file);
  EXPECT_EQ(entry["used"], used);
  EXPECT_EQ(entry["playable"], playable);
  EXPECT_EQ(entry["records"], records);
  EXPECT_EQ(entry["warnings"], nlohmann::json(c.warnings));
  ASSERT_EQ(entry["levels"].size(), c.lines.size());
  for (std::size_t k = 0; k < c.lines.size(); ++k) {
    const Expected& e = c.lines[k];
    const DagLevel& level = c.levels[static_cast<std::size_t>(e.number - 1)];
    const nlohmann::json& l = entry["levels"][k];
    EXPECT_EQ(l["level"], e.number);
    EXPECT_EQ(l["blocks"], BlocksOf(level));
    EXPECT_EQ(l["demand"], DemandOf(level));
    EXPECT_EQ(l["time"], level.time);
    EXPECT_EQ(l["playable"], e.verdict == "playable");
    std::string reasons;
    for (const auto& r : l["reasons"]) reasons += (reasons.empty() ? "" : ", ") + r.get<std::string>();
    EXPECT_EQ(reasons.empty() ? "playable" : "not playable (" + reasons + ")", e.verdict) << "level " << e.number;
  }
}

INSTANTIATE_TEST_SUITE_P(Check, CheckTest, testing::ValuesIn(CheckCases()),
                         [](const auto& info) { return info.param.name; });

// Several files: each reported, the worst status wins, an error does not stop the others.
TEST(CheckFiles, StatusOfSeveralFiles) {
  TempDir dir;
  const std::string good = dir / "good.dag", bad = dir / "bad.dag", missing = dir / "missing.dag";
  WriteRaw(good, DagFile({Playable()}));
  WriteRaw(bad, DagFile({Level(5, 0, 0, 0, 0)}));
  struct Case {
    std::vector<std::string> files;
    int status;
  };
  for (const Case& c : std::vector<Case>{{{good, good}, 0}, {{good, bad}, 1}, {{bad, missing, good}, 2}}) {
    const ProgramRun run = RunLevels(dir, [&] {
      std::vector<std::string> args{"check"};
      args.insert(args.end(), c.files.begin(), c.files.end());
      return args;
    }());
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    for (const std::string& f : c.files) {
      if (f == missing) {
        EXPECT_EQ(run.err, "quarvel-levels: " + missing + ": File not found.\n");
      } else {
        EXPECT_NE(run.out.find(f + ": 1 record, 1 level used"), std::string::npos) << run.out;
      }
    }
    const ProgramRun json = RunLevels(dir, [&] {
      std::vector<std::string> args{"check", "--json"};
      args.insert(args.end(), c.files.begin(), c.files.end());
      return args;
    }());
    EXPECT_EQ(json.status, c.status);
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    ASSERT_EQ(doc["files"].size(), c.files.size());
    for (std::size_t i = 0; i < c.files.size(); ++i) {
      EXPECT_EQ(doc["files"][i]["file"], c.files[i]);
      if (c.files[i] == missing) {
        EXPECT_EQ(doc["files"][i]["error"], "File not found.");
      }
    }
  }
}

// ---- copy --------------------------------------------------------------------------------

struct CopyCase {
  std::string name;
  std::vector<DagLevel> source;
  std::vector<DagLevel> target;      // ignored with --new
  bool fresh;                        // --new: TARGET does not exist
  std::vector<std::string> numbers;  // --start, --quantity, --after as typed; "" leaves one out
  std::string report;                // SRC and TGT stand for the paths
  bool drop = false;                 // --drop
};

int Dialog(const std::string& typed) { return typed.empty() ? 1 : std::stoi(typed); }

std::vector<CopyCase> CopyCases() {
  return {
      {"OverExistingLevels",
       Many(4),
       Many(3),
       false,
       {"2", "2", "2"},
       "copied 2 levels: SRC levels 2-3 to levels 2-3\n"
       "saved TGT: 3 levels before, 2 copied, 2 replaced, 0 dropped: 3 levels written\n"},
      {"PastTheEndOfTheTargetMovesUpWithDrop",
       Many(2),
       Many(3),
       false,
       {"1", "2", "6"},
       "copied 2 levels: SRC levels 1-2 to levels 6-7, saved as levels 4-5\n"
       "saved TGT: 3 levels before, 2 copied, 0 replaced, 0 dropped: 5 levels written\n",
       true},
      {"QuantityCutToTheSource",
       Many(3),
       Many(1),
       false,
       {"2", "10", "1"},
       "copied 2 levels: SRC levels 2-3 to levels 1-2\n"
       "saved TGT: 1 level before, 2 copied, 1 replaced, 0 dropped: 2 levels written\n"},
      {"QuantityCutAtLevel256WithDrop",
       Many(3),
       Many(2),
       false,
       {"1", "256", "256"},
       "copied 1 level: SRC level 1 to level 256, saved as level 3\n"
       "saved TGT: 2 levels before, 1 copied, 0 replaced, 0 dropped: 3 levels written\n",
       true},
      {"DefaultsAreOneAndReplaceAnUnplayableLevel",
       Many(3),
       {Level(1, 0, 0, 0, 0)},
       false,
       {"", "", ""},
       "copied 1 level: SRC level 1 to level 1\n"
       "saved TGT: 1 level before, 1 copied, 1 replaced, 0 dropped: 1 level written\n"},
      {"NewSet",
       Many(5),
       {},
       true,
       {"3", "3", "1"},
       "copied 3 levels: SRC levels 3-5 to levels 1-3\n"
       "saved TGT: 0 levels before, 3 copied, 0 replaced, 0 dropped: 3 levels written\n"},
      {"DropReportsEveryUnplayableLevel",
       {Playable(), Level(5, 0, 0, 0, 0, {{0, 0, 1}})},
       {Playable(), Level(60, 0, 3, 0, 0), Playable(), Playable()},
       false,
       {"1", "2", "3"},
       "copied 2 levels: SRC levels 1-2 to levels 3-4, saved as level 2\n"
       "dropped level 2: not playable (too few blocks)\n"
       "dropped level 4: not playable (time under 10)\n"
       "saved TGT: 4 levels before, 2 copied, 2 replaced, 2 dropped: 2 levels written\n",
       true},
      {"DropReportsEmptyLevels",
       {Playable(), Level(0, 0, 0, 0, 0)},
       {Playable(), Level(0, 0, 0, 0, 0), Playable(), Level(0, 0, 0, 0, 0)},
       false,
       {"1", "2", "3"},
       "copied 2 levels: SRC levels 1-2 to levels 3-4, saved as level 2\n"
       "dropped level 2: empty\n"
       "dropped level 4: empty\n"
       "saved TGT: 4 levels before, 2 copied, 2 replaced, 2 dropped: 2 levels written\n",
       true},
      {"DropReportsRecordsPastLevel256",
       Many(1),
       std::vector<DagLevel>(300, Playable()),
       false,
       {"", "", ""},
       "copied 1 level: SRC level 1 to level 1\n"
       "dropped records 257-300: past level 256, never read\n"
       "saved TGT: 300 levels before, 1 copied, 1 replaced, 44 dropped: 256 levels written\n",
       true},
  };
}

void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }

class CopyTest : public testing::TestWithParam<CopyCase> {};

// The saved bytes are what the editor's Copy then Save Set make of the same files.
TEST_P(CopyTest, SavesWhatTheEditorSaves) {
  const CopyCase& c = GetParam();
  TempDir dir;
  const std::string source = dir / "source.dag", target = dir / "target.dag", reference = dir / "reference.dag";
  WriteRaw(source, DagFile(c.source));
  if (!c.fresh) WriteRaw(target, DagFile(c.target));

  auto expectedSet = quarvel_test::NewSet();
  if (!c.fresh) quarvel::ReadLevelSetFile(target, *expectedSet);
  auto sourceSet = quarvel_test::NewSet();
  const int sourceLevels = quarvel::ReadLevelSetFile(source, *sourceSet);
  quarvel::TCurrentLevel current = 0;
  quarvel::CopyLevels(*expectedSet, *sourceSet, sourceLevels, Dialog(c.numbers[0]), Dialog(c.numbers[1]),
                      Dialog(c.numbers[2]), current);
  quarvel::WriteLevelSetFile(reference, *expectedSet);

  std::vector<std::string> args{"copy", source, target};
  const char* options[] = {"--start", "--quantity", "--after"};
  for (int i = 0; i < 3; ++i)
    if (!c.numbers[i].empty()) args.insert(args.end(), {options[i], c.numbers[i]});
  if (c.fresh) args.push_back("--new");
  if (c.drop) args.push_back("--drop");
  const ProgramRun run = RunLevels(dir, args);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, Replace(Replace(c.report, "SRC", source), "TGT", target));
  EXPECT_EQ(ReadAll(target), ReadAll(reference));
  EXPECT_EQ(FolderNames(dir.Path()),
            (std::vector<std::string>{".", "..", "reference.dag", "source.dag", "target.dag"}));
}

INSTANTIATE_TEST_SUITE_P(Copy, CopyTest, testing::ValuesIn(CopyCases()),
                         [](const auto& info) { return info.param.name; });

TEST(CopyTest, SourceAndTargetTheSameFile) {
  TempDir dir;
  const std::string file = dir / "set.dag", reference = dir / "reference.dag";
  WriteRaw(file, DagFile(Many(4)));
  auto set = quarvel_test::NewSet();
  const int levels = quarvel::ReadLevelSetFile(file, *set);
  const auto source = *set;
  quarvel::TCurrentLevel current = 0;
  quarvel::CopyLevels(*set, source, levels, 1, 4, 3, current);
  quarvel::WriteLevelSetFile(reference, *set);
  const ProgramRun run = RunLevels(dir, {"copy", file, file, "--quantity", "4", "--after", "3"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(file), ReadAll(reference));
}

// ---- errors ------------------------------------------------------------------------------

struct ErrorCase {
  std::string name;
  std::vector<std::string> args;  // SRC, TGT, SHORT, DIR, NONE stand for the files below
  std::string message;            // the line on standard error, without "quarvel-levels: "
};

std::vector<ErrorCase> ErrorCases() {
  return {
      {"CheckMissingFile", {"check", "NONE"}, "NONE: File not found."},
      {"CheckMissingFolder", {"check", "DIR/no/such.dag"}, "DIR/no/such.dag: Invalid filename."},
      {"CheckShorterThanTheHeader",
       {"check", "TINY"},
       "TINY: Read beyond end of file: the file is shorter than its 4-byte header."},
      {"CheckShortFile",
       {"check", "SHORT"},
       "SHORT: Read beyond end of file: the last 295 bytes are not a whole record."},
      {"CheckFolder", {"check", "DIR"}, "DIR: File access denied: it is a folder."},
      {"ExportIntoFifo", {"export", "SRC", "-o", "PIPEFILE"}, "PIPEFILE: Is a FIFO, not a file; nothing written."},
      {"CheckDevice", {"check", "/dev/null"}, "/dev/null: File access denied: it is a character device."},
      {"CheckNoFile", {"check", "--json"}, "check: No file given."},
      {"CheckUnknownOption", {"check", "--jsn", "SRC"}, "--jsn: Unknown option."},
      {"CopyMissingSource", {"copy", "NONE", "TGT"}, "NONE: File not found."},
      {"CopyShortSource",
       {"copy", "SHORT", "TGT"},
       "SHORT: Read beyond end of file: the last 295 bytes are not a whole record."},
      {"CopyMissingTarget", {"copy", "SRC", "NONE"}, "NONE: File not found."},
      {"CopyShortTarget",
       {"copy", "SRC", "SHORT"},
       "SHORT: Read beyond end of file: the last 295 bytes are not a whole record."},
      {"CopyNewIntoMissingFolder",
       {"copy", "SRC", "DIR/no/new.dag", "--new"},
       "DIR/no/new.dag: No such folder: DIR/no."},
      {"CopyNewOverFolder",
       {"copy", "SRC", "DIR", "--new"},
       "DIR: File exists: --new makes a new file and never replaces one."},
      {"CopyNewOverFile",
       {"copy", "SRC", "TGT", "--new"},
       "TGT: File exists: --new makes a new file and never replaces one."},
      {"CopyIntoFolder", {"copy", "SRC", "DIR"}, "DIR: File access denied: it is a folder."},
      {"CopyBothFromStandardInput", {"copy", "-", "-"}, "-: Standard input can be SOURCE or TARGET, not both."},
      {"CopyStartZero", {"copy", "SRC", "TGT", "--start", "0"}, "--start 0: Out of range 1 to 256."},
      {"CopyStart257", {"copy", "SRC", "TGT", "--start=257"}, "--start 257: Out of range 1 to 256."},
      {"CopyQuantityZero", {"copy", "SRC", "TGT", "--quantity", "0"}, "--quantity 0: Out of range 1 to 256."},
      {"CopyQuantityNegative", {"copy", "SRC", "TGT", "--quantity", "-1"}, "--quantity -1: Out of range 1 to 256."},
      {"CopyAfter257", {"copy", "SRC", "TGT", "--after", "257"}, "--after 257: Out of range 1 to 256."},
      {"CopyAfterMostNegative",
       {"copy", "SRC", "TGT", "--after", "-2147483648"},
       "--after -2147483648: Out of range 1 to 256."},
      {"CopyStartNotANumber", {"copy", "SRC", "TGT", "--start", "abc"}, "--start abc: Invalid numeric input."},
      {"CopyQuantityEmpty", {"copy", "SRC", "TGT", "--quantity="}, "--quantity : Invalid numeric input."},
      {"CopyAfterBeyond32Bits",
       {"copy", "SRC", "TGT", "--after", "2147483648"},
       "--after 2147483648: Invalid numeric input."},
      {"CopyTrailingText", {"copy", "SRC", "TGT", "--start", "12x"}, "--start 12x: Invalid numeric input."},
      {"CopyValueMissing", {"copy", "SRC", "TGT", "--start"}, "--start: Value missing."},
      {"CopyUnknownOption", {"copy", "SRC", "TGT", "--force"}, "--force: Unknown option."},
      {"CopyFlagWithValue", {"copy", "SRC", "TGT", "--new=yes"}, "--new=yes: Unknown option."},
      {"CopyOneFile", {"copy", "SRC"}, "copy: SOURCE and TARGET needed."},
      {"CopyThreeFiles", {"copy", "SRC", "TGT", "SHORT"}, "SHORT: Unexpected argument."},
      {"UnknownCommand", {"chek", "SRC"}, "chek: Unknown command; did you mean check? See quarvel-levels --help."},
      {"UnknownCommandNearCopy",
       {"cpy", "SRC", "TGT"},
       "cpy: Unknown command; did you mean copy? See quarvel-levels --help."},
      {"HelpWithArgument", {"--help", "check"}, "check: Unexpected argument."},
      {"VersionWithArgument", {"--version", "SRC"}, "SRC: Unexpected argument."},
      {"CommandHelpWithArgument", {"check", "--help", "SRC"}, "SRC: Unexpected argument beside --help."},
      {"UnknownProgramOption", {"--verbose"}, "--verbose: Unknown option."},
      {"HelpOfUnknownCommand",
       {"help", "rendr"},
       "rendr: Unknown command; did you mean render? See quarvel-levels --help."},
      {"RenderNoOutput", {"render", "SRC"}, "-o: No output file given."},
      {"RenderMissingFile", {"render", "NONE", "-o", "DIR/out.png"}, "NONE: File not found."},
      {"RenderShortFile",
       {"render", "SHORT", "-o", "DIR/out.png"},
       "SHORT: Read beyond end of file: the last 295 bytes are not a whole record."},
      {"RenderLevelZero", {"render", "SRC", "-o", "DIR/out.png", "--level", "0"}, "--level 0: Out of range 1 to 256."},
      {"RenderLevelTooHigh",
       {"render", "SRC", "-o", "DIR/out.png", "--level=257"},
       "--level 257: Out of range 1 to 256."},
      {"RenderLevelNotANumber",
       {"render", "SRC", "-o", "DIR/out.png", "--level", "x1"},
       "--level x1: Invalid numeric input."},
      {"RenderScaleZero", {"render", "SRC", "-o", "DIR/out.png", "--scale", "0"}, "--scale 0: Out of range 1 to 16."},
      {"RenderScaleTooHigh",
       {"render", "SRC", "-o", "DIR/out.png", "--scale", "17"},
       "--scale 17: Out of range 1 to 16."},
      {"RenderIntoMissingFolder", {"render", "SRC", "-o", "DIR/no/out.png"}, "DIR/no/out.png: No such folder: DIR/no."},
      {"RenderOverItsInput",
       {"render", "SRC", "-o", "SRC"},
       "SRC: Not a PNG name: the output ends in .png, or is - for standard output."},
      {"RenderOverItsInputByAnotherName",
       {"render", "SRC", "-o", "DIR/alias.PNG"},
       "DIR/alias.PNG: Is an input; it is never written over."},
      {"RenderOverItsInputByASymlink",
       {"render", "SRC", "-o", "DIR/link.png"},
       "DIR/link.png: Is an input; it is never written over."},
      {"RenderIntoAFolder",
       {"render", "SRC", "-o", "DIR/folder.png"},
       "DIR/folder.png: Is a folder, not a file; nothing written."},
      {"RenderNotAPngName",
       {"render", "SRC", "-o", "DIR/sheet"},
       "DIR/sheet: Not a PNG name: the output ends in .png, or is - for standard output."},
      {"RenderScaleTooLargeForTheSet",
       {"render", "FULL", "-o", "DIR/big.png", "--scale", "16"},
       "--scale 16: Picture too large: the largest scale for this set is 2."},
      {"RenderEmptySet", {"render", "EMPTY", "-o", "DIR/out.png"}, "EMPTY: No level used, nothing to draw."},
      {"RenderUnknownOption", {"render", "SRC", "-o", "DIR/out.png", "--dpi", "2"}, "--dpi: Unknown option."},
  };
}

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class ErrorTest : public testing::TestWithParam<ErrorCase> {};

// One line naming the file or argument with the message, status 2, nothing written.
TEST_P(ErrorTest, OneLineStatusTwoFilesUntouched) {
  const ErrorCase& c = GetParam();
  TempDir dir;
  const std::string src = dir / "source.dag", tgt = dir / "target.dag", shortFile = dir / "short.dag",
                    empty = dir / "empty.dag";
  WriteRaw(src, DagFile(Many(3)));
  WriteRaw(tgt, DagFile({Playable(7), Level(3, 0, 0, 0, 0)}));
  Bytes truncated = DagFile(Many(2));
  truncated.pop_back();
  WriteRaw(shortFile, truncated);
  WriteRaw(empty, DagFile({Level(0, 0, 0, 0, 0)}));
  const std::string full = dir / "full.dag", fifo = dir / "fifo";
  WriteRaw(full, DagFile(std::vector<DagLevel>(256, Playable())));
  ::mkfifo(fifo.c_str(), 0644);
  ::mkdir((dir / "folder.png").c_str(), 0755);
  WriteRaw(dir / "tiny.dag", {0x44, 0x41});
  // Other names of the source: a hard link and a symbolic link with picture names.
  ::link(src.c_str(), (dir / "alias.PNG").c_str());
  ::symlink("source.dag", (dir / "link.png").c_str());
  const std::vector<std::string> namesBefore = FolderNames(dir.Path());
  const Bytes srcBefore = ReadAll(src), tgtBefore = ReadAll(tgt);
  const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  for (const std::string& file : {src, tgt}) ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), old, 0), 0);

  auto expand = [&](std::string text) {
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{{"SRC", src},
                                                                                     {"TGT", tgt},
                                                                                     {"SHORT", shortFile},
                                                                                     {"EMPTY", empty},
                                                                                     {"NONE", dir / "none.dag"},
                                                                                     {"FULL", full},
                                                                                     {"PIPEFILE", fifo},
                                                                                     {"TINY", dir / "tiny.dag"},
                                                                                     {"DIR", dir.Path()}})
      text = Replace(text, key, value);
    return text;
  };
  std::vector<std::string> args;
  for (const std::string& a : c.args) args.push_back(expand(a));
  const ProgramRun run = RunLevels(dir, args);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "quarvel-levels: " + expand(c.message) + "\n");
  if (args[0] != "check") {
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(ReadAll(src), srcBefore);
  EXPECT_EQ(ReadAll(tgt), tgtBefore);
  for (const std::string& file : {src, tgt}) {
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, old[1].tv_sec) << file;
  }
  EXPECT_EQ(FolderNames(dir.Path()), namesBefore);
}

INSTANTIATE_TEST_SUITE_P(Errors, ErrorTest, testing::ValuesIn(ErrorCases()),
                         [](const auto& info) { return info.param.name; });

// ---- help and version --------------------------------------------------------------------

TEST(HelpTest, HelpAndVersion) {
  TempDir dir;
  const ProgramRun version = RunLevels(dir, {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("quarvel-levels ") + QUARVEL_PROJECT_VERSION + "\n");
  const ProgramRun general = RunLevels(dir, {"--help"});
  EXPECT_EQ(general.status, 0);
  EXPECT_EQ(RunLevels(dir, {"help"}).out, general.out);
  // Every command of the table has its line in the program's help, and a help of its own
  // that starts with its usage and names each of its options.
  for (const quarvel_cli::Command* command : quarvel_cli::Commands()) {
    const std::string name(command->Name);
    const ProgramRun help = RunLevels(dir, {"help", name});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: quarvel-levels " + name, 0), 0u) << help.out;
    if (command->Run != nullptr) {
      EXPECT_EQ(RunLevels(dir, {name, "--help"}).out, help.out);
    }
    EXPECT_NE(general.out.find("\n  " + name + " " + std::string(command->Brief)), std::string::npos) << name;
    EXPECT_NE(general.out.find(std::string(command->Summary) + "\n"), std::string::npos) << name;
    for (const quarvel_cli::OptionSpec& option : command->Options) {
      const std::string shown =
          (option.Short != 0 ? std::string("  -") + option.Short + ", " : std::string("  ")) + std::string(option.Long);
      EXPECT_NE(help.out.find(shown), std::string::npos) << name << ": " << shown;
    }
  }
  const ProgramRun none = RunLevels(dir, {});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.err, general.out);
}

// ---- libraries ---------------------------------------------------------------------------

// The dynamic loader's own account of every library it loads, dlopen included.
std::string LoadedLibraries(const TempDir& dir, const std::vector<std::string>& args, int& status) {
  const ProgramRun run = RunLevels(dir, args, {"LD_DEBUG=libs", "DISPLAY=", "WAYLAND_DISPLAY="});
  status = run.status;
  return run.err;
}

// Drawing included: render and thumbnail draw with the core, no toolkit and no display.
TEST(LibrariesTest, NoCommandLoadsQt) {
  TempDir dir;
  const std::string source = dir / "source.dag", target = dir / "target.dag";
  WriteRaw(source, DagFile(Many(3)));
  WriteRaw(target, DagFile(Many(2)));
  for (const std::vector<std::string>& args : {std::vector<std::string>{"check", source},
                                               {"copy", source, target, "--after", "3"},
                                               {"--help"},
                                               {"render", source, "-o", dir / "sheet.png"},
                                               {"thumbnail", source, dir / "thumbnail.png"}}) {
    int status = -1;
    const std::string log = LoadedLibraries(dir, args, status);
    EXPECT_EQ(status, 0) << args[0];
    EXPECT_NE(log.find("libc.so"), std::string::npos) << "the loader's log is missing: " << log;
    EXPECT_EQ(log.find("libQt6"), std::string::npos) << args[0] << " loaded Qt:\n" << log;
  }
}

}  // namespace

namespace {

// The same picture whatever the environment says about scaling, font DPI or fonts.
TEST(RenderEnvironmentTest, SettingsAndFontsChangeNoPixel) {
  TempDir dir;
  const std::string source = dir / "source.dag";
  WriteRaw(source, DagFile(Many(12)));
  const std::vector<std::vector<std::string>> environments = {
      {"QT_SCALE_FACTOR=2"},
      {"QT_FONT_DPI=200"},
      {"QT_SCREEN_SCALE_FACTORS=3", "QT_ENABLE_HIGHDPI_SCALING=1", "QT_SCALE_FACTOR_ROUNDING_POLICY=PassThrough"},
      {"QT_USE_PHYSICAL_DPI=1"},
      {"FONTCONFIG_FILE=/dev/null", "QT_QPA_FONTDIR=/nonexistent"},  // no font at all
  };
  for (const std::vector<std::string>& level : {std::vector<std::string>{}, {"--level", "2", "--scale", "2"}}) {
    std::vector<std::string> args{"render", source, "-o", dir / "plain.png"};
    args.insert(args.end(), level.begin(), level.end());
    ASSERT_EQ(RunLevels(dir, args).status, 0);
    const Bytes plain = ReadAll(dir / "plain.png");
    for (const std::vector<std::string>& env : environments) {
      args[3] = dir / "other.png";
      const ProgramRun run = RunLevels(dir, args, env);
      EXPECT_EQ(run.status, 0) << env[0] << run.err;
      EXPECT_TRUE(ReadAll(dir / "other.png") == plain) << env[0] << (level.empty() ? " sheet" : " level");
    }
  }
}

}  // namespace
