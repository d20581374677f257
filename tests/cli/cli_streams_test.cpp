// "-" for standard input and output, and standard output that fails: a full disk or a
// closed descriptor is an error with status 2, a reader that went away ends the program
// quietly by SIGPIPE.

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"
#include "LevelSets.h"
#include "files/LevelSetFile.h"
#include "model/LevelCopy.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::Bytes;
using quarvel_test::DagFile;
using quarvel_test::ReadAll;
using quarvel_test::Streams;
using quarvel_test::WriteRaw;

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

struct DashCase {
  std::string name;
  std::vector<std::string> withDash;   // reads standard input (SRC) or writes standard output
  std::vector<std::string> withFiles;  // the same with named files; OUT is its output
  bool outputToFile;                   // compare withFiles' OUT with withDash's standard output
};

std::vector<DashCase> DashCases() {
  return {
      {"CheckReadsStandardInput", {"check", "-"}, {"check", "SRC"}, false},
      {"CheckJsonReadsStandardInput", {"check", "--json", "-"}, {"check", "--json", "SRC"}, false},
      {"CopyFromStandardInput",
       {"copy", "-", "TGT", "--after", "3", "--dry-run"},
       {"copy", "SRC", "TGT", "--after", "3", "--dry-run"},
       false},
      {"CopyIntoStandardOutput", {"copy", "TGT", "-", "--after", "2"}, {"copy", "TGT", "OUT", "--after", "2"}, true},
      {"RenderFromStandardInput", {"render", "-", "-o", "-"}, {"render", "SRC", "-o", "OUT.png"}, true},
  };
}

void PrintTo(const DashCase& c, std::ostream* os) { *os << c.name; }

class DashTest : public testing::TestWithParam<DashCase> {};

TEST_P(DashTest, SameAsWithNamedFiles) {
  const DashCase& c = GetParam();
  TempDir dir;
  const std::string src = dir / "source.dag", tgt = dir / "target.dag", out = dir / "out";
  WriteRaw(src, DagFile(Many(3)));
  WriteRaw(tgt, DagFile(Many(2)));
  const Bytes srcBefore = ReadAll(src), tgtBefore = ReadAll(tgt);
  auto expand = [&](std::vector<std::string> args) {
    for (std::string& a : args) a = Replace(Replace(Replace(a, "SRC", src), "TGT", tgt), "OUT", out);
    return args;
  };
  // A copy into OUT starts from what standard input held.
  if (c.withFiles[0] == "copy" && c.outputToFile) WriteRaw(out, srcBefore);
  Streams fromSource;
  fromSource.in = src;
  const ProgramRun dashed = RunLevels(dir, expand(c.withDash), {}, fromSource);
  const ProgramRun named = RunLevels(dir, expand(c.withFiles));
  EXPECT_EQ(dashed.status, 0) << dashed.err;
  EXPECT_EQ(named.status, 0) << named.err;
  if (c.outputToFile) {
    const std::string written = c.withFiles[0] == "render" ? out + ".png" : out;
    EXPECT_EQ(dashed.out, Text(ReadAll(written)));
    EXPECT_FALSE(dashed.out.empty());
  } else {
    EXPECT_EQ(dashed.out, Replace(named.out, src, "-"));
  }
  EXPECT_EQ(ReadAll(src), srcBefore);
  EXPECT_EQ(ReadAll(tgt), tgtBefore);
}

INSTANTIATE_TEST_SUITE_P(Dash, DashTest, testing::ValuesIn(DashCases()),
                         [](const auto& info) { return info.param.name; });

// The pipeline from the README: a set straight out of git.
TEST(DashTest, CheckOfAPipe) {
  TempDir dir;
  const std::string src = dir / "source.dag";
  WriteRaw(src, DagFile(Many(2)));
  const ProgramRun run =
      quarvel_test::RunProgram("/bin/sh", {"-c", "cat \"$0\" | \"$1\" check -", src, kProgramPath}, dir.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("-: 2 records, 2 levels used, 2 playable, 0 not playable\n"), std::string::npos) << run.out;
}

struct FailedOutputCase {
  std::string name;
  Streams streams;
  std::string err;  // empty: ended by SIGPIPE without a word
};

std::vector<FailedOutputCase> FailedOutputCases() {
  Streams full, closed, pipe;
  full.out = "/dev/full";
  closed.closedOut = true;
  pipe.brokenPipe = true;
  return {
      {"DiskFull", full, "quarvel-levels: standard output: Disk full.\n"},
      {"Closed", closed, "quarvel-levels: standard output: I/O error 9 (Bad file descriptor).\n"},
      {"ReaderGone", pipe, ""},
  };
}

void PrintTo(const FailedOutputCase& c, std::ostream* os) { *os << c.name; }

class FailedOutputTest : public testing::TestWithParam<FailedOutputCase> {};

TEST_P(FailedOutputTest, EveryCommandSaysSoOrEndsQuietly) {
  const FailedOutputCase& c = GetParam();
  TempDir dir;
  const std::string src = dir / "source.dag", tgt = dir / "target.dag", reference = dir / "reference.dag";
  WriteRaw(src, DagFile(Many(3)));
  WriteRaw(tgt, DagFile(Many(2)));
  // What the copy below saves, by the editor's own Copy and Save Set.
  auto target = quarvel_test::NewSet(), source = quarvel_test::NewSet();
  quarvel::ReadLevelSetFile(tgt, *target);
  const int sourceLevels = quarvel::ReadLevelSetFile(src, *source);
  quarvel::TCurrentLevel current = 0;
  quarvel::CopyLevels(*target, *source, sourceLevels, 1, 1, 3, current);
  quarvel::WriteLevelSetFile(reference, *target);

  std::vector<std::vector<std::string>> commands = {{"check", src},
                                                    {"check", "--json", src},
                                                    {"--help"},
                                                    {"--version"},
                                                    {"help", "copy"},
                                                    {"copy", src, tgt, "--after", "3"},
                                                    {"copy", src, "-", "--new"}};
  commands.push_back({"render", src, "-o", "-"});
  commands.push_back({"thumbnail", src, "-"});
  for (const auto& args : commands) {
    const ProgramRun run = RunLevels(dir, args, {}, c.streams);
    if (c.err.empty()) {
      EXPECT_EQ(run.signal, SIGPIPE) << args[0] << " " << run.err;
      EXPECT_EQ(run.err, "") << args[0];
    } else {
      EXPECT_EQ(run.status, 2) << args[0];
      EXPECT_EQ(run.err, c.err) << args[0];
    }
  }
  // The copy saved its target, and nothing of its report went into it.
  EXPECT_EQ(ReadAll(tgt), ReadAll(reference));
}

INSTANTIATE_TEST_SUITE_P(StandardOutput, FailedOutputTest, testing::ValuesIn(FailedOutputCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
