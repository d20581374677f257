// Level set files: the bytes the writer makes, what the reader makes of any bytes, and
// the codes and messages of EInOutError.

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "DagFile.h"
#include "FileBytes.h"
#include "InOutFailure.h"
#include "LevelSets.h"
#include "TempDir.h"
#include "files/ContentKind.h"
#include "files/InOutError.h"
#include "files/LevelSetBytes.h"
#include "files/LevelSetFile.h"
#include "files/SetComparison.h"
#include "files/SystemFiles.h"
#include "model/LevelCheck.h"
#include "model/LevelSet.h"

using namespace quarvel;
using namespace quarvel_test;

namespace {

// Distinct content in every level (none of it playable: Time stays below 10).
std::unique_ptr<LevelSet> StampedSet() {
  auto set = NewSet();
  for (int level = 0; level < kLevelCount; ++level) {
    LevelRecord& r = (*set)[level];
    for (int i = 0; i < kCellCount; ++i) r.Cells[i] = static_cast<TileCode>(level * 311 + i * 7 - 500);
    r.Rubies = static_cast<std::int16_t>(level);
    r.Emeralds = static_cast<std::int16_t>(-level);
    r.Sapphires = 77;
    r.Bombs = -3;
    r.Time = static_cast<std::int16_t>(-level);
  }
  return set;
}

// Level 2 (index 1) and level 5 (index 4) are playable, the others are not.
std::unique_ptr<LevelSet> SetWithLevels2And5Playable() {
  auto set = StampedSet();
  LevelRecord& two = (*set)[1];
  two.Time = 100;
  two.Rubies = 1;
  two.Emeralds = 2;
  two.Sapphires = 0;
  two.Bombs = 1;
  two.Cells[CellIndex(0, 0)] = RedBlock;
  two.Cells[CellIndex(3, 4)] = GreenBlock;
  two.Cells[CellIndex(10, 12)] = BlueBlock;
  two.Cells[CellIndex(5, 6)] = YellowBlock;
  LevelRecord& five = (*set)[4];
  five.Time = 10;
  five.Rubies = -1;
  five.Emeralds = 0;
  five.Sapphires = 0;
  five.Bombs = 0;
  five.Cells[CellIndex(0, 1)] = -1;
  five.Cells[CellIndex(1, 0)] = 1000;
  for (int level = 0; level < kLevelCount; ++level)
    EXPECT_EQ(IsLevelPlayable(*set, level), level == 1 || level == 4) << level;
  return set;
}

}  // namespace

TEST(LevelSetFileFormat, OnlyPlayableLevelsAreWrittenAndReadBackFromLevel1) {
  TempDir dir;
  auto set = SetWithLevels2And5Playable();
  const auto before = *set;
  WriteLevelSetFile(dir / "two.dag", *set);
  EXPECT_TRUE(SameSet(*set, before)) << "saving changes no level in memory";

  const Bytes bytes = ReadAll(dir / "two.dag");
  const Bytes expected = DagFile({DagLevelOf((*set)[1]), DagLevelOf((*set)[4])});
  ASSERT_EQ(bytes.size(), 596u);
  EXPECT_EQ(bytes, expected);
  // A few values by their offsets: Time, Bombs, Rubies, Emeralds, Sapphires, cells by column.
  EXPECT_EQ(bytes[4], 100);
  EXPECT_EQ(bytes[5], 0);
  EXPECT_EQ(bytes[6], 1);   // Bombs
  EXPECT_EQ(bytes[8], 1);   // Rubies
  EXPECT_EQ(bytes[10], 2);  // Emeralds
  EXPECT_EQ(bytes[12], 0);  // Sapphires
  EXPECT_EQ(bytes[14], RedBlock);
  EXPECT_EQ(bytes[4 + 10 + 2 * (13 * 10 + 12)], BlueBlock);
  EXPECT_EQ(bytes[300], 10);    // level 5's Time
  EXPECT_EQ(bytes[304], 0xFF);  // its Rubies, -1
  EXPECT_EQ(bytes[305], 0xFF);
  EXPECT_EQ(bytes[300 + 10 + 2], 0xFF);       // cell (0, 1) = -1
  EXPECT_EQ(bytes[300 + 10 + 2 * 13], 0xE8);  // cell (1, 0) = 1000
  EXPECT_EQ(bytes[300 + 10 + 2 * 13 + 1], 0x03);

  auto target = StampedSet();
  const auto untouched = *target;
  EXPECT_EQ(ReadLevelSetFile(dir / "two.dag", *target), 2);
  EXPECT_TRUE(SameLevel((*target)[0], (*set)[1]));
  EXPECT_TRUE(SameLevel((*target)[1], (*set)[4]));
  for (int level = 2; level < kLevelCount; ++level) EXPECT_TRUE(SameLevel((*target)[level], untouched[level])) << level;
}

