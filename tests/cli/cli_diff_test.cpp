// diff: its status (0 same, 1 differ, 2 error) for level set files and their text, what it
// shows of a changed level on the grid, and its JSON.

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
using quarvel_test::DagLevel;
using quarvel_test::WriteRaw;

const std::vector<DagLevel> kBase = {Playable(3), Level(5, 0, 0, 0, 0, {{2, 2, 9}}), Playable(5)};

std::vector<DagLevel> Changed(std::vector<DagLevel> levels, int index, int col, int row, int code) {
  levels[static_cast<std::size_t>(index)].Cell(col, row) = static_cast<std::int16_t>(code);
  return levels;
}

struct StatusCase {
  std::string name;
  Bytes b;       // a.dag is DagFile(kBase)
  bool bAsText;  // b given as its text
  int status;
  std::string firstLine;  // of standard output; "" for none
};

std::vector<StatusCase> StatusCases() {
  std::vector<DagLevel> added = kBase, removed = kBase;
  added.push_back(Playable(7));
  removed.pop_back();
  Bytes otherHeader = DagFile(kBase);
  otherHeader[3] = 1;
  return {
      {"SameFile", DagFile(kBase), false, 0, ""},
      {"SameAsItsText", DagFile(kBase), true, 0, ""},
      {"CellChanged", DagFile(Changed(kBase, 1, 2, 2, 8)), false, 1, "level 2: changed"},
      {"CellChangedInText", DagFile(Changed(kBase, 0, 10, 12, 300)), true, 1, "level 1: changed"},
      {"LevelAdded", DagFile(added), false, 1, "level 4: added"},
      {"LevelRemoved", DagFile(removed), true, 1, "level 3: removed"},
      {"HeaderChanged", otherHeader, false, 1, "header: 44 41 47 00 -> 44 41 47 01"},
      {"EmptyRecordAdded", DagFile({kBase[0], kBase[1], kBase[2], DagLevel{}}), false, 1, "level 4: added"},
  };
}

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }

class DiffStatusTest : public testing::TestWithParam<StatusCase> {};

TEST_P(DiffStatusTest, StatusAndFirstLine) {
  const StatusCase& c = GetParam();
  TempDir dir;
  WriteRaw(dir / "a.dag", DagFile(kBase));
  WriteRaw(dir / "b.dag", c.b);
  std::string b = dir / "b.dag";
  if (c.bAsText) {
    const ProgramRun exported = RunLevels(dir, {"export", b, "-o", dir / "b.txt"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    b = dir / "b.txt";
  }
  const ProgramRun run = RunLevels(dir, {"diff", dir / "a.dag", b});
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), c.firstLine) << run.out;
  // The other way round says the same, as its opposite.
  EXPECT_EQ(RunLevels(dir, {"diff", b, dir / "a.dag"}).status, c.status);
}

INSTANTIATE_TEST_SUITE_P(Diff, DiffStatusTest, testing::ValuesIn(StatusCases()),
                         [](const auto& info) { return info.param.name; });

