#pragma once
// What Save Set makes of a set, worked out before anything is written. It writes the
// playable levels back to back, in ascending order, and no more than 256: every other level
// is dropped, and the levels after a dropped one move up. A command can show this first,
// refuse a save that would lose levels, or warn about what the next save would change.

#include <array>
#include <cstdint>
#include <vector>

#include "model/LevelCheck.h"
#include "model/LevelCopy.h"
#include "model/LevelSet.h"

namespace quarvel {

// Why a level is dropped: it is empty (every cell and number 0), or it is used but cannot
// be played.
enum class DropReason { Empty, NotPlayable };

struct DroppedLevel {
  std::int32_t Number;  // in the set, from 1
  DropReason Reason;
  Playability Rules;  // for NotPlayable: which rules the level fails
};

struct SavePlan {
  // By index: the level's number in the saved file, from 1; 0 when it is not written.
  std::array<std::int32_t, kLevelCount> SavedAs{};
  // The levels the set brought that are not written, in ascending order.
  std::vector<DroppedLevel> Dropped;
  // Records after the 256th in the file the set came from: the reader never takes them in.
  std::uint64_t RecordsPastTheEnd = 0;
  std::int32_t Written = 0;
  // The number of the last level used (any cell or number not 0), 0 when none is: an empty
  // level before it moves the levels after it up.
  std::int32_t LastUsed = 0;
  // Where the copies stand in the saved file (the numbers of those written, in order): a
  // level dropped before them, or a gap before them, moves them up.
  std::vector<std::int32_t> CopiesSavedAs;
  std::uint64_t DroppedCount() const { return Dropped.size() + RecordsPastTheEnd; }
  // The empty levels dropped before the last level used, in order: each moves the levels
  // after it up, where an empty level after the last one used changes no number.
  std::vector<std::int32_t> EmptyBeforeUsed() const;
};

// `levelsRead`: how many levels the set was read from its file (0 for a new set), and
// `recordsPastTheEnd` how many records the file holds after those 256; `copied`: the levels
// a copy wrote over the set since (none by default). Only the levels the file or the copy
// brought count as dropped: an empty level past the file's end, which nothing wrote, loses
// nothing by being left out.
SavePlan PlanSave(const LevelSet& set, std::int32_t levelsRead, std::uint64_t recordsPastTheEnd,
                  const CopiedLevels& copied = {});

}  // namespace quarvel
