// export and import: the text form of a level set file, its round trip to the very same
// bytes (odd files in a table, random files and the reader's fuzz corpus), the hand edits
// it takes and the errors it gives, with their line and column.

#include <dirent.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "CliFixtures.h"
#include "FileBytes.h"
#include "files/InOutError.h"
#include "files/TextForm.h"

namespace {

using namespace quarvel_cli_test;
using quarvel_test::Bytes;
using quarvel_test::DagFile;
using quarvel_test::DagHeader;
using quarvel_test::DagLevel;
using quarvel_test::ReadAll;
using quarvel_test::WriteRaw;

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Every tile in its place, odd codes, the edges of 16 bits and an empty record in the middle.
const std::string kSampleText =
    "quarvel-levels text 1\n"
    "\n"
    "level 1\n"
    "rubies    2\n"
    "emeralds  1\n"
    "sapphires 0\n"
    "bombs     -1\n"
    "time      120\n"
    ".RGBY#^>v<.  1\n"
    "...........  2\n"
    "...........  3\n"
    "...........  4\n"
    "...........  5\n"
    "...........  6\n"
    "...........  7\n"
    "...........  8\n"
    "...........  9\n"
    "........... 10\n"
    "........... 11\n"
    "?.......... 12\n"
    "..........? 13\n"
    "cell 1,12 = -32768\n"
    "cell 11,13 = 10\n"
    "\n"
    "level 2 empty\n"
    "\n"
    "level 3\n"
    "rubies    32767\n"
    "emeralds  0\n"
    "sapphires 0\n"
    "bombs     0\n"
    "time      0\n"
    "...........  1\n"
    "...........  2\n"
    "...........  3\n"
    "...........  4\n"
    "...........  5\n"
    "...........  6\n"
    "...........  7\n"
    "...........  8\n"
    "...........  9\n"
    "........... 10\n"
    "........... 11\n"
    "........... 12\n"
    "........... 13\n";

std::vector<DagLevel> SampleLevels() {
  DagLevel first = Level(120, -1, 2, 1, 0);
  for (int code = 1; code <= 9; ++code) first.Cell(code, 0) = static_cast<std::int16_t>(code);
  first.Cell(0, 11) = -32768;
  first.Cell(10, 12) = 10;
  return {first, DagLevel{}, Level(0, 0, 32767, 0, 0)};
}

TEST(TextForm, ExportWritesTheDocumentedForm) {
  TempDir dir;
  WriteRaw(dir / "set.dag", DagFile(SampleLevels()));
  const ProgramRun run = RunLevels(dir, {"export", dir / "set.dag"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, kSampleText);
  EXPECT_EQ(run.err, "");
}

// ---- round trip of odd files, through the program -----------------------------------------

struct OddFile {
  std::string name;
  Bytes bytes;
  std::string shows;  // a line the text must hold, so the unusual is plain to spot
};

Bytes WithHeader(Bytes bytes, Bytes header) {
  std::copy(header.begin(), header.end(), bytes.begin());
  return bytes;
}

std::vector<OddFile> OddFiles() {
  std::vector<DagLevel> full(256, Playable());
  std::vector<DagLevel> past(258, Playable());
  past[256] = Level(1, 2, 3, 4, 5, {{3, 4, 6}});
  return {
      {"HeaderOnly", DagHeader(), "quarvel-levels text 1"},
      {"ZeroHeader", WithHeader(DagFile({Playable()}), {0, 0, 0, 0}), "header 00 00 00 00"},
      {"AnyHeaderAlone", Bytes{0xff, 0x0a, 0x20, 0x7f}, "header ff 0a 20 7f"},
      {"EmptyRecordsBetweenAndAfter", DagFile({Playable(), DagLevel{}, Playable(), DagLevel{}}), "level 4 empty"},
      {"OnlyEmptyRecords", DagFile({DagLevel{}, DagLevel{}}), "level 2 empty"},
      {"NotPlayable", DagFile({Level(5, 9, 9, 9, 9)}), "time      5"},
      {"EveryCellOdd",
       DagFile({Level(1, 0, 0, 0, 0,
                      [] {
                        std::vector<CellCode> cells;
                        for (int c = 0; c < 11; ++c)
                          for (int r = 0; r < 13; ++r) cells.push_back({c, r, -1 - c * 13 - r});
                        return cells;
                      }())}),
       "cell 11,13 = -143"},
      {"NumberEdges", DagFile({Level(-32768, 32767, -1, 1, 0)}), "time      -32768"},
      {"TwoHundredFiftySix", DagFile(full), "level 256"},
      {"RecordsPastTheEnd", DagFile(past), "record 257"},
      {"TailPastTheEnd", WithTail(DagFile(past), 5), "tail 5a 5a 5a 5a 5a"},
      {"LongestTail", WithTail(DagFile(full), 295), "tail 5a"},
  };
}

void PrintTo(const OddFile& f, std::ostream* os) { *os << f.name; }

class RoundTripTest : public testing::TestWithParam<OddFile> {};

TEST_P(RoundTripTest, ImportGivesBackTheVeryBytes) {
  const OddFile& f = GetParam();
  TempDir dir;
  WriteRaw(dir / "in.dag", f.bytes);
  const ProgramRun exported = RunLevels(dir, {"export", dir / "in.dag", "-o", dir / "set.txt"});
  ASSERT_EQ(exported.status, 0) << exported.err;
  const std::string text = Text(ReadAll(dir / "set.txt"));
  EXPECT_NE(("\n" + text).find("\n" + f.shows), std::string::npos) << text.substr(0, 2000);
  const ProgramRun imported = RunLevels(dir, {"import", dir / "set.txt", "-o", dir / "out.dag"});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(ReadAll(dir / "out.dag"), f.bytes);
  // And the text of the imported file is the text itself.
  EXPECT_EQ(RunLevels(dir, {"export", dir / "out.dag"}).out, text);
}

INSTANTIATE_TEST_SUITE_P(Odd, RoundTripTest, testing::ValuesIn(OddFiles()),
                         [](const auto& info) { return info.param.name; });

TEST(TextForm, FilesTheReaderRefusesAreNotExported) {
  TempDir dir;
  for (const Bytes& bytes : {Bytes{0x44, 0x41}, WithTail(DagFile({Playable()}), 1)}) {
    WriteRaw(dir / "bad.dag", bytes);
    const ProgramRun run = RunLevels(dir, {"export", dir / "bad.dag", "-o", dir / "out.txt"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Read beyond end of file"), std::string::npos) << run.err;
    EXPECT_TRUE(ReadAll(dir / "out.txt").empty());
  }
}

// ---- round trip of random files and the fuzz corpus, in this process ----------------------

// What the text does to bytes the reader accepts: back to the same bytes, and the text of
// those is the text.
void ExpectRoundTrip(const Bytes& bytes, const std::string& what) {
  const quarvel::SetImage image = quarvel::DecodeSetBytes(bytes);
  const std::string text = quarvel::WriteTextForm(image);
  const quarvel::SetImage parsed = quarvel::ParseTextForm(text);
  ASSERT_EQ(quarvel::EncodeSetBytes(parsed), bytes) << what;
  ASSERT_EQ(quarvel::WriteTextForm(parsed), text) << what;
}

TEST(TextForm, RandomFilesRoundTrip) {
  std::mt19937 random(19);
  for (int trial = 0; trial < 200; ++trial) {
    // Mostly ordinary tiles and small numbers, now and then anything at all.
    const int records = trial % 20 == 0 ? 250 + static_cast<int>(random() % 12) : static_cast<int>(random() % 6);
    std::vector<DagLevel> levels(static_cast<std::size_t>(records));
    for (DagLevel& level : levels) {
      if (random() % 5 == 0) continue;  // an empty record
      for (std::int16_t* v : {&level.time, &level.bombs, &level.rubies, &level.emeralds, &level.sapphires})
        *v = static_cast<std::int16_t>(random() % 4 == 0 ? random() : random() % 200);
      for (std::int16_t& cell : level.cells)
        cell = static_cast<std::int16_t>(random() % 50 == 0 ? random() : random() % 10);
    }
    Bytes bytes = DagFile(levels);
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(trial % 3 == 0 ? random() : bytes[i]);
    if (records >= 256 && trial % 40 == 0) bytes = WithTail(bytes, 1 + random() % 295);
    ExpectRoundTrip(bytes, "trial " + std::to_string(trial));
  }
}

TEST(TextForm, FuzzCorpusRoundTrips) {
  const std::string folder = QUARVEL_FUZZ_CORPUS;
  int accepted = 0;
  for (const std::string& name : FolderNames(folder)) {
    if (name.starts_with('.')) continue;
    const Bytes bytes = ReadAll(folder + "/" + name);
    try {
      quarvel::DecodeSetBytes(bytes);
    } catch (const quarvel::EInOutError&) {
      continue;  // refused by the reader: nothing to export
    }
    ++accepted;
    ExpectRoundTrip(bytes, name);
  }
  EXPECT_GT(accepted, 0) << "no file of " << folder << " was read";
}

// ---- hand edits -------------------------------------------------------------------------------

// Writes the sample with `from` replaced by `to` (from the whole sample: the text `to`) as
// set.txt in `dir` and returns its name.
std::string WriteEditedSample(const TempDir& dir, const std::string& from, const std::string& to) {
  const std::string text = from == kSampleText ? to : Replace(kSampleText, from, to);
  EXPECT_NE(text, kSampleText) << "the edit changes nothing";
  WriteRaw(dir / "set.txt", BytesOf(text));
  return dir / "set.txt";
}

struct Edit {
  std::string name;
  std::string from, to;        // one replacement in kSampleText
  std::vector<DagLevel> want;  // the set it stands for
};

std::vector<Edit> Edits() {
  std::vector<Edit> edits;
  auto sample = SampleLevels();
  {
    auto want = sample;
    want[0].Cell(1, 0) = 5;
    edits.push_back({"TileChanged", ".RGBY#^>v<.  1", ".#GBY#^>v<.  1", want});
  }
  {
    auto want = sample;
    want[2].time = 45;
    edits.push_back({"NumberChanged", "time      0\n", "time 45\n", want});
  }
  {
    auto want = sample;
    want.push_back(Level(60, 0, 1, 0, 0, {{0, 0, 1}}));
    std::string level4 = "\nlevel 4\nrubies 1\nemeralds 0\nsapphires 0\nbombs 0\ntime 60\nR..........\n";
    for (int r = 1; r < 13; ++r) level4 += "...........\n";
    edits.push_back({"LevelAddedAtTheEndWithoutRowNumbers", kSampleText, kSampleText + level4, want});
  }
  edits.push_back({"TrailingBlanks", "level 2 empty\n", "level 2 empty \t \n", sample});
  edits.push_back({"CrLf", kSampleText, Replace(kSampleText, "\n", "\r\n"), sample});
  edits.push_back({"NoNewlineAtTheEnd", kSampleText, kSampleText.substr(0, kSampleText.size() - 1), sample});
  edits.push_back({"BlankLinesBetweenLevels", "\nlevel 2 empty\n\n", "\n\n\nlevel 2 empty\n", sample});
  edits.push_back({"CodeGivenWithBlanks", "cell 11,13 = 10", "cell 11,13=10", sample});
  return edits;
}

void PrintTo(const Edit& e, std::ostream* os) { *os << e.name; }

class HandEditTest : public testing::TestWithParam<Edit> {};

TEST_P(HandEditTest, IsTaken) {
  const Edit& e = GetParam();
  TempDir dir;
  const ProgramRun run = RunLevels(dir, {"import", WriteEditedSample(dir, e.from, e.to), "-o", dir / "set.dag"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(dir / "set.dag"), DagFile(e.want));
}

INSTANTIATE_TEST_SUITE_P(Text, HandEditTest, testing::ValuesIn(Edits()),
                         [](const auto& info) { return info.param.name; });

// ---- errors -----------------------------------------------------------------------------------

struct ParseError {
  std::string name;
  std::string from, to;  // one replacement in kSampleText
  std::string where;     // "LINE:COLUMN"
  std::string says;      // part of the message
};

std::vector<ParseError> ParseErrors() {
  return {
      {"NotTheTextForm", "quarvel-levels text 1", "quarvel-levels text 2", "1:1", "the first line"},
      {"UnknownTile", ".RGBY#^>v<.", ".RGBx#^>v<.", "9:5",
       "Expected a tile (one of . R G B Y # ^ > v < ?) in row 1 of level 1, found \"x#^>v<.\""},
      {"RowTooShort", ".RGBY#^>v<.  1\n", ".RGBY#^>v<  1\n", "9:11", "in row 1 of level 1, found a space"},
      {"RowTooLong", ".RGBY#^>v<.  1\n", ".RGBY#^>v<..  1\n", "9:12",
       "Expected a blank and 1, the row's number, after 11 tiles, found \".\""},
      {"WrongRowNumber", ".RGBY#^>v<.  1\n", ".RGBY#^>v<.  2\n", "9:14",
       "Expected a blank and 1, the row's number, after 11 tiles, found \"2\""},
      {"LeadingBlankInARow", ".RGBY#^>v<.  1\n", " RGBY#^>v<.  1\n", "9:1", "found a space"},
      {"NumberTooLarge", "rubies    2\n", "rubies    32768\n", "4:11", "a whole number from -32768 to 32767"},
      {"NumberNotANumber", "emeralds  1\n", "emeralds  one\n", "5:11", "found \"one\""},
      {"NumbersOutOfOrder", "emeralds  1\nsapphires 0\n", "sapphires 0\nemeralds  1\n", "5:1",
       "\"emeralds N\" of level 1"},
      {"LevelNumberSkipped", "level 3\n", "level 4\n", "27:7", "\"level 3\": records are numbered in order"},
      {"OddTileWithoutCode", "cell 11,13 = 10\n", "", "23:1",
       "\"cell 11,13 = CODE\" for the ? of level 1, found the end of the line"},
      {"CodeForAPlainTile", "cell 11,13 = 10\n", "cell 11,13 = 10\ncell 2,1 = 99\n", "24:6", "a cell that holds ?"},
      {"CodeWithAPlainTile", "cell 11,13 = 10", "cell 11,13 = 4", "23:14", "4 is written Y in the rows"},
      {"ColumnOutOfRange", "cell 11,13 = 10", "cell 12,13 = 10", "23:6", "a column from 1 to 11"},
      {"CutShort", kSampleText, kSampleText.substr(0, kSampleText.size() - 15), "45:1",
       "row 13 of level 3: 11 tiles, found the end of the text"},
      {"LevelPastTheEnd", "level 2 empty",
       "level 2 empty\n" +
           [] {
             std::string more;
             for (int n = 3; n <= 256; ++n) more += "level " + std::to_string(n) + " empty\n";
             return more + "level 257 empty\nlevel 258";
           }(),
       "280:1", "\"record 257\" (after level 256 come records the editor never reads)"},
      {"TailTooEarly", "level 2 empty", "level 2 empty\ntail 00", "26:1",
       "only a file of 256 records or more may have a tail"},
      {"ControlCharacter", "time      120",
       "time      1\x01"
       "20",
       "8:12", "found the control character 1"},
      {"ColumnsCountCharacters", "emeralds  1\n", "emeralds  \xc3\xa9\n", "5:11", "found \"\xc3\xa9\""},
  };
}

void PrintTo(const ParseError& e, std::ostream* os) { *os << e.name; }

class ParseErrorTest : public testing::TestWithParam<ParseError> {};

TEST_P(ParseErrorTest, SaysWhereAndWhatAndWritesNothing) {
  const ParseError& e = GetParam();
  TempDir dir;
  const Bytes before = DagFile({Playable()});
  WriteRaw(dir / "set.dag", before);
  const ProgramRun run = RunLevels(dir, {"import", WriteEditedSample(dir, e.from, e.to), "-o", dir / "set.dag"});
  EXPECT_EQ(run.status, 2);
  const std::string prefix = "quarvel-levels: " + dir / "set.txt" + ":" + e.where + ": ";
  EXPECT_TRUE(run.err.starts_with(prefix)) << run.err;
  EXPECT_NE(run.err.find(e.says), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_EQ(ReadAll(dir / "set.dag"), before);
  EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{".", "..", "set.dag", "set.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Text, ParseErrorTest, testing::ValuesIn(ParseErrors()),
                         [](const auto& info) { return info.param.name; });

// ---- streams and outputs ----------------------------------------------------------------------

TEST(TextForm, StandardStreamsAndOutputs) {
  TempDir dir;
  const Bytes bytes = DagFile(SampleLevels());
  WriteRaw(dir / "set.dag", bytes);
  WriteRaw(dir / "set.txt", BytesOf(kSampleText));
  quarvel_test::Streams fromDag;
  fromDag.in = dir / "set.dag";
  EXPECT_EQ(RunLevels(dir, {"export", "-"}, {}, fromDag).out, kSampleText);
  quarvel_test::Streams fromText;
  fromText.in = dir / "set.txt";
  const ProgramRun toOut = RunLevels(dir, {"import", "-"}, {}, fromText);
  EXPECT_EQ(toOut.status, 0) << toOut.err;
  EXPECT_EQ(BytesOf(toOut.out), bytes);
  // An input is never written over, under any name.
  ::link((dir / "set.txt").c_str(), (dir / "same.txt").c_str());
  const ProgramRun over = RunLevels(dir, {"import", dir / "set.txt", "-o", dir / "same.txt"});
  EXPECT_EQ(over.status, 2);
  EXPECT_NE(over.err.find("Is an input"), std::string::npos) << over.err;
  EXPECT_EQ(Text(ReadAll(dir / "set.txt")), kSampleText);
  EXPECT_EQ(RunLevels(dir, {"export", dir / "set.dag", "-o", dir / "set.dag"}).status, 2);
  EXPECT_EQ(ReadAll(dir / "set.dag"), bytes);
}

}  // namespace
