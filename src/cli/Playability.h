#pragma once
// The playability rules of the model (model/LevelCheck.h) in the words of the reports.

#include <string>
#include <vector>

#include "model/LevelCheck.h"

namespace quarvel_cli {

// "playable" or "not playable".
const char* PlayableWord(bool playable);

// The rules a level fails: "too few blocks", "time under 10", in that order.
std::vector<std::string> FailedRules(const quarvel::Playability& rules);

// "playable", or "not playable (too few blocks, time under 10)".
std::string PlayabilityText(const quarvel::Playability& rules);

}  // namespace quarvel_cli
