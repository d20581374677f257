#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "LevelSets.h"
#include "model/LevelCheck.h"
#include "model/LevelCopy.h"
#include "model/LevelSet.h"
#include "model/SavePlan.h"
#include "model/Tiles.h"

using namespace quarvel;
using quarvel_test::NewSet;
using quarvel_test::SameLevel;

namespace {

// Gives every level distinct content so that copies and overwrites can be told apart.
void Stamp(LevelSet& set, int level, int seed) {
  for (int i = 0; i < kCellCount; ++i) set[level].Cells[i] = static_cast<TileCode>(seed * 7 + i);
  set[level].Rubies = static_cast<std::int16_t>(seed);
  set[level].Emeralds = static_cast<std::int16_t>(-seed);
  set[level].Sapphires = 3;
  set[level].Bombs = -4;
  set[level].Time = static_cast<std::int16_t>(seed + 100);
}

// A level with these numbers and its first cells (in storage order) set to `cells`.
LevelRecord MakeLevel(std::int16_t rubies, std::int16_t emeralds, std::int16_t sapphires, std::int16_t bombs,
                      std::int16_t time, const std::vector<TileCode>& cells) {
  LevelRecord level{};
  level.Rubies = rubies;
  level.Emeralds = emeralds;
  level.Sapphires = sapphires;
  level.Bombs = bombs;
  level.Time = time;
  for (std::size_t i = 0; i < cells.size(); ++i) level.Cells[i] = cells[i];
  return level;
}

}  // namespace

TEST(LevelSetModel, CellsAreStoredColumnByColumnAndTouchNothingElse) {
  auto set = NewSet();
  const auto before = *set;
  WriteCell(*set, 3, 1, 0, RedBlock);
  EXPECT_EQ((*set)[3].Cells[13], RedBlock);
  WriteCell(*set, 3, 10, 12, -7);
  EXPECT_EQ((*set)[3].Cells[142], -7);
  EXPECT_EQ(ReadCell(*set, 3, 10, 12), -7);
  (*set)[3].Cells[13] = 0;
  (*set)[3].Cells[142] = 0;
  for (int level = 0; level < kLevelCount; ++level) EXPECT_TRUE(SameLevel((*set)[level], before[level]));
}

TEST(LevelSetModel, NumbersKeepTheirLow16Bits) {
  struct Case {
    std::int32_t written;
    std::int16_t read;
  };
  const Case cases[] = {{32768, -32768}, {65535, -1},     {65536, 0},      {-1, -1},
                        {32767, 32767},  {-32769, 32767}, {2147483647, -1}};
  auto set = NewSet();
  for (const Case& c : cases) {
    for (LevelNumber which :
         {LevelNumber::Rubies, LevelNumber::Emeralds, LevelNumber::Sapphires, LevelNumber::Bombs, LevelNumber::Time}) {
      WriteNumber(*set, 200, which, c.written);
      EXPECT_EQ(ReadNumber(*set, 200, which), c.read) << c.written;
    }
  }
  WriteNumber(*set, 0, LevelNumber::Bombs, 5);
  EXPECT_EQ((*set)[0].Bombs, 5);
  EXPECT_EQ((*set)[0].Rubies, 0);
}

TEST(LevelSetModel, IndexesOutsideTheSetAreIgnored) {
  auto set = NewSet();
  const auto before = *set;
  WriteCell(*set, -1, 0, 0, 1);
  WriteCell(*set, 256, 0, 0, 1);
  WriteCell(*set, 0, 11, 0, 1);
  WriteCell(*set, 0, 0, 13, 1);
  WriteCell(*set, 0, -1, 5, 1);
  WriteNumber(*set, 256, LevelNumber::Time, 5);
  WriteNumber(*set, -2147483647 - 1, LevelNumber::Time, 5);
  EXPECT_EQ(ReadCell(*set, 300, 0, 0), 0);
  EXPECT_EQ(ReadNumber(*set, -1, LevelNumber::Rubies), 0);
  EXPECT_FALSE(IsLevelPlayable(*set, 256));
  for (int level = 0; level < kLevelCount; ++level) EXPECT_TRUE(SameLevel((*set)[level], before[level]));
}

TEST(LevelSetModel, ClearLevelSetZeroesEveryLevel) {
  auto set = NewSet();
  Stamp(*set, 0, 1);
  Stamp(*set, 255, 2);
  ClearLevelSet(*set);
  LevelRecord zero{};
  for (int level = 0; level < kLevelCount; ++level) EXPECT_TRUE(SameLevel((*set)[level], zero));
}

