// The examples of quarvel-levels in the README and the manual page hold true: each
// transcript of the README is run in order in a folder holding the files it names, and
// its output compared line for line; every other example must run without an error. The
// manual page names every command of the program's table, with its options.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"
#include "cli/Commands.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::DagFile;
using quarvel_test::WriteRaw;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A level of `blocks` blocks of `code`, the demand in one of its numbers.
DagLevel Shaped(int time, int blocks, int code, int rubies, int emeralds, int sapphires, int bombs) {
  std::vector<CellCode> cells;
  for (int i = 0; i < blocks; ++i) cells.push_back({i % 11, i / 11, code});
  return Level(time, bombs, rubies, emeralds, sapphires, cells);
}

// The files the examples name: pack.dag as the README's check shows it, committed to git,
// and extra.dag with two playable levels.
void MakeExampleFiles(const TempDir& dir) {
  WriteRaw(dir / "pack.dag", DagFile({Shaped(120, 14, 1, 4, 0, 0, 0), Shaped(90, 16, 2, 5, 4, 0, 0),
                                      Shaped(5, 4, 3, 0, 0, 6, 0), Shaped(150, 10, 4, 0, 0, 0, 8)}));
  WriteRaw(dir / "extra.dag", DagFile({Shaped(60, 5, 1, 3, 0, 0, 0), Shaped(80, 6, 2, 0, 2, 0, 0)}));
  const ProgramRun git = quarvel_test::RunProgram(
      "/bin/sh", {"-c", "cd \"$0\" && git init -q && git add pack.dag && git commit -qm pack", dir.Path()}, dir.Path(),
      {"HOME=" + dir.Path(), "GIT_CONFIG_NOSYSTEM=1", "GIT_AUTHOR_NAME=t", "GIT_AUTHOR_EMAIL=t@t",
       "GIT_COMMITTER_NAME=t", "GIT_COMMITTER_EMAIL=t@t"});
  ASSERT_EQ(git.status, 0) << git.err;
}

// The folder of the program under test first on PATH, so that examples run it by name.
std::vector<std::string> ExampleEnvironment(const TempDir& dir) {
  const std::string folder = kProgramPath.substr(0, kProgramPath.rfind('/'));
  const char* path = std::getenv("PATH");
  return {"PATH=" + folder + ":" + (path ? path : "/usr/bin:/bin"), "HOME=" + dir.Path()};
}

ProgramRun RunShell(const TempDir& dir, const std::string& script) {
  return quarvel_test::RunProgram("/bin/sh", {"-c", "cd \"$0\" && " + script, dir.Path()}, dir.Path(),
                                  ExampleEnvironment(dir));
}

std::string QuarvelLevelsSection() {
  const std::string readme = ReadFile(QUARVEL_README);
  const auto start = readme.find("\n## quarvel-levels\n");
  const auto end = readme.find("\n## ", start + 1);
  return readme.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

struct Step {
  std::string command;
  std::string output;
};

// The "$ " lines of each fenced block and the lines after each, up to the next.
std::vector<std::vector<Step>> Transcripts(const std::string& section) {
  std::vector<std::vector<Step>> transcripts;
  std::istringstream lines(section);
  bool inBlock = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("```")) {
      inBlock = !inBlock;
      if (inBlock) transcripts.emplace_back();
    } else if (inBlock && line.starts_with("$ ")) {
      transcripts.back().push_back({line.substr(2), ""});
    } else if (inBlock && !transcripts.back().empty()) {
      transcripts.back().back().output += line + "\n";
    }
  }
  return transcripts;
}

TEST(ReadmeTest, TranscriptsHoldTrue) {
  TempDir dir;
  MakeExampleFiles(dir);
  const auto transcripts = Transcripts(QuarvelLevelsSection());
  ASSERT_GE(transcripts.size(), 2u);
  for (const std::vector<Step>& steps : transcripts) {
    ASSERT_FALSE(steps.empty());
    // One shell, so that `echo $?` sees the command before it; a line of its own between
    // the steps, the status carried over it.
    std::string script;
    for (const Step& step : steps) script += "{ " + step.command + "; } 2>&1; s=$?; echo '@@'; (exit $s); ";
    const ProgramRun run = RunShell(dir, script);
    std::vector<std::string> outputs;
    std::string rest = run.out;
    for (auto at = rest.find("@@\n"); at != std::string::npos; at = rest.find("@@\n")) {
      outputs.push_back(rest.substr(0, at));
      rest.erase(0, at + 3);
    }
    ASSERT_EQ(outputs.size(), steps.size()) << run.out << run.err;
    for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(outputs[i], steps[i].output) << "$ " << steps[i].command;
  }
}

