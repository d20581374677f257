#pragma once
// What Save Set makes of a set: it writes the playable levels back to back, so every other
// level is dropped and the levels after a dropped one move up. Worked out before anything
// is written, so that `copy` can refuse a save that would lose levels.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/LevelCopy.h"
#include "model/LevelSet.h"

namespace quarvel_cli {

struct DroppedLevel {
  int Number;          // in the set, 1-based
  std::string Reason;  // "empty", or "not playable (time under 10)"
};

struct SaveOutcome {
  std::array<int, quarvel::kLevelCount> SavedNumber{};  // by index: the number in the file, 0 when dropped
  std::vector<DroppedLevel> Dropped;                    // levels the file held or the copy wrote that are not written
  std::uint64_t RecordsPastTheEnd = 0;                  // records after the 256th, which the reader never took in
  int Written = 0;
  std::uint64_t DroppedCount() const { return Dropped.size() + RecordsPastTheEnd; }
};

// `held`: how many records the file that was read held (0 for a new set); `copied`: what
// the copy wrote over the set.
SaveOutcome OutcomeOfSave(const quarvel::LevelSet& set, std::uint64_t held, const quarvel::CopiedLevels& copied);

// "4", "4-7", "2, 4-7": the numbers, ascending, as ranges.
std::string NumberRanges(const std::vector<int>& numbers);

}  // namespace quarvel_cli
