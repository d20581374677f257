#include "cli/Playability.h"

namespace quarvel_cli {

const char* PlayableWord(bool playable) { return playable ? "playable" : "not playable"; }

std::vector<std::string> FailedRules(const quarvel::Playability& rules) {
  std::vector<std::string> failed;
  if (rules.TooFewBlocks()) failed.emplace_back("too few blocks");
  if (rules.TimeTooShort()) failed.emplace_back("time under " + std::to_string(quarvel::kMinimumTime));
  return failed;
}

std::string PlayabilityText(const quarvel::Playability& rules) {
  std::string text = PlayableWord(rules.Playable());
  if (rules.Playable()) return text;
  const std::vector<std::string> failed = FailedRules(rules);
  for (std::size_t i = 0; i < failed.size(); ++i) text += (i == 0 ? " (" : ", ") + failed[i];
  return text + ")";
}

}  // namespace quarvel_cli
