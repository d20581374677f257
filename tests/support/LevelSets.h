#pragma once
// Level sets for the core tests: a cleared set, comparisons, and a level's file block by
// the independent encoder of DagFile.h.

#include <cstddef>
#include <memory>

#include "DagFile.h"
#include "model/LevelSet.h"

namespace quarvel_test {

inline std::unique_ptr<quarvel::LevelSet> NewSet() {
  auto set = std::make_unique<quarvel::LevelSet>();
  quarvel::ClearLevelSet(*set);
  return set;
}

inline bool SameLevel(const quarvel::LevelRecord& a, const quarvel::LevelRecord& b) { return a == b; }
inline bool SameSet(const quarvel::LevelSet& a, const quarvel::LevelSet& b) { return a == b; }

// A record's values by name; its cells are kept in file order (column * 13 + row).
inline DagLevel DagLevelOf(const quarvel::LevelRecord& record) {
  DagLevel level;
  level.time = record.Time;
  level.bombs = record.Bombs;
  level.rubies = record.Rubies;
  level.emeralds = record.Emeralds;
  level.sapphires = record.Sapphires;
  static_assert(sizeof record.Cells == sizeof level.cells);
  for (std::size_t i = 0; i < level.cells.size(); ++i) level.cells[i] = record.Cells[i];
  return level;
}

// The record a level's values make, for a set that should hold what a file says.
inline quarvel::LevelRecord RecordOf(const DagLevel& level) {
  quarvel::LevelRecord record{};
  record.Time = level.time;
  record.Bombs = level.bombs;
  record.Rubies = level.rubies;
  record.Emeralds = level.emeralds;
  record.Sapphires = level.sapphires;
  for (std::size_t i = 0; i < level.cells.size(); ++i) record.Cells[i] = level.cells[i];
  return record;
}

// The 296 bytes a file holds for the record.
inline Bytes BlockOf(const quarvel::LevelRecord& record) { return DagBlock(DagLevelOf(record)); }

}  // namespace quarvel_test