TEST(LevelSetFileFormat, RoundTripIsBitExact) {
  TempDir dir;
  auto set = NewSet();
  for (int level = 0; level < kLevelCount; ++level) {
    LevelRecord& r = (*set)[level];
    for (int i = 0; i < kCellCount; ++i) r.Cells[i] = static_cast<TileCode>((level * 977 + i * 131) % 65536 - 32768);
    r.Cells[0] = -1;
    r.Cells[1] = 1000;
    r.Cells[2] = -32768;
    r.Cells[3] = 32767;
    r.Rubies = static_cast<std::int16_t>(-level);
    r.Emeralds = -32768;
    r.Sapphires = static_cast<std::int16_t>(level % 3 - 1);
    r.Bombs = -7;
    r.Time = static_cast<std::int16_t>(10 + level * 100);  // 10 .. 25510: all playable
    ASSERT_TRUE(IsLevelPlayable(*set, level));
  }
  WriteLevelSetFile(dir / "full.dag", *set);
  const Bytes bytes = ReadAll(dir / "full.dag");
  ASSERT_EQ(bytes.size(), 75780u);
  EXPECT_EQ(bytes[14], 0xFF);
  EXPECT_EQ(bytes[15], 0xFF);
  EXPECT_EQ(bytes[16], 0xE8);
  EXPECT_EQ(bytes[17], 0x03);
  auto back = StampedSet();
  EXPECT_EQ(ReadLevelSetFile(dir / "full.dag", *back), 256);
  EXPECT_TRUE(SameSet(*back, *set));
  // And written again: the same bytes.
  WriteLevelSetFile(dir / "again.dag", *back);
  EXPECT_EQ(ReadAll(dir / "again.dag"), bytes);
}

TEST(LevelSetFileFormat, ASetWithNoPlayableLevelIsTheHeaderAlone) {
  TempDir dir;
  auto set = StampedSet();
  WriteLevelSetFile(dir / "empty.dag", *set);
  EXPECT_EQ(ReadAll(dir / "empty.dag"), (Bytes{0x44, 0x41, 0x47, 0x00}));
  auto cleared = NewSet();
  WriteLevelSetFile(dir / "cleared.dag", *cleared);
  EXPECT_EQ(ReadAll(dir / "cleared.dag"), (Bytes{0x44, 0x41, 0x47, 0x00}));
}

TEST(LevelSetFileFormat, SavingOverALongerFileLeavesNothingOfIt) {
  TempDir dir;
  WriteRaw(dir / "long.dag", Bytes(100000, 0xAB));
  auto set = SetWithLevels2And5Playable();
  (*set)[4].Time = 0;  // now only level 2
  WriteLevelSetFile(dir / "long.dag", *set);
  EXPECT_EQ(ReadAll(dir / "long.dag"), DagFile({DagLevelOf((*set)[1])}));
}

TEST(LevelSetFileFormat, AFileOfTheHeaderAloneReadsNoLevel) {
  TempDir dir;
  for (const Bytes& header : {Bytes{0x44, 0x41, 0x47, 0x00}, Bytes{0, 0, 0, 0}, Bytes{0xFF, 0xFE, 'x', '!'}}) {
    WriteRaw(dir / "h.dag", header);
    auto set = StampedSet();
    const auto before = *set;
    EXPECT_EQ(ReadLevelSetFile(dir / "h.dag", *set), 0);
    EXPECT_TRUE(SameSet(*set, before));
  }
}

