#include "model/LevelSet.h"

namespace quarvel {

namespace {

// Works for a const and a mutable record alike.
template <typename Record>
auto& NumberField(Record& level, LevelNumber which) {
  switch (which) {
    case LevelNumber::Rubies:
      return level.Rubies;
    case LevelNumber::Emeralds:
      return level.Emeralds;
    case LevelNumber::Sapphires:
      return level.Sapphires;
    case LevelNumber::Bombs:
      return level.Bombs;
    case LevelNumber::Time:
      break;
  }
  return level.Time;
}

}  // namespace

bool IsLevelIndex(std::int32_t level) { return level >= 0 && level < kLevelCount; }

bool IsCell(std::int32_t column, std::int32_t row) {
  return column >= 0 && column < kColumns && row >= 0 && row < kRows;
}

void ClearLevelSet(LevelSet& set) {
  for (LevelRecord& level : set) level = LevelRecord{};
}

TileCode ReadCell(const LevelSet& set, std::int32_t level, std::int32_t column, std::int32_t row) {
  if (!IsLevelIndex(level) || !IsCell(column, row)) return Empty;
  return set[level].Cells[CellIndex(column, row)];
}

void WriteCell(LevelSet& set, std::int32_t level, std::int32_t column, std::int32_t row, TileCode code) {
  if (!IsLevelIndex(level) || !IsCell(column, row)) return;
  set[level].Cells[CellIndex(column, row)] = code;
}

std::int16_t ReadNumber(const LevelSet& set, std::int32_t level, LevelNumber which) {
  if (!IsLevelIndex(level)) return 0;
  return NumberField(set[level], which);
}

void WriteNumber(LevelSet& set, std::int32_t level, LevelNumber which, std::int32_t value) {
  if (!IsLevelIndex(level)) return;
  NumberField(set[level], which) = Low16(value);
}

}  // namespace quarvel