// Two records are equal when all their values are: any one number or cell tells them apart.
TEST(LevelSetModel, RecordsAreEqualWhenEveryValueIs) {
  const LevelRecord level = MakeLevel(1, 2, 3, 4, 5, {1, 2, 3});
  EXPECT_TRUE(level == MakeLevel(1, 2, 3, 4, 5, {1, 2, 3}));
  for (std::int16_t LevelRecord::*number : {&LevelRecord::Rubies, &LevelRecord::Emeralds, &LevelRecord::Sapphires,
                                            &LevelRecord::Bombs, &LevelRecord::Time}) {
    LevelRecord other = level;
    ++(other.*number);
    EXPECT_FALSE(other == level);
  }
  for (const int cell : {0, 13, 142}) {
    LevelRecord other = level;
    other.Cells[cell] = -1;
    EXPECT_FALSE(other == level) << cell;
  }
}

// The tiles' one table: found by code, and a character of its own for each tile in the text
// form, printable, and never the '?' that stands for any other code.
TEST(Tiles, EachCodeHasItsEntryAndACharacterOfItsOwn) {
  std::set<char> characters;
  for (const TileKind& tile : kTiles) {
    EXPECT_EQ(FindTile(tile.Code), &tile) << tile.Name;
    EXPECT_TRUE(characters.insert(tile.Character).second) << tile.Name << " shares its character";
    EXPECT_TRUE(tile.Character > ' ' && tile.Character < 0x7F && tile.Character != '?') << tile.Name;
    EXPECT_FALSE(tile.Label.empty()) << tile.Name;
  }
  for (const std::int32_t code : {-1, 10, 300, -32768}) EXPECT_EQ(FindTile(code), nullptr) << code;
}

// The verdict and the rules behind it: too few blocks for the demand, a time under 10.
TEST(LevelCheck, Verdicts) {
  struct Case {
    const char* name;
    std::int16_t rubies, emeralds, sapphires, bombs, time;
    std::vector<TileCode> cells;
    bool playable, tooFewBlocks, timeTooShort;
  };
  const Case cases[] = {
      {"all zero", 0, 0, 0, 0, 0, {}, false, false, true},
      {"time 10, empty", 0, 0, 0, 0, 10, {}, true, false, false},
      {"time 9, full of blocks", 0, 0, 0, 0, 9, {1, 2, 3, 4}, false, false, true},
      {"time -1", 0, 0, 0, 0, -1, {}, false, false, true},
      {"demand met exactly", 3, 0, 0, 1, 60, {1, 1, 1, 4}, true, false, false},
      {"one block painted grey", 3, 0, 0, 1, 60, {1, 1, 5, 4}, false, true, false},
      {"both rules fail", 3, 0, 0, 1, 9, {1, 1, 5, 4}, false, true, true},
      {"negative demand", -5, 0, 0, 0, 10, {}, true, false, false},
      {"cells outside 1..4 never count", 0, 1, 0, 0, 10, {0, 5, 6, 7, 8, 9, -1, 300}, false, true, false},
      {"grey and cannons, demand 0", 0, 0, 0, 0, 10, {5, 6, 7, 8, 9}, true, false, false},
      {"demand above 143", 144, 0, 0, 0, 10, std::vector<TileCode>(143, 1), false, true, false},
      {"143 blocks meet 143", 100, 43, 0, 0, 10, std::vector<TileCode>(143, 2), true, false, false},
      {"sum would overflow 16 bits", 32767, 32767, -32768, -32768, 10, {}, true, false, false},
  };
  for (const Case& c : cases) {
    auto set = NewSet();
    (*set)[17] = MakeLevel(c.rubies, c.emeralds, c.sapphires, c.bombs, c.time, c.cells);
    EXPECT_EQ(IsLevelPlayable(*set, 17), c.playable) << c.name;
    const Playability rules = PlayabilityOf((*set)[17]);
    EXPECT_EQ(rules.Playable(), c.playable) << c.name;
    EXPECT_EQ(rules.TooFewBlocks(), c.tooFewBlocks) << c.name;
    EXPECT_EQ(rules.TimeTooShort(), c.timeTooShort) << c.name;
  }
}

