// What every command reads: a level set or its text known by one rule (a byte-order mark,
// CRLF, blank lines before the first line, another version, another header), FIFOs by
// name, devices and folders refused, and endless standard input ended at a bound, under a
// memory limit and in a few seconds.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"
#include "cli/FileNames.h"
#include "files/LevelSetBytes.h"
#include "files/TextForm.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::Bytes;
using quarvel_test::DagFile;
using quarvel_test::WriteRaw;

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct ReaderCase {
  std::string name;
  std::string command;  // bash, in the fixture folder, with "$Q" the program
  int status;
  std::string says;  // in standard output or standard error
};

std::vector<ReaderCase> ReaderCases() {
  const std::string tooLarge = "-: Too large: more than 64 MiB";
  return {
      // The text, however an editor saved it, is text wherever a set is read.
      {"ByteOrderMark", "\"$Q\" diff set.dag bom.txt", 0, ""},
      {"CrLf", "\"$Q\" diff crlf.txt set.dag", 0, ""},
      {"BlankLinesFirst", "\"$Q\" diff set.dag blank.txt", 0, ""},
      {"CheckTakesText", "\"$Q\" check bom.txt", 0, "bom.txt: 2 records, 2 levels used, 2 playable"},
      {"CopyTakesTextAsSource", "\"$Q\" copy bom.txt set.dag --after 3 --dry-run", 0, "would copy 1 level"},
      {"OtherVersion", "\"$Q\" diff set.dag v2.txt", 2,
       "v2.txt:1:1: Expected the first line \"quarvel-levels text 1\" (this program reads version 1 of the text), "
       "found \"quarvel-levels text 2\""},
      {"CheckOfOtherVersion", "\"$Q\" check v2.txt", 2, "v2.txt:1:1: Expected the first line"},
      {"NeitherSetNorText", "\"$Q\" diff set.dag notes.txt", 2,
       "notes.txt: Neither a level set nor its text: it begins neither with 44 41 47 00 nor with the line "
       "\"quarvel-levels text 1\"; read as a set of another header, the last 16 bytes are not a whole record.\n"},
      {"ExportOfText", "\"$Q\" export set.txt", 2, "set.txt: Is the text form of a set, not the set"},
      {"CopyOverText", "\"$Q\" copy set.dag set.txt", 2, "set.txt: Is the text form of a set, not the set"},
      // A set of another header: the editor reads it, so export and diff show it, but it
      // is no level set where one is written or judged.
      {"CheckWarnsOfOtherHeader", "\"$Q\" check other.dag", 0,
       "other.dag: warning: the file does not begin with 44 41 47 00"},
      {"StrictCheckOfOtherHeader", "\"$Q\" check --strict other.dag", 1, "warning: the file does not begin"},
      {"CopyFromOtherHeader", "\"$Q\" copy other.dag set.dag", 2,
       "other.dag: Not a level set: it does not begin with 44 41 47 00"},
      {"CopyIntoOtherHeader", "\"$Q\" copy set.dag other.dag", 2,
       "other.dag: Not a level set: it does not begin with 44 41 47 00"},
      {"ThumbnailOfOtherHeader", "\"$Q\" thumbnail other.dag out.png", 2,
       "other.dag: Not a level set: it does not begin with 44 41 47 00"},
      {"DiffShowsOtherHeader", "\"$Q\" diff set.dag other.dag", 1, "header: 44 41 47 00 -> 00 00 00 00"},
      // FIFOs by name, as process substitution gives them; devices and folders refused.
      {"ProcessSubstitution", "\"$Q\" diff <(cat set.dag) <(cat bom.txt)", 0, ""},
      {"NamedPipe", "mkfifo pipe && (cat set.dag > pipe &) && \"$Q\" check pipe", 0, "pipe: 2 records"},
      {"Device", "\"$Q\" check /dev/zero", 2, "/dev/zero: File access denied: it is a character device"},
      {"Folder", "\"$Q\" diff set.dag .", 2, ".: File access denied: it is a folder"},
      // Endless standard input ends every command at the bound.
      {"EndlessExport", "\"$Q\" export - < /dev/zero", 2, tooLarge},
      {"EndlessImport", "\"$Q\" import - -o out.dag < /dev/zero", 2, tooLarge},
      {"EndlessDiff", "\"$Q\" diff - set.dag < /dev/zero", 2, tooLarge},
      {"EndlessCheck", "\"$Q\" check - < /dev/zero", 2, tooLarge},
      {"EndlessRender", "\"$Q\" render - -o out.png < /dev/zero", 2, tooLarge},
      {"EndlessThumbnail", "\"$Q\" thumbnail - out.png < /dev/zero", 2, tooLarge},
      {"EndlessCopy", "\"$Q\" copy - set.dag < /dev/zero", 2, tooLarge},
  };
}

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class ReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderTest, AnswersWithinSecondsAndLittleMemory) {
  const ReaderCase& c = GetParam();
  TempDir dir;
  const Bytes set = DagFile(Many(2));
  const std::string text = quarvel::WriteTextForm(quarvel::DecodeSetBytes(set));
  WriteRaw(dir / "set.dag", set);
  WriteRaw(dir / "set.txt", BytesOf(text));
  WriteRaw(dir / "bom.txt", BytesOf("\xEF\xBB\xBF" + text));
  WriteRaw(dir / "crlf.txt", BytesOf(Replace(text, "\n", "\r\n")));
  WriteRaw(dir / "blank.txt", BytesOf("\n  \r\n" + text));
  WriteRaw(dir / "v2.txt", BytesOf(Replace(text, "text 1", "text 2")));
  WriteRaw(dir / "notes.txt", BytesOf("Notes on the levels\n"));
  Bytes other = set;
  std::fill(other.begin(), other.begin() + 4, 0);
  WriteRaw(dir / "other.dag", other);
  const Bytes setBefore = set;

  // A memory limit well under what endless input used to take; the sanitizers reserve
  // far more address space than any limit allows, so there the time limit alone holds.
#if defined(__SANITIZE_ADDRESS__)
  const std::string limit;
#else
  const std::string limit = "ulimit -v 1000000; ";
#endif
  const ProgramRun run =
      quarvel_test::RunProgram("/bin/bash",
                               {"-c", limit + "Q=\"$0\"; cd \"$1\" && timeout 5 bash -c \"$2\" \"$Q\"", kProgramPath,
                                dir.Path(), "Q=\"$0\"; " + c.command},
                               dir.Path());
  EXPECT_EQ(run.status, c.status) << run.out << run.err;
  EXPECT_NE((run.out + run.err).find(c.says), std::string::npos) << run.out << run.err;
  EXPECT_TRUE(quarvel_cli::IsUtf8(run.err)) << run.err;
  EXPECT_EQ(quarvel_test::ReadAll(dir / "set.dag"), setBefore);
  EXPECT_FALSE(quarvel_test::ReadAll(dir / "other.dag").empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, ReaderTest, testing::ValuesIn(ReaderCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