TEST(LevelSetFileFormat, AnyFourHeaderBytesAreAccepted) {
  TempDir dir;
  auto source = SetWithLevels2And5Playable();
  const Bytes block = BlockOf((*source)[1]);
  for (const Bytes& header : {Bytes{0, 0, 0, 0}, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{'Q', 'R', 'V', 'L'}}) {
    Bytes file = header;
    file.insert(file.end(), block.begin(), block.end());
    WriteRaw(dir / "any.dag", file);
    auto set = StampedSet();
    const auto before = *set;
    EXPECT_EQ(ReadLevelSetFile(dir / "any.dag", *set), 1);
    EXPECT_TRUE(SameLevel((*set)[0], (*source)[1]));
    for (int level = 1; level < kLevelCount; ++level) EXPECT_TRUE(SameLevel((*set)[level], before[level]));
  }
}

TEST(LevelSetFileFormat, WholeBlocksReplaceTheFirstLevelsOnly) {
  TempDir dir;
  for (std::size_t n : {1u, 2u, 17u, 255u, 256u}) {
    const Bytes file = PatternBytes(4 + 296 * n);
    WriteRaw(dir / "n.dag", file);
    auto set = StampedSet();
    const auto before = *set;
    EXPECT_EQ(ReadLevelSetFile(dir / "n.dag", *set), static_cast<int>(n));
    for (std::size_t k = 0; k < n; ++k) {
      const Bytes block(file.begin() + 4 + 296 * k, file.begin() + 4 + 296 * (k + 1));
      EXPECT_EQ(BlockOf((*set)[k]), block) << n << " " << k;
    }
    for (std::size_t k = n; k < kLevelCount; ++k) EXPECT_TRUE(SameLevel((*set)[k], before[k])) << n << " " << k;
  }
}

TEST(LevelSetFileFormat, ATruncatedFileChangesNothingAndFailsWithCode100) {
  TempDir dir;
  std::vector<std::size_t> sizes = {0, 1, 2, 3};
  for (std::size_t n : {0u, 1u, 2u, 255u}) {
    sizes.push_back(4 + 296 * n + 1);
    sizes.push_back(4 + 296 * n + 6);
    sizes.push_back(4 + 296 * n + 295);
  }
  for (std::size_t size : sizes) {
    WriteRaw(dir / "odd.dag", PatternBytes(size));
    auto set = StampedSet();
    const auto before = *set;
    const auto [code, message] = FailureOf([&] { ReadLevelSetFile(dir / "odd.dag", *set); });
    EXPECT_EQ(code, kReadBeyondEndOfFile.Code) << size;
    EXPECT_EQ(message, "Read beyond end of file") << size;
    EXPECT_TRUE(SameSet(*set, before)) << size;
  }
}

TEST(LevelSetFileFormat, MoreThan256BlocksLoadTheFirst256) {
  TempDir dir;
  for (std::size_t size : {4 + 296 * 257u, 4 + 296 * 300u + 7, 4 + 296 * 256u + 1, 1000000u}) {
    const Bytes file = PatternBytes(size);
    WriteRaw(dir / "big.dag", file);
    auto set = StampedSet();
    EXPECT_EQ(ReadLevelSetFile(dir / "big.dag", *set), 256) << size;
    for (std::size_t k = 0; k < kLevelCount; ++k) {
      const Bytes block(file.begin() + 4 + 296 * k, file.begin() + 4 + 296 * (k + 1));
      ASSERT_EQ(BlockOf((*set)[k]), block) << size << " " << k;
    }
  }
}

TEST(LevelSetFileFormat, ParseAndEncodeWithoutFiles) {
  auto set = SetWithLevels2And5Playable();
  auto buffer = std::make_unique<std::array<std::uint8_t, kMaxLevelSetFileSize>>();
  const std::size_t size = EncodeLevelSet(*set, *buffer);
  EXPECT_EQ(size, 596u);
  auto target = StampedSet();
  EXPECT_EQ(ParseLevelSetBytes(std::span<const std::uint8_t>(buffer->data(), size), *target), 2);
  EXPECT_TRUE(SameLevel((*target)[1], (*set)[4]));
  const auto before = *target;
  EXPECT_EQ(
      FailureOf([&] { ParseLevelSetBytes(std::span<const std::uint8_t>(buffer->data(), size - 1), *target); }).first,
      kReadBeyondEndOfFile.Code);
  EXPECT_TRUE(SameSet(*target, before));
}