// The counts behind the verdict, as `quarvel-levels check` reports them.
TEST(LevelCheck, BlocksDemandAndUse) {
  struct Case {
    const char* name;
    std::int16_t rubies, emeralds, sapphires, bombs, time;
    std::vector<TileCode> cells;
    std::int32_t blocks, demand;
    bool used;
  };
  const Case cases[] = {
      {"cleared", 0, 0, 0, 0, 0, {}, 0, 0, false},
      {"codes 1 to 4 only", 0, 0, 0, 0, 0, {1, 2, 3, 4, 0, 5, 9, -1, 300}, 4, 0, true},
      {"time alone makes it used", 0, 0, 0, 0, 7, {}, 0, 0, true},
      {"bombs alone", 0, 0, 0, 1, 0, {}, 0, 1, true},
      {"a cannon alone", 0, 0, 0, 0, 0, {0, 0, 8}, 0, 0, true},
      {"numbers cancel out", 5, -5, 0, 0, 0, {}, 0, 0, true},
      {"wider than 16 bits", 32767, 32767, 32767, 32767, 10, {}, 0, 131068, true},
      {"every cell a block", 0, 0, 0, 0, 0, std::vector<TileCode>(143, 3), 143, 0, true},
  };
  for (const Case& c : cases) {
    const LevelRecord level = MakeLevel(c.rubies, c.emeralds, c.sapphires, c.bombs, c.time, c.cells);
    EXPECT_EQ(BlockCount(level), c.blocks) << c.name;
    EXPECT_EQ(Demand(level), c.demand) << c.name;
    EXPECT_EQ(IsLevelUsed(level), c.used) << c.name;
  }
}

// The levels used, by index and in order, whatever makes each one used.
TEST(LevelCheck, UsedLevelsInOrder) {
  const std::vector<std::int32_t> cases[] = {{}, {0}, {255}, {0, 255}, {2, 3, 17, 200}};
  for (const std::vector<std::int32_t>& used : cases) {
    auto set = NewSet();
    for (const std::int32_t index : used) {
      if (index % 2 == 0)
        (*set)[index].Cells[kCellCount - 1] = CannonLeft;
      else
        (*set)[index].Bombs = -1;
    }
    EXPECT_EQ(UsedLevels(*set), used);
  }
}

struct CopyCase {
  const char* name;
  int start, quantity, first, sourceLevels;
  int firstWritten, lastWritten;  // level numbers written, 0 = none
};

// How a failing case is shown: the dialog's three values, the source file, the outcome.
void PrintTo(const CopyCase& c, std::ostream* out) {
  *out << "\"" << c.name << "\": start " << c.start << ", quantity " << c.quantity << ", insert after " << c.first
       << ", source holds " << c.sourceLevels << " levels; writes ";
  if (c.firstWritten == 0) {
    *out << "nothing";
  } else {
    *out << "levels " << c.firstWritten << " to " << c.lastWritten;
  }
}

// The case's name in test lists: Start1Quantity3After5, with "Source10" added when the
// source file holds fewer than 256 levels.
std::string CopyCaseName(const ::testing::TestParamInfo<CopyCase>& info) {
  const CopyCase& c = info.param;
  std::string name =
      "Start" + std::to_string(c.start) + "Quantity" + std::to_string(c.quantity) + "After" + std::to_string(c.first);
  if (c.sourceLevels < kLevelCount) name += "Source" + std::to_string(c.sourceLevels);
  return name;
}

class LevelCopyTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(LevelCopyTest, WritesOnlyTheClampedRangeAndMakesFirstCurrent) {
  const CopyCase& c = GetParam();
  auto target = NewSet();
  auto source = NewSet();
  for (int i = 0; i < kLevelCount; ++i) {
    Stamp(*target, i, i + 1);
    Stamp(*source, i, 1000 + i);
  }
  const auto before = *target;
  const auto sourceBefore = *source;
  TCurrentLevel current = 77;
  CopyLevels(*target, *source, c.sourceLevels, c.start, c.quantity, c.first, current);
  EXPECT_EQ(current, c.first - 1);
  for (int n = 1; n <= kLevelCount; ++n) {
    const bool written = c.firstWritten != 0 && n >= c.firstWritten && n <= c.lastWritten;
    const LevelRecord& expected = written ? (*source)[c.start - 1 + (n - c.first)] : before[n - 1];
    EXPECT_TRUE(SameLevel((*target)[n - 1], expected)) << c.name << ": level " << n;
  }
  for (int i = 0; i < kLevelCount; ++i) EXPECT_TRUE(SameLevel((*source)[i], sourceBefore[i]));
}