TEST(Diff, ErrorsHaveStatusTwo) {
  TempDir dir;
  WriteRaw(dir / "a.dag", DagFile(kBase));
  WriteRaw(dir / "short.dag", WithTail(DagFile(kBase), 3));
  WriteRaw(dir / "bad.txt", Bytes{'q', 'u', 'a', 'r', 'v', 'e', 'l',  '-', 'l', 'e', 'v', 'e', 'l', 's', ' ',
                                  't', 'e', 'x', 't', ' ', '1', '\n', 'l', 'e', 'v', 'e', 'l', ' ', '2', '\n'});
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"diff", dir / "a.dag", dir / "missing.dag"}, "missing.dag: File not found."},
      {{"diff", dir / "a.dag", dir / "short.dag"},
       "short.dag: Read beyond end of file: the last 3 bytes are not a whole record."},
      {{"diff", dir / "bad.txt", dir / "a.dag"},
       "bad.txt:2:7: Expected \"level 1\": records are numbered in order from 1, found \"2\""},
      {{"diff", "-", "-"}, "-: Standard input can be one of the two files, not both."},
      {{"diff", dir / "a.dag"}, "diff: Two files needed."},
  };
  for (const auto& [args, says] : cases) {
    const ProgramRun run = RunLevels(dir, args);
    EXPECT_EQ(run.status, 2) << says;
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(Diff, ShowsTheChangedCellsOnTheGrid) {
  TempDir dir;
  std::vector<DagLevel> after = Changed(Changed(kBase, 1, 2, 2, 8), 1, 10, 0, -7);
  after[1].time = 60;
  WriteRaw(dir / "a.dag", DagFile(kBase));
  WriteRaw(dir / "b.dag", DagFile(after));
  const ProgramRun run = RunLevels(dir, {"diff", dir / "a.dag", dir / "b.dag"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "level 2: changed\n"
            "  rubies    0\n"
            "  emeralds  0\n"
            "  sapphires 0\n"
            "  bombs     0\n"
            "  time      5 -> 60\n"
            "  not playable -> playable\n"
            "  2 cells changed: 11,1 . -> -7; 3,3 < -> v\n"
            "  before       after        changed\n"
            "  ...........  ..........?  ..........*\n"
            "  ...........  ...........  ...........\n"
            "  ..<........  ..v........  ..*........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "  ...........  ...........  ...........\n"
            "1 changed, 0 added, 0 removed\n");
}

TEST(Diff, Json) {
  TempDir dir;
  std::vector<DagLevel> after = Changed(kBase, 0, 1, 0, 0);
  after[0].rubies = 2;
  after.push_back(Playable(9));
  WriteRaw(dir / "a.dag", DagFile(kBase));
  WriteRaw(dir / "b.dag", DagFile(after));
  const ProgramRun run = RunLevels(dir, {"diff", "--json", dir / "a.dag", dir / "b.dag"});
  EXPECT_EQ(run.status, 1) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["same"], false);
  EXPECT_EQ(json["changed"], 1);
  EXPECT_EQ(json["added"], 1);
  ASSERT_EQ(json["records"].size(), 2u);
  const auto& level1 = json["records"][0];
  EXPECT_EQ(level1["name"], "level 1");
  EXPECT_EQ(level1["numbers"]["rubies"]["before"], 1);
  EXPECT_EQ(level1["numbers"]["rubies"]["after"], 2);
  EXPECT_EQ(level1["cells"], nlohmann::json::parse(R"([{"column": 2, "row": 1, "before": 1, "after": 0}])"));
  EXPECT_EQ(level1["playable"]["after"], true);
  EXPECT_EQ(json["records"][1]["change"], "added");
  EXPECT_EQ(json["records"][1]["after"]["time"], 60);

  const ProgramRun same = RunLevels(dir, {"diff", "--json", dir / "a.dag", dir / "a.dag"});
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(nlohmann::json::parse(same.out)["same"], true);
}

// The JSON carries everything the text shows: each record added or removed whole (its
// numbers, whether empty and playable, its rows, its odd cells), and a changed one's rows
// before and after. The text of each record, made again from the JSON alone, is in the
// text report.
struct ParityCase {
  std::string name;
  std::vector<DagLevel> b;  // a is kBase
};

std::vector<ParityCase> ParityCases() {
  std::vector<DagLevel> added = kBase, emptyAdded = kBase, removed = kBase;
  added.push_back(Level(7, 1, 2, 0, 0, {{0, 0, 3}, {10, 12, 6}, {4, 4, 42}}));
  emptyAdded.push_back(DagLevel{});
  removed.pop_back();
  removed.pop_back();  // level 2, with its odd code 9... and a grey block, goes
  return {{"Added", added},
          {"EmptyAdded", emptyAdded},
          {"RemovedNotPlayable", removed},
          {"Changed", Changed(kBase, 1, 2, 2, 300)}};
}

std::string TextOf(const nlohmann::json& record) {
  if (record["empty"] == true) return "  empty\n";
  std::string text;
  for (const std::string name : {"rubies", "emeralds", "sapphires", "bombs", "time"}) {
    std::string line = "  " + name;
    line.resize(12, ' ');
    text += line + std::to_string(record[name].get<int>()) + "\n";
  }
  for (const auto& row : record["rows"]) text += "  " + row.get<std::string>() + "\n";
  for (const auto& cell : record["odd_cells"])
    text += "  cell " + std::to_string(cell["column"].get<int>()) + "," + std::to_string(cell["row"].get<int>()) +
            " = " + std::to_string(cell["code"].get<int>()) + "\n";
  return text;
}

void PrintTo(const ParityCase& c, std::ostream* os) { *os << c.name; }

class DiffParityTest : public testing::TestWithParam<ParityCase> {};

TEST_P(DiffParityTest, JsonCarriesWhatTheTextShows) {
  TempDir dir;
  WriteRaw(dir / "a.dag", DagFile(kBase));
  WriteRaw(dir / "b.dag", DagFile(GetParam().b));
  const ProgramRun text = RunLevels(dir, {"diff", dir / "a.dag", dir / "b.dag"});
  const ProgramRun json = RunLevels(dir, {"diff", "--json", dir / "a.dag", dir / "b.dag"});
  ASSERT_EQ(json.status, 1) << json.err;
  const auto records = nlohmann::json::parse(json.out)["records"];
  ASSERT_FALSE(records.empty());
  for (const auto& record : records) {
    const std::string change = record["change"];
    const std::string heading = record["name"].get<std::string>() + ": " + change + "\n";
    if (change == "changed") {
      std::string grid = "  before       after        changed\n";
      for (std::size_t row = 0; row < 13; ++row) {
        const std::string before = record["before"]["rows"][row], after = record["after"]["rows"][row];
        std::string marks;
        for (std::size_t i = 0; i < before.size(); ++i) marks += before[i] != after[i] ? '*' : '.';
        grid += "  " + before + "  " + after + "  " + marks + "\n";
      }
      EXPECT_NE(text.out.find(grid), std::string::npos) << text.out << json.out;
      EXPECT_EQ(record["playable"]["after"], record["after"]["playable"]);
      continue;
    }
    const auto& whole = record[change == "added" ? "after" : "before"];
    EXPECT_NE(text.out.find(heading + TextOf(whole)), std::string::npos) << text.out << json.out;
    // Playable by the rules, counted here from the record's rows and numbers.
    int blocks = 0;
    for (const auto& row : whole["rows"])
      for (const char c : row.get<std::string>()) blocks += std::string("RGBY").find(c) != std::string::npos ? 1 : 0;
    const int demand = whole["rubies"].get<int>() + whole["emeralds"].get<int>() + whole["sapphires"].get<int>() +
                       whole["bombs"].get<int>();
    EXPECT_EQ(whole["playable"], blocks >= demand && whole["time"].get<int>() >= 10) << record;
  }
}

INSTANTIATE_TEST_SUITE_P(Diff, DiffParityTest, testing::ValuesIn(ParityCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
