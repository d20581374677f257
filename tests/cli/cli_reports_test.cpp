// What `check` says beside the levels: the records a file holds, warnings about what the
// editor's next save would change, --strict, the total of several files, and file names
// that cannot be misread in text nor break the JSON.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::Bytes;
using quarvel_test::DagFile;
using quarvel_test::WriteRaw;

struct WarningCase {
  std::string name;
  Bytes file;
  std::string summary;  // the last line, after "FILE: "
  std::vector<std::string> warnings;
  int status;  // without --strict; with it, any warning makes 1
};

std::vector<WarningCase> WarningCases() {
  const DagLevel empty = Level(0, 0, 0, 0, 0);
  const std::vector<DagLevel> full(256, Playable());
  std::vector<DagLevel> longer = full;
  longer.resize(300, Playable());
  return {
      {"NoWarning", DagFile({Playable()}), "1 record, 1 level used, 1 playable, 0 not playable", {}, 0},
      {"EmptyLevelsAtTheEndAreNoGap",
       DagFile({Playable(), empty, empty}),
       "3 records, 1 level used, 1 playable, 0 not playable",
       {},
       0},
      {"Gaps",
       DagFile({empty, Playable(), empty, empty, Playable(), Level(3, 0, 0, 0, 0), empty}),
       "7 records, 3 levels used, 2 playable, 1 not playable",
       {"levels 1, 3-4 are empty: the next save removes them and renumbers the levels after them"},
       1},
      {"RecordsPastLevel256",
       DagFile(longer),
       "300 records, 256 levels used, 256 playable, 0 not playable",
       {"records 257-300 are never read: the next save drops them"},
       0},
      {"TailAfterTheLastWholeRecord",
       WithTail(DagFile(full), 7),
       "256 records, 256 levels used, 256 playable, 0 not playable",
       {"the last 7 bytes are not a whole record: they are never read and the next save drops them"},
       0},
      {"OneByteAfterTheLastWholeRecord",
       WithTail(DagFile(full), 1),
       "256 records, 256 levels used, 256 playable, 0 not playable",
       {"the last 1 byte is not a whole record: it is never read and the next save drops it"},
       0},
  };
}

void PrintTo(const WarningCase& c, std::ostream* os) { *os << c.name; }

class CheckWarningTest : public testing::TestWithParam<WarningCase> {};

TEST_P(CheckWarningTest, WarnsInTextAndJsonAndFailsWhenStrict) {
  const WarningCase& c = GetParam();
  TempDir dir;
  const std::string file = dir / "set.dag";
  WriteRaw(file, c.file);

  const ProgramRun text = RunLevels(dir, {"check", file});
  EXPECT_EQ(text.status, c.status) << text.err;
  std::string tail;
  for (const std::string& w : c.warnings) tail += file + ": warning: " + w + "\n";
  tail += file + ": " + c.summary + "\n";
  ASSERT_GE(text.out.size(), tail.size());
  EXPECT_EQ(text.out.substr(text.out.size() - tail.size()), tail);

  const ProgramRun json = RunLevels(dir, {"check", "--json", file});
  EXPECT_EQ(json.status, c.status);
  EXPECT_EQ(nlohmann::json::parse(json.out)["files"][0]["warnings"], nlohmann::json(c.warnings));

  const ProgramRun strict = RunLevels(dir, {"check", "--strict", file});
  EXPECT_EQ(strict.status, c.warnings.empty() ? c.status : 1);
  EXPECT_EQ(strict.out, text.out);
}

INSTANTIATE_TEST_SUITE_P(CheckWarnings, CheckWarningTest, testing::ValuesIn(WarningCases()),
                         [](const auto& info) { return info.param.name; });

