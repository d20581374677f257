// Messages a person can act on: a parse error names an odd character by its code point and
// never cuts one in two, a level set given to import is called one, a missing folder is
// named, a value left out is called missing, "did you mean" only for a near command, and
// one convention for the values of every option.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"
#include "cli/FileNames.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::Bytes;
using quarvel_test::DagFile;
using quarvel_test::WriteRaw;

struct MessageCase {
  std::string name;
  std::string rubiesLine;  // the line "rubies ..." of the text TEXT, when not empty
  std::vector<std::string> args;
  int status;
  std::string err;  // standard error whole, DIR the folder
};

std::vector<MessageCase> MessageCases() {
  const std::string importText = "quarvel-levels: DIR/set.txt:4:";
  return {
      {"WordCutAtAWholeCharacter",
       "rubies    12345678901234567890123\xC3\xA9",
       {"import", "TEXT"},
       2,
       importText + "11: Expected a whole number from -32768 to 32767, found \"12345678901234567890123\xC3\xA9\"\n"},
      {"NoBreakSpace",
       "rubies\xC2\xA0"
       "1",
       {"import", "TEXT"},
       2,
       importText + "7: Expected a blank after \"rubies\", found the character U+00A0.\n"},
      {"ByteOrderMarkInALine",
       "rubies    \xEF\xBB\xBF"
       "1",
       {"import", "TEXT"},
       2,
       importText + "11: Expected a whole number from -32768 to 32767, found the character U+FEFF.\n"},
      {"NotUtf8",
       "rubies    \xFF",
       {"import", "TEXT"},
       2,
       importText + "11: Expected a whole number from -32768 to 32767, found the byte 0xFF, which is not UTF-8.\n"},
      {"ImportOfASet",
       "",
       {"import", "DIR/set.dag"},
       2,
       "quarvel-levels: DIR/set.dag: Is a level set (it begins with 44 41 47 00), not its text: export writes the "
       "text.\n"},
      {"MissingOutputFolder",
       "",
       {"export", "DIR/set.dag", "-o", "DIR/no/set.txt"},
       2,
       "quarvel-levels: DIR/no/set.txt: No such folder: DIR/no.\n"},
      {"ValueLeftOut",
       "",
       {"copy", "DIR/set.dag", "DIR/set.dag", "--after", "--dry-run"},
       2,
       "quarvel-levels: --after: Value missing: --dry-run is an option, not the value of --after.\n"},
      {"ShortOptionValueLeftOut",
       "",
       {"thumbnail", "-s", "-o", "DIR/x.png", "DIR/set.dag"},
       2,
       "quarvel-levels: -s: Value missing: -o is an option, not the value of -s.\n"},
      {"NegativeNumberIsAValue",
       "",
       {"copy", "DIR/set.dag", "DIR/set.dag", "--after", "-1"},
       2,
       "quarvel-levels: --after -1: Out of range 1 to 256.\n"},
      {"ShortValueAttached",
       "",
       {"thumbnail", "-s20", "DIR/set.dag", "DIR/x.png"},
       2,
       "quarvel-levels: --size 20: Out of range 32 to 4096.\n"},
      {"ShortValueAttachedWorks", "", {"thumbnail", "-s64", "DIR/set.dag", "-oDIR/x.png"}, 0, ""},
      {"LongValueAfterEquals", "", {"thumbnail", "--size=64", "DIR/set.dag", "--output=DIR/x.png"}, 0, ""},
      {"TwoOutputs",
       "",
       {"thumbnail", "DIR/set.dag", "DIR/x.png", "-o", "DIR/y.png"},
       2,
       "quarvel-levels: DIR/x.png: Unexpected argument: the output is given by -o.\n"},
      {"PrefixOfACommand",
       "",
       {"thumb", "DIR/set.dag"},
       2,
       "quarvel-levels: thumb: Unknown command; did you mean thumbnail? See quarvel-levels --help.\n"},
      {"PrefixOfTwoCommands",
       "",
       {"c"},
       2,
       "quarvel-levels: c: Unknown command; did you mean check or copy? See quarvel-levels --help.\n"},
      {"NothingNear", "", {"xyz"}, 2, "quarvel-levels: xyz: Unknown command. See quarvel-levels --help.\n"},
  };
}

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class MessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(MessageTest, SaysWhatToDo) {
  const MessageCase& c = GetParam();
  TempDir dir;
  WriteRaw(dir / "set.dag", DagFile({Playable()}));
  std::string text = "quarvel-levels text 1\n\nlevel 1\n" + c.rubiesLine + "\n";
  WriteRaw(dir / "set.txt", Bytes(text.begin(), text.end()));
  std::vector<std::string> args;
  for (const std::string& a : c.args) args.push_back(Replace(Replace(a, "TEXT", "DIR/set.txt"), "DIR", dir.Path()));
  const ProgramRun run = RunLevels(dir, args);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.err, Replace(c.err, "DIR", dir.Path()));
  EXPECT_TRUE(quarvel_cli::IsUtf8(run.err)) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageTest, testing::ValuesIn(MessageCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