// What the copy says it wrote is what it wrote.
TEST_P(LevelCopyTest, ReportsTheLevelsItWrote) {
  const CopyCase& c = GetParam();
  auto target = NewSet();
  auto source = NewSet();
  TCurrentLevel current = 0;
  const CopiedLevels copied = CopyLevels(*target, *source, c.sourceLevels, c.start, c.quantity, c.first, current);
  if (c.firstWritten == 0) {
    EXPECT_EQ(copied.Count, 0);
    return;
  }
  EXPECT_EQ(copied.FirstTarget, c.firstWritten);
  EXPECT_EQ(copied.FirstTarget + copied.Count - 1, c.lastWritten);
  EXPECT_EQ(copied.FirstSource, c.start);
}

INSTANTIATE_TEST_SUITE_P(Ranges, LevelCopyTest,
                         ::testing::Values(CopyCase{"1,3 after 5", 1, 3, 5, 10, 5, 7},
                                           CopyCase{"clamped at 256", 1, 10, 250, 256, 250, 256},
                                           CopyCase{"first 256", 4, 200, 256, 256, 256, 256},
                                           CopyCase{"200+57 fits exactly", 1, 57, 200, 256, 200, 256},
                                           CopyCase{"whole set", 1, 256, 1, 256, 1, 256},
                                           CopyCase{"source runs past 256", 200, 100, 1, 256, 1, 57},
                                           CopyCase{"file held fewer levels", 2, 10, 20, 5, 20, 23},
                                           CopyCase{"file held no level", 1, 5, 9, 0, 0, 0},
                                           CopyCase{"quantity 0", 1, 0, 9, 256, 0, 0},
                                           CopyCase{"huge quantity", 1, 2147483647, 2, 256, 2, 256}),
                         CopyCaseName);

TEST(LevelCopy, KeepsCodesOutsideThePaletteAndNegativeNumbers) {
  auto target = NewSet();
  auto source = NewSet();
  (*source)[0].Cells[5] = 1000;
  (*source)[0].Cells[6] = -1;
  (*source)[0].Time = -300;
  TCurrentLevel current = 0;
  CopyLevels(*target, *source, 1, 1, 1, 3, current);
  EXPECT_EQ((*target)[2].Cells[5], 1000);
  EXPECT_EQ((*target)[2].Cells[6], -1);
  EXPECT_EQ((*target)[2].Time, -300);
  EXPECT_EQ(current, 2);
}

// The copies against the levels the target was read with: the copies that replace one of
// them, and the levels between the last of them and the first copy, which nothing brought.
TEST(LevelCopy, CopiesAgainstTheLevelsHeld) {
  struct Case {
    const char* name;
    int quantity, first, held;
    int replaced, gap;
  };
  const Case cases[] = {
      {"over the first levels", 3, 1, 10, 3, 0},
      {"across the end", 4, 9, 10, 2, 0},
      {"right after the end", 2, 11, 10, 0, 0},
      {"past the end", 2, 14, 10, 0, 3},
      {"into a new set", 2, 1, 0, 0, 0},
      {"into a new set, further on", 2, 5, 0, 0, 4},
      {"the whole of a full set", 256, 1, 256, 256, 0},
      {"the last level of a full set", 5, 256, 256, 1, 0},
      {"nothing copied", 0, 20, 10, 0, 0},
  };
  for (const Case& c : cases) {
    auto target = NewSet();
    auto source = NewSet();
    TCurrentLevel current = 0;
    const CopiedLevels copied = CopyLevels(*target, *source, kLevelCount, 1, c.quantity, c.first, current);
    EXPECT_EQ(copied.Replaced(c.held), c.replaced) << c.name;
    EXPECT_EQ(copied.Gap(c.held), c.gap) << c.name;
    for (int number = 1; number <= kLevelCount; ++number)
      EXPECT_EQ(copied.Wrote(number), c.quantity > 0 && number >= c.first && number < c.first + c.quantity)
          << c.name << ": level " << number;
  }
}