// One record's block, against the tests' own encoder, and back.
TEST(LevelSetFileFormat, ARecordEncodesAndDecodesBitForBit) {
  auto set = StampedSet();
  for (const int level : {0, 1, 200, 255}) {
    const LevelRecord& record = (*set)[level];
    std::array<std::uint8_t, kBlockSize> block{};
    EncodeRecord(record, block);
    EXPECT_EQ(Bytes(block.begin(), block.end()), BlockOf(record)) << level;
    LevelRecord back{};
    DecodeRecord(block, back);
    EXPECT_TRUE(back == record) << level;
  }
}

// A file's shape by its length, and the reader's answer for every such length: it takes the
// header with whole records, or more than 256 records whatever follows.
TEST(LevelSetFileFormat, TheShapeOfAFileByItsLength) {
  struct Case {
    std::uint64_t bytes, records, pastTheEnd, trailing;
    bool readable;
  };
  const std::uint64_t block = kBlockSize;
  const Case cases[] = {
      {0, 0, 0, 0, false},
      {3, 0, 0, 3, false},
      {4, 0, 0, 0, true},
      {5, 0, 0, 1, false},
      {4 + block, 1, 0, 0, true},
      {4 + block + 6, 1, 0, 6, false},
      {4 + 256 * block - 1, 255, 0, block - 1, false},
      {4 + 256 * block, 256, 0, 0, true},
      {4 + 256 * block + 1, 256, 0, 1, true},
      {4 + 257 * block, 257, 1, 0, true},
      {4 + 300 * block + 295, 300, 44, 295, true},
  };
  auto set = NewSet();
  for (const Case& c : cases) {
    const LevelSetFileShape shape{c.bytes};
    EXPECT_EQ(shape.Records(), c.records) << c.bytes;
    EXPECT_EQ(shape.RecordsPastTheEnd(), c.pastTheEnd) << c.bytes;
    EXPECT_EQ(shape.TrailingBytes(), c.trailing) << c.bytes;
    EXPECT_EQ(shape.Readable(), c.readable) << c.bytes;
    const Bytes bytes(c.bytes, 0);
    EXPECT_EQ(FailureOf([&] { ParseLevelSetBytes(bytes, *set); }).first, c.readable ? 0 : kReadBeyondEndOfFile.Code)
        << c.bytes;
  }
}

// A file's whole content: every record past the 256th and the tail, back to the same bytes.
TEST(LevelSetFileFormat, ASetImageHoldsEveryByte) {
  std::vector<DagLevel> levels(258);
  levels[0].time = 60;
  levels[257].Cell(10, 12) = -5;
  Bytes bytes = DagFile(levels);
  bytes[0] = 0;
  bytes.insert(bytes.end(), {0x5A, 0x5B});
  const SetImage image = DecodeSetBytes(bytes);
  EXPECT_EQ(image.Header, (std::array<std::uint8_t, 4>{0, 0x41, 0x47, 0}));
  ASSERT_EQ(image.Records.size(), 258u);
  EXPECT_TRUE(image.Records[0] == RecordOf(levels[0]));
  EXPECT_TRUE(image.Records[257] == RecordOf(levels[257]));
  EXPECT_EQ(image.Tail, (std::vector<std::uint8_t>{0x5A, 0x5B}));
  EXPECT_EQ(EncodeSetBytes(image), bytes);
  EXPECT_EQ(FailureOf([&] { DecodeSetBytes(Bytes(DagFile({levels[0]}).size() + 1, 0)); }).first,
            kReadBeyondEndOfFile.Code);
}

