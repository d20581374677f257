// The bash completion of quarvel-levels, run by bash itself on a command line as typed:
// file names with spaces and colons (bare, escaped or quoted), each name once, --output=,
// -h, and the commands and options of the program's table. Bash hands the function
// COMP_LINE and COMP_POINT, which is all it reads.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"
#include "cli/Commands.h"

namespace {

using namespace quarvel_cli_test;

struct CompletionCase {
  std::string name;
  std::string line;  // after "quarvel-levels ", up to the cursor
  std::vector<std::string> replies;
};

std::vector<CompletionCase> CompletionCases() {
  return {
      {"Command", "ch", {"check"}},
      {"ProgramOptions", "-", {"--help", "--version", "-h"}},
      {"EveryNameOnce",
       "check ",
       {"a b.dag", "c:d.dag", "colon: level 1: x.dag", "colon: level 2: y.dag", "e.DAG", "f.txt", "sub"}},
      {"DiffReadsSetsAndText",
       "diff e.DAG ",
       {"a b.dag", "c:d.dag", "colon: level 1: x.dag", "colon: level 2: y.dag", "e.DAG", "f.txt", "sub"}},
      {"CopyWritesOnlyOverASet",
       "copy f.txt ",
       {"a b.dag", "c:d.dag", "colon: level 1: x.dag", "colon: level 2: y.dag", "e.DAG", "sub"}},
      {"EscapedSpace", "check a\\ ", {"a b.dag"}},
      {"AfterAColonOnlyTheRest", "check c:", {"d.dag"}},
      // Readline quotes the colons it puts in a name (colon\:\ level\ ) and then keeps the
      // word whole; it cuts it only at a bare colon, and never inside quotes.
      {"ColonsAndSpaces", "check col", {"colon: level 1: x.dag", "colon: level 2: y.dag"}},
      {"EscapedColonsKeepTheName", "check colon\\:\\ level\\ 1", {"colon: level 1: x.dag"}},
      {"ABareColonCutsIt", "check colon:\\ level\\ 1", {" level 1: x.dag"}},
      {"InDoubleQuotes", "check \"colon: level 2", {"colon: level 2: y.dag"}},
      {"InSingleQuotes", "check 'colon: l", {"colon: level 1: x.dag", "colon: level 2: y.dag"}},
      {"QuotedAfterEquals", "render x.dag --output=\"p", {"pic.png"}},
      {"InAFolder", "copy x.dag sub/", {"sub/x.dag"}},
      {"OutputAfterO", "render x.dag -o ", {"-", "pic.png", "sub"}},
      {"OutputAfterEquals", "render x.dag --output=", {"-", "pic.png", "sub"}},
      {"OutputAfterEqualsStarted", "render x.dag --output=p", {"pic.png"}},
      {"CheckOptions", "check -", {"--help", "--json", "--strict", "-h"}},
      {"CopyOptions", "copy a.dag b.dag --d", {"--drop", "--dry-run"}},
      {"NumbersAreNotFiles", "copy a.dag b.dag --start ", {}},
      {"HelpTopics", "help c", {"check", "copy"}},
      {"TextCommands", "i", {"import"}},
      {"ImportReadsText", "import ", {"f.txt", "sub"}},
      {"ExportWritesText", "export x.dag -o ", {"f.txt", "sub"}},
      {"ImportWritesASet",
       "import f.txt -o ",
       {"a b.dag", "c:d.dag", "colon: level 1: x.dag", "colon: level 2: y.dag", "e.DAG", "sub"}},
      {"DiffOptions", "diff a.dag b.dag -", {"--help", "--json", "-h"}},
      {"ThumbnailReadsASet",
       "thumbnail -s 128 ",
       {"a b.dag", "c:d.dag", "colon: level 1: x.dag", "colon: level 2: y.dag", "e.DAG", "sub"}},
      {"ThumbnailWritesAPicture", "thumbnail -s 128 e.DAG ", {"-", "pic.png", "sub"}},
      {"SizeIsNotAFile", "thumbnail e.DAG --size ", {}},
  };
}

void PrintTo(const CompletionCase& c, std::ostream* os) { *os << c.name; }

// The replies of the completion for `quarvel-levels LINE`, sorted, in a folder of files
// with spaces and colons in their names.
std::vector<std::string> Replies(const std::string& line) {
  TempDir dir;
  for (const char* file :
       {"a b.dag", "c:d.dag", "colon: level 1: x.dag", "colon: level 2: y.dag", "e.DAG", "f.txt", "pic.png"})
    quarvel_test::WriteRaw(dir / file, quarvel_test::DagFile({}));
  ::mkdir((dir / "sub").c_str(), 0755);
  quarvel_test::WriteRaw(dir / "sub/x.dag", quarvel_test::DagFile({}));

  const std::string script =
      "source \"$1\" && cd \"$2\" && COMP_LINE=\"quarvel-levels $3\" && COMP_POINT=${#COMP_LINE} && "
      "_quarvel_levels && printf '%s\\n' \"${COMPREPLY[@]}\"";
  const ProgramRun run = quarvel_test::RunProgram(
      "/bin/bash", {"--norc", "-c", script, "bash", QUARVEL_LEVELS_COMPLETION, dir.Path(), line}, dir.Path());
  EXPECT_EQ(run.err, "") << line;
  std::vector<std::string> replies;
  std::istringstream lines(run.out);
  for (std::string reply; std::getline(lines, reply);)
    if (!reply.empty()) replies.push_back(reply);
  std::sort(replies.begin(), replies.end());
  return replies;
}

class CompletionTest : public testing::TestWithParam<CompletionCase> {};

TEST_P(CompletionTest, Replies) { EXPECT_EQ(Replies(GetParam().line), GetParam().replies); }

INSTANTIATE_TEST_SUITE_P(Completion, CompletionTest, testing::ValuesIn(CompletionCases()),
                         [](const auto& info) { return info.param.name; });

std::vector<std::string> Sorted(std::vector<std::string> words) {
  std::sort(words.begin(), words.end());
  return words;
}

// The completion offers the commands of the program's table, and for each command the
// options of the table, -h and --help (and --output= where --output takes a file).
TEST(CompletionTable, EveryCommandAndItsOptions) {
  std::vector<std::string> names;
  for (const quarvel_cli::Command* command : quarvel_cli::Commands()) names.emplace_back(command->Name);
  std::vector<std::string> first = names;
  first.insert(first.end(), {"-h", "--help", "--version"});
  EXPECT_EQ(Replies(""), Sorted(first));
  EXPECT_EQ(Replies("help "), Sorted(names));
  for (const quarvel_cli::Command* command : quarvel_cli::Commands()) {
    if (command->Run == nullptr) continue;  // help takes a command, no option
    std::vector<std::string> options = {"-h", "--help"};
    for (const quarvel_cli::OptionSpec& option : command->Options) {
      options.emplace_back(option.Long);
      if (option.Short != 0) options.push_back(std::string("-") + option.Short);
    }
    std::vector<std::string> replies;
    for (const std::string& reply : Replies(std::string(command->Name) + " -"))
      if (!reply.ends_with('=')) replies.push_back(reply);
    EXPECT_EQ(replies, Sorted(options)) << command->Name;
  }
}

}  // namespace
