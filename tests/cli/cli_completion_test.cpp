// The bash completion of quarvel-levels, run by bash itself on a command line as typed:
// file names with spaces and colons, each name once, --output=, -h. Bash hands the function
// COMP_LINE and COMP_POINT, which is all it reads.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"

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
      {"EveryNameOnce", "check ", {"a b.dag", "c:d.dag", "e.DAG", "sub"}},
      {"EscapedSpace", "check a\\ ", {"a b.dag"}},
      {"AfterAColonOnlyTheRest", "check c:", {"d.dag"}},
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
      {"ImportWritesASet", "import f.txt -o ", {"a b.dag", "c:d.dag", "e.DAG", "sub"}},
      {"DiffOptions", "diff a.dag b.dag -", {"--help", "--json", "-h"}},
      {"ThumbnailReadsASet", "thumbnail -s 128 ", {"a b.dag", "c:d.dag", "e.DAG", "sub"}},
      {"ThumbnailWritesAPicture", "thumbnail -s 128 e.DAG ", {"-", "pic.png", "sub"}},
      {"SizeIsNotAFile", "thumbnail e.DAG --size ", {}},
  };
}

void PrintTo(const CompletionCase& c, std::ostream* os) { *os << c.name; }

class CompletionTest : public testing::TestWithParam<CompletionCase> {};

TEST_P(CompletionTest, Replies) {
  const CompletionCase& c = GetParam();
  TempDir dir;
  for (const char* file : {"a b.dag", "c:d.dag", "e.DAG", "f.txt", "pic.png"})
    quarvel_test::WriteRaw(dir / file, quarvel_test::DagFile({}));
  ::mkdir((dir / "sub").c_str(), 0755);
  quarvel_test::WriteRaw(dir / "sub/x.dag", quarvel_test::DagFile({}));

  const std::string script =
      "source \"$1\" && cd \"$2\" && COMP_LINE=\"quarvel-levels $3\" && COMP_POINT=${#COMP_LINE} && "
      "_quarvel_levels && printf '%s\\n' \"${COMPREPLY[@]}\"";
  const ProgramRun run = quarvel_test::RunProgram(
      "/bin/bash", {"--norc", "-c", script, "bash", QUARVEL_LEVELS_COMPLETION, dir.Path(), c.line}, dir.Path());
  EXPECT_EQ(run.err, "");
  std::vector<std::string> replies;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) replies.push_back(line);
  std::sort(replies.begin(), replies.end());
  EXPECT_EQ(replies, c.replies);
}

INSTANTIATE_TEST_SUITE_P(Completion, CompletionTest, testing::ValuesIn(CompletionCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