// What Save Set would write and drop. The file held levels 1 to 6 and 2 records past the
// 256th; a copy wrote levels 8 and 9 since, and level 12 was painted after the read.
TEST(SavePlan, WhatTheSaveWritesAndDrops) {
  auto set = NewSet();
  (*set)[0] = MakeLevel(0, 0, 0, 0, 10, {});         // 1: playable
  (*set)[2] = MakeLevel(2, 0, 0, 0, 5, {1});         // 3: too few blocks, time under 10
  (*set)[3] = MakeLevel(0, 0, 0, 0, 60, {});         // 4: playable
  (*set)[8] = MakeLevel(0, 0, 0, 1, 60, {4});        // 9: playable, copied
  (*set)[11] = MakeLevel(0, 0, 0, 0, 0, {0, 0, 6});  // 12: used, time under 10
  const SavePlan plan = PlanSave(*set, 6, 2, CopiedLevels{1, 8, 2});

  EXPECT_EQ(plan.Written, 3);
  EXPECT_EQ(plan.SavedAs[0], 1);
  EXPECT_EQ(plan.SavedAs[3], 2);
  EXPECT_EQ(plan.SavedAs[8], 3);
  EXPECT_EQ(std::count(plan.SavedAs.begin(), plan.SavedAs.end(), 0), kLevelCount - 3);
  // Levels 2, 5 and 6 were held and are empty, 8 was copied empty, 3 and 12 are used; the
  // empty levels 7, 10, 11 and 13 on nothing brought.
  struct Drop {
    int number;
    DropReason reason;
    bool tooFewBlocks, timeTooShort;
  };
  const std::vector<Drop> expected = {{2, DropReason::Empty, false, true}, {3, DropReason::NotPlayable, true, true},
                                      {5, DropReason::Empty, false, true}, {6, DropReason::Empty, false, true},
                                      {8, DropReason::Empty, false, true}, {12, DropReason::NotPlayable, false, true}};
  ASSERT_EQ(plan.Dropped.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(plan.Dropped[i].Number, expected[i].number) << i;
    EXPECT_EQ(plan.Dropped[i].Reason, expected[i].reason) << expected[i].number;
    EXPECT_EQ(plan.Dropped[i].Rules.TooFewBlocks(), expected[i].tooFewBlocks) << expected[i].number;
    EXPECT_EQ(plan.Dropped[i].Rules.TimeTooShort(), expected[i].timeTooShort) << expected[i].number;
  }
  EXPECT_EQ(plan.RecordsPastTheEnd, 2u);
  EXPECT_EQ(plan.DroppedCount(), 8u);
  EXPECT_EQ(plan.LastUsed, 12);
  EXPECT_EQ(plan.CopiesSavedAs, std::vector<std::int32_t>{3});
  EXPECT_EQ(plan.EmptyBeforeUsed(), (std::vector<std::int32_t>{2, 5, 6, 8}));
}

// What moves levels up in the saved file: the copies stand where they are saved, after every
// level dropped or never brought before them, and the empty levels before the last one used
// renumber the levels after them.
TEST(SavePlan, WhatMovesLevelsUp) {
  struct Case {
    const char* name;
    std::vector<int> playable;  // level numbers; all the others empty
    int held, first, count;     // the levels read, and the copies
    std::vector<std::int32_t> copiesSavedAs, emptyBeforeUsed;
  };
  const Case cases[] = {
      {"in place", {1, 2, 3, 4}, 4, 3, 2, {3, 4}, {}},
      {"behind an empty level", {1, 3, 4, 5}, 5, 4, 2, {3, 4}, {2}},
      {"past a gap nothing brought", {1, 2, 6, 7}, 2, 6, 2, {3, 4}, {}},
      {"a copy left empty", {1, 2, 3}, 2, 3, 2, {3}, {}},
      {"no copy saved", {1}, 1, 2, 2, {}, {}},
      {"empty levels after the last used", {1}, 6, 0, 0, {}, {}},
      {"empty levels held before a copy", {1, 5}, 4, 5, 1, {2}, {2, 3, 4}},
  };
  for (const Case& c : cases) {
    auto set = NewSet();
    for (const int number : c.playable) (*set)[number - 1] = MakeLevel(0, 0, 0, 0, 10, {});
    const SavePlan plan = PlanSave(*set, c.held, 0, c.count == 0 ? CopiedLevels{} : CopiedLevels{1, c.first, c.count});
    EXPECT_EQ(plan.CopiesSavedAs, c.copiesSavedAs) << c.name;
    EXPECT_EQ(plan.EmptyBeforeUsed(), c.emptyBeforeUsed) << c.name;
  }
}

TEST(SavePlan, ANewSetDropsNothing) {
  auto set = NewSet();
  const SavePlan plan = PlanSave(*set, 0, 0);
  EXPECT_EQ(plan.Written, 0);
  EXPECT_TRUE(plan.Dropped.empty());
  EXPECT_EQ(plan.DroppedCount(), 0u);
  EXPECT_EQ(plan.LastUsed, 0);
}
