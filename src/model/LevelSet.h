#pragma once
// The level set being edited: 256 levels of 11 x 13 tiles and five numbers.
// Plain data; nothing here checks tile codes or numbers, they are stored as they come.

#include <array>
#include <cstdint>

namespace quarvel {

using TileCode = std::int16_t;

enum Tile : TileCode {
  Empty = 0,
  RedBlock = 1,
  GreenBlock = 2,
  BlueBlock = 3,
  YellowBlock = 4,
  GrayBlock = 5,
  CannonUp = 6,
  CannonRight = 7,
  CannonDown = 8,
  CannonLeft = 9,
};

constexpr int kColumns = 11;
constexpr int kRows = 13;
constexpr int kCellCount = kColumns * kRows;  // 143
constexpr int kLevelCount = 256;

// Element c * 13 + r is column c, row r: the cells are stored column by column,
// the same order in which a .dag file holds them.
constexpr int CellIndex(int column, int row) { return column * kRows + row; }

struct LevelRecord {
  std::array<TileCode, kCellCount> Cells;
  std::int16_t Rubies;
  std::int16_t Emeralds;
  std::int16_t Sapphires;
  std::int16_t Bombs;
  std::int16_t Time;
  // The same cells and numbers.
  bool operator==(const LevelRecord&) const = default;
};

// One fixed block; no operation on it allocates.
using LevelSet = std::array<LevelRecord, kLevelCount>;

// The editor's state types; the live variables belong to the main window's unit.
using TCurrentLevel = std::int32_t;  // index 0..255 of the level shown
using TCurrentBrush = std::int32_t;  // tile code a painted cell receives (low 16 bits)

// The five numbers of a level, in the order of the record and of the fields on screen.
enum class LevelNumber { Rubies, Emeralds, Sapphires, Bombs, Time };

// An index outside 0..255, a column outside 0..10 or a row outside 0..12 is ignored:
// a write does nothing and a read gives 0. Nothing outside the set is ever touched.
bool IsLevelIndex(std::int32_t level);
bool IsCell(std::int32_t column, std::int32_t row);

void ClearLevelSet(LevelSet& set);

TileCode ReadCell(const LevelSet& set, std::int32_t level, std::int32_t column, std::int32_t row);
void WriteCell(LevelSet& set, std::int32_t level, std::int32_t column, std::int32_t row, TileCode code);

std::int16_t ReadNumber(const LevelSet& set, std::int32_t level, LevelNumber which);
// Stores the low 16 bits: 32768 becomes -32768, 65535 becomes -1, 65536 becomes 0.
void WriteNumber(LevelSet& set, std::int32_t level, LevelNumber which, std::int32_t value);

// The low 16 bits of a 32-bit value as a signed 16-bit number.
constexpr std::int16_t Low16(std::int32_t value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu));
}

}  // namespace quarvel
