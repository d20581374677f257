#include "cli/LevelFacts.h"

#include "model/LevelCheck.h"

namespace quarvel_cli {

LevelFacts FactsOf(const quarvel::LevelSet& set, int index) {
  const quarvel::LevelRecord& level = set[static_cast<std::size_t>(index)];
  return {index + 1, quarvel::BlockCount(level), quarvel::Demand(level), level.Time,
          quarvel::IsLevelPlayable(set, index)};
}

std::vector<std::string> Reasons(const LevelFacts& facts) {
  std::vector<std::string> reasons;
  if (facts.Blocks < facts.Demand) reasons.emplace_back("too few blocks");
  if (facts.Time < 10) reasons.emplace_back("time under 10");
  return reasons;
}

std::string Verdict(const LevelFacts& facts) {
  if (facts.Playable) return "playable";
  std::string verdict = "not playable (";
  const auto reasons = Reasons(facts);
  for (std::size_t i = 0; i < reasons.size(); ++i) verdict += (i ? ", " : "") + reasons[i];
  return verdict + ")";
}

}  // namespace quarvel_cli