TEST(CheckTotal, SeveralFilesEndWithATotal) {
  TempDir dir;
  const std::string one = dir / "one.dag", two = dir / "two.dag", none = dir / "none.dag";
  WriteRaw(one, DagFile({Playable()}));
  WriteRaw(two, DagFile({Playable(), Level(5, 0, 0, 0, 0), Playable()}));
  struct Case {
    std::vector<std::string> files;
    std::string total;  // empty: no total line
  };
  const Case cases[] = {
      {{one}, ""},
      {{one, two}, "total: 2 files, 4 records, 4 levels used, 3 playable, 1 not playable\n"},
      {{one, none, one}, "total: 3 files (1 not read), 2 records, 2 levels used, 2 playable, 0 not playable\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"check"};
    args.insert(args.end(), c.files.begin(), c.files.end());
    const ProgramRun run = RunLevels(dir, args);
    const std::size_t last = run.out.rfind('\n', run.out.size() - 2);
    const std::string lastLine = run.out.substr(last == std::string::npos ? 0 : last + 1);
    if (c.total.empty()) {
      EXPECT_EQ(run.out.find("total"), std::string::npos) << run.out;
    } else {
      EXPECT_EQ(lastLine, c.total);
    }
  }
}

struct NameCase {
  std::string name;   // the test's name
  std::string file;   // the file's name in the folder
  std::string shown;  // as text lines show it
};

std::vector<NameCase> NameCases() {
  return {
      {"Plain", "pack.dag", "pack.dag"},
      {"Newline", "two\nlines.dag", "\"two\\nlines.dag\""},
      {"Tab", "a\tb.dag", "\"a\\tb.dag\""},
      {"ColonSpace", "a: level 1: x", "\"a: level 1: x\""},
      {"ColonAlone", "a:b.dag", "a:b.dag"},
      {"NotUtf8", "caf\xe9.dag", "\"caf\\xe9.dag\""},
      {"Utf8", "caf\xc3\xa9.dag", "caf\xc3\xa9.dag"},
      {"StartsWithAQuote", "\"q.dag", "\"\\\"q.dag\""},
      {"NamedLikeTheTotal", "total", "\"total\""},
      {"Backslash", "a\\n.dag", "a\\n.dag"},
  };
}

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

class FileNameTest : public testing::TestWithParam<NameCase> {};

// The text form quotes what could be misread; the JSON is valid and gives the name back.
TEST_P(FileNameTest, TextUnambiguousJsonValidAndRecoverable) {
  const NameCase& c = GetParam();
  TempDir dir;
  WriteRaw(dir / c.file, DagFile({Playable()}));

  // Run in the folder with the bare name, as a user would type it.
  quarvel_test::Streams inFolder;
  inFolder.folder = dir.Path();
  const ProgramRun text = RunLevels(dir, {"check", c.file, c.file}, {}, inFolder);
  EXPECT_EQ(text.out.rfind(c.shown + ": level 1: ", 0), 0u) << text.out;
  EXPECT_NE(text.out.find("\n" + c.shown + ": 1 record, "), std::string::npos) << text.out;
  EXPECT_EQ(text.status, 0);

  const ProgramRun json = RunLevels(dir, {"check", "--json", c.file}, {}, inFolder);
  nlohmann::json doc;
  ASSERT_NO_THROW(doc = nlohmann::json::parse(json.out)) << json.out;
  const nlohmann::json& entry = doc["files"][0];
  const std::string recovered =
      entry.contains("file_hex") ? FromHex(entry["file_hex"].get<std::string>()) : entry["file"].get<std::string>();
  EXPECT_EQ(recovered, c.file);

  // An error line names the file the same way.
  ::unlink((dir / c.file).c_str());
  const ProgramRun missing = RunLevels(dir, {"check", c.file}, {}, inFolder);
  EXPECT_EQ(missing.err,
            "quarvel-levels: " + (c.name == "NamedLikeTheTotal" ? c.file : c.shown) + ": File not found.\n");
}

INSTANTIATE_TEST_SUITE_P(FileNames, FileNameTest, testing::ValuesIn(NameCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
