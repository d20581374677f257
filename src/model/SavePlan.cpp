#include "model/SavePlan.h"

namespace quarvel {

SavePlan PlanSave(const LevelSet& set, std::int32_t levelsRead, std::uint64_t recordsPastTheEnd,
                  const CopiedLevels& copied) {
  SavePlan plan;
  plan.RecordsPastTheEnd = recordsPastTheEnd;
  for (std::int32_t index = 0; index < kLevelCount; ++index) {
    const LevelRecord& level = set[static_cast<std::size_t>(index)];
    const std::int32_t number = index + 1;
    const bool used = IsLevelUsed(level);
    if (used) plan.LastUsed = number;
    const Playability rules = PlayabilityOf(level);
    if (rules.Playable()) {
      plan.SavedAs[static_cast<std::size_t>(index)] = ++plan.Written;
      if (copied.Wrote(number)) plan.CopiesSavedAs.push_back(plan.Written);
      continue;
    }
    const bool held = index < levelsRead;
    if (!held && !copied.Wrote(number) && !used) continue;
    plan.Dropped.push_back({number, used ? DropReason::NotPlayable : DropReason::Empty, rules});
  }
  return plan;
}

std::vector<std::int32_t> SavePlan::EmptyBeforeUsed() const {
  std::vector<std::int32_t> numbers;
  for (const DroppedLevel& level : Dropped)
    if (level.Reason == DropReason::Empty && level.Number < LastUsed) numbers.push_back(level.Number);
  return numbers;
}

}  // namespace quarvel