// What a file holds, by its start and its length, as a program that would replace it asks:
// a PNG by its signature, a level set by its header or, with another header, by a length the
// reader takes and a zero byte in its start, a set's text by its first line.
TEST(ContentKind, ByTheStartAndTheLength) {
  const auto text = [](std::string_view t) { return Bytes(t.begin(), t.end()); };
  Bytes otherHeader = DagFile({DagLevel{}, DagLevel{}});
  otherHeader[0] = 'Z';
  Bytes otherHeaderTail = otherHeader;
  otherHeaderTail.push_back(0);
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  const std::uint64_t pastTheEnd = kHeaderSize + 300 * kBlockSize + 5;
  struct Case {
    const char* name;
    Bytes start;
    std::uint64_t length;  // 0: the start's
    ContentKind kind;
  };
  const Case cases[] = {
      {"nothing", {}, 0, ContentKind::Empty},
      {"a PNG", png, 0, ContentKind::Png},
      {"a PNG's signature cut short", Bytes(png.begin(), png.begin() + 7), 0, ContentKind::Other},
      {"a level set", DagFile({DagLevel{}}), 0, ContentKind::LevelSet},
      {"the header alone", DagHeader(), 0, ContentKind::LevelSet},
      {"the header, cut short", {0x44, 0x41, 0x47}, 0, ContentKind::Other},
      {"the text form", text("quarvel-levels text 1\n\nlevel 1\n"), 0, ContentKind::Text},
      {"text after a byte-order mark and blank lines", text("\xEF\xBB\xBF\r\n\nquarvel-levels text 9\n"), 0,
       ContentKind::Text},
      {"the text form's line indented", text("  quarvel-levels text 1\n"), 0, ContentKind::Other},
      {"other text", text("hello\n"), 0, ContentKind::Other},
      {"another header, whole records", otherHeader, 0, ContentKind::LevelSet},
      {"another header and a tail", otherHeaderTail, 0, ContentKind::Other},
      {"another header, no zero byte", Bytes(kHeaderSize + kBlockSize, 0x5A), 0, ContentKind::Other},
      {"another header, past 256 records", Bytes(otherHeader.begin(), otherHeader.begin() + 512), pastTheEnd,
       ContentKind::LevelSet},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ContentKindOf(c.start, c.length == 0 ? c.start.size() : c.length), c.kind) << c.name;

  // A file's own start and length; what cannot be read is nobody's to call a set.
  TempDir dir;
  Bytes longOther = otherHeader;
  longOther.resize(pastTheEnd, 0x5A);
  WriteRaw(dir / "long", longOther);
  WriteRaw(dir / "empty", {});
  EXPECT_EQ(ContentKindOfFile(dir / "long"), ContentKind::LevelSet);
  EXPECT_EQ(ContentKindOfFile(dir / "empty"), ContentKind::Empty);
  EXPECT_EQ(ContentKindOfFile(dir / "missing"), ContentKind::Other);
  EXPECT_EQ(ContentKindOfFile(dir.Path()), ContentKind::Other);
}

// Two files compared record by record: only the records that differ, each with the cells
// that changed (row by row), the records past the shorter file added or removed.
TEST(SetComparison, RecordsAddedRemovedAndChanged) {
  SetImage before;
  before.Records.resize(3);
  before.Records[0].Time = 60;
  before.Records[1].Cells[CellIndex(4, 2)] = RedBlock;
  SetImage after = before;
  EXPECT_TRUE(CompareSets(before, after).Same());

  after.Records[1].Cells[CellIndex(4, 2)] = 300;
  after.Records[1].Cells[CellIndex(0, 7)] = CannonUp;
  after.Records[2].Bombs = 1;  // a number alone changes a record
  after.Records.resize(5);
  SetComparison comparison = CompareSets(before, after);
  ASSERT_EQ(comparison.Records.size(), 4u);
  EXPECT_EQ(comparison.Records[0].Index, 1u);
  EXPECT_EQ(comparison.Records[0].Kind, RecordChangeKind::Changed);
  ASSERT_EQ(comparison.Records[0].Cells.size(), 2u);
  const CellChange& first = comparison.Records[0].Cells[0];
  EXPECT_EQ(std::tie(first.Column, first.Row, first.Before, first.After), std::make_tuple(4, 2, RedBlock, 300));
  const CellChange& second = comparison.Records[0].Cells[1];
  EXPECT_EQ(std::tie(second.Column, second.Row, second.Before, second.After), std::make_tuple(0, 7, Empty, CannonUp));
  EXPECT_EQ(comparison.Records[1].Index, 2u);
  EXPECT_EQ(comparison.Records[1].Kind, RecordChangeKind::Changed);
  EXPECT_TRUE(comparison.Records[1].Cells.empty());
  EXPECT_EQ(comparison.Records[2].Kind, RecordChangeKind::Added);
  EXPECT_EQ(comparison.Records[3].Index, 4u);
  EXPECT_EQ(std::tie(comparison.Changed, comparison.Added, comparison.Removed), std::make_tuple(2, 2, 0));
  EXPECT_FALSE(comparison.HeaderChanged || comparison.TailChanged || comparison.Same());

  comparison = CompareSets(after, before);
  EXPECT_EQ(std::tie(comparison.Changed, comparison.Added, comparison.Removed), std::make_tuple(2, 0, 2));
  EXPECT_EQ(comparison.Records[3].Kind, RecordChangeKind::Removed);
}