// Commands in the README's text and the manual page's EXAMPLES run without an error.
TEST(ReadmeTest, OtherExamplesRun) {
  TempDir dir;
  MakeExampleFiles(dir);
  std::vector<std::string> commands;
  const std::string section = QuarvelLevelsSection();
  for (auto at = section.find("`quarvel-levels "); at != std::string::npos;
       at = section.find("`quarvel-levels ", at + 1))
    commands.push_back(section.substr(at + 1, section.find('`', at + 1) - at - 1));
  const std::string manual = ReadFile(QUARVEL_LEVELS_MANUAL);
  std::istringstream lines(manual.substr(manual.find(".SH EXAMPLES")));
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(".SH SEE")) break;
    if (line.starts_with(".")) continue;
    commands.push_back(Replace(line, "\\-", "-"));
  }
  ASSERT_GE(commands.size(), 5u);
  for (const std::string& command : commands) {
    const ProgramRun run = RunShell(dir, command);
    EXPECT_NE(run.status, 2) << command << "\n" << run.err;
    EXPECT_EQ(run.err.find("quarvel-levels: "), std::string::npos) << command << "\n" << run.err;
  }
}

TEST(ManualTest, NamesEveryCommandAndItsOptions) {
  const std::string manual = Replace(ReadFile(QUARVEL_LEVELS_MANUAL), "\\-", "-");
  const std::string synopsis = manual.substr(0, manual.find(".SH DESCRIPTION"));
  const std::size_t commandsAt = manual.find(".SH COMMANDS");
  ASSERT_NE(commandsAt, std::string::npos);
  const std::string commands = manual.substr(commandsAt, manual.find("\n.SH ", commandsAt + 1) - commandsAt);
  // Each command's entry under COMMANDS, in the table's order: from its ".TP" line on to the
  // next command's.
  std::vector<std::size_t> entries;
  for (const quarvel_cli::Command* command : quarvel_cli::Commands()) {
    const std::string name(command->Name);
    EXPECT_NE(synopsis.find("\n.B quarvel-levels " + name + "\n"), std::string::npos) << name;
    std::smatch entry;
    const std::regex heading("\n\\.TP\n\\.B[IR]? " + name + "[ \n]");
    ASSERT_TRUE(std::regex_search(commands, entry, heading)) << name << " has no entry under COMMANDS";
    entries.push_back(static_cast<std::size_t>(entry.position(0)));
  }
  EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end())) << "the entries are not in the table's order";
  entries.push_back(commands.size());
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    const quarvel_cli::Command& command = *quarvel_cli::Commands()[i];
    const std::string entry = commands.substr(entries[i], entries[i + 1] - entries[i]);
    for (const quarvel_cli::OptionSpec& option : command.Options) {
      const bool named = entry.find(std::string(option.Long)) != std::string::npos ||
                         (option.Short != 0 && entry.find(std::string("-") + option.Short) != std::string::npos);
      EXPECT_TRUE(named) << command.Name << " " << option.Long;
    }
  }
}

// What the help, the manual and the README say of the same thing agrees with the program.
struct Claim {
  std::string name;
  std::string source;  // "README", "manual", or the help topic ("" for the program's)
  std::string says;    // a phrase the source holds
  bool holds;          // false: a phrase it must no longer hold
};

std::vector<Claim> Claims() {
  return {
      {"ProgramHelpNamesEveryVerb", "", "Checks, draws, copies, exports, imports and compares", true},
      {"CopyHelpNamesTheTail", "copy", "bytes after the last whole record", true},
      {"CopyHelpNamesTheGap", "copy", "past the end of TARGET", true},
      {"ReadmeImportWritesAnyBytes", "README", "`import` writes exactly the bytes", true},
      {"ReadmeEveryWriterOfStandardOutput", "README", "`export` writes standard output unless given `-o`", true},
      {"ReadmeNotOnlyRenderWritesOut", "README", "`render -o -` writes standard output.", false},
      {"ReadmeNotEverySaveOnlyPlayable", "README", "rule included: only playable levels are written", false},
      {"ReadmeGivesARatioNotATime", "README", "about 15 ms", false},
      {"ManualGivesTheOptionConvention", "manual", "-s128", true},
      {"ManualGivesTheOutputRule", "manual", ".SH OUTPUTS", true},
  };
}

void PrintTo(const Claim& c, std::ostream* os) { *os << c.name; }

class ClaimTest : public testing::TestWithParam<Claim> {};

TEST_P(ClaimTest, AgreesWithTheProgram) {
  const Claim& c = GetParam();
  std::string text;
  if (c.source == "README") {
    text = Replace(ReadFile(QUARVEL_README), "\n", " ");
  } else if (c.source == "manual") {
    text = Replace(ReadFile(QUARVEL_LEVELS_MANUAL), "\\-", "-");
  } else {
    TempDir dir;
    text = Replace(RunLevels(dir, c.source.empty() ? std::vector<std::string>{"--help"}
                                                   : std::vector<std::string>{"help", c.source})
                       .out,
                   "\n", " ");
  }
  EXPECT_EQ(text.find(c.says) != std::string::npos, c.holds) << c.says;
}

INSTANTIATE_TEST_SUITE_P(Docs, ClaimTest, testing::ValuesIn(Claims()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