TEST(SetComparison, HeaderAndTailAlone) {
  SetImage before;
  SetImage after = before;
  after.Header[3] = 1;
  SetComparison comparison = CompareSets(before, after);
  EXPECT_TRUE(comparison.HeaderChanged);
  EXPECT_FALSE(comparison.TailChanged);
  EXPECT_TRUE(comparison.Records.empty());
  EXPECT_FALSE(comparison.Same());
  after = before;
  after.Tail = {7};
  comparison = CompareSets(before, after);
  EXPECT_TRUE(comparison.TailChanged && !comparison.HeaderChanged && !comparison.Same());
}

TEST(InOutError, CodesAndMessages) {
  // Each name against the number and message that the file format fixes for it.
  const std::tuple<InOutCode, int, const char*> named[] = {
      {kFileNotFound, 2, "File not found"},
      {kInvalidFilename, 3, "Invalid filename"},
      {kTooManyOpenFiles, 4, "Too many open files"},
      {kFileAccessDenied, 5, "File access denied"},
      {kReadBeyondEndOfFile, 100, "Read beyond end of file"},
      {kDiskFull, 101, "Disk full"},
      {kInvalidNumericInput, 106, "Invalid numeric input"},
  };
  for (const auto& [name, code, message] : named) {
    EXPECT_EQ(name.Code, code);
    EXPECT_EQ(InOutErrorMessage(code), message);
    for (const EInOutError& error : {EInOutError(name), EInOutError(code)}) {
      EXPECT_EQ(error.ErrorCode, code);
      EXPECT_STREQ(error.what(), message);
    }
  }
  for (int code : {32, 1, -7}) {
    const std::string message = "I/O error " + std::to_string(code);
    EXPECT_EQ(InOutErrorMessage(code), message);
    const EInOutError error(code);
    EXPECT_EQ(error.ErrorCode, code);
    EXPECT_EQ(error.what(), message);
  }
}

#ifndef _WIN32
// POSIX's error numbers; Windows' are in win32/files_win32_test.cpp.
TEST(InOutError, PlatformErrorNumbers) {
  TempDir dir;
  struct Case {
    int err;
    std::string path;
    InOutCode expected;
  };
  const Case cases[] = {
      {ENOENT, dir / "missing.dag", kFileNotFound},
      {ENOENT, dir / "no-folder/missing.dag", kInvalidFilename},
      {ENOENT, "", kInvalidFilename},
      {ENOTDIR, "x", kInvalidFilename},
      {ENAMETOOLONG, "x", kInvalidFilename},
      {EMFILE, "x", kTooManyOpenFiles},
      {ENFILE, "x", kTooManyOpenFiles},
      {EACCES, "x", kFileAccessDenied},
      {EPERM, "x", kFileAccessDenied},
      {EROFS, "x", kFileAccessDenied},
      {EISDIR, "x", kFileAccessDenied},
      {ENOSPC, "x", kDiskFull},
      {EDQUOT, "x", kDiskFull},
      {EFBIG, "x", kDiskFull},
      {EPIPE, "x", {32, "I/O error 32"}},
      {EIO, "x", {EIO, "I/O error 5"}},  // the platform's number, even where it equals a named code
  };
  for (const Case& c : cases) {
    const EInOutError error = ErrorFromSystem(c.err, c.path);
    EXPECT_EQ(error.ErrorCode, c.expected.Code) << c.err;
    EXPECT_STREQ(error.what(), c.expected.Message) << c.err;
  }
}
#endif
