#include "cli/SaveOutcome.h"

#include "cli/LevelFacts.h"
#include "model/LevelCheck.h"

namespace quarvel_cli {

SaveOutcome OutcomeOfSave(const quarvel::LevelSet& set, std::uint64_t held, const quarvel::CopiedLevels& copied) {
  SaveOutcome outcome;
  outcome.RecordsPastTheEnd = held > quarvel::kLevelCount ? held - quarvel::kLevelCount : 0;
  for (int index = 0; index < quarvel::kLevelCount; ++index) {
    const quarvel::LevelRecord& level = set[static_cast<std::size_t>(index)];
    if (quarvel::IsLevelPlayable(level)) {
      outcome.SavedNumber[static_cast<std::size_t>(index)] = ++outcome.Written;
      continue;
    }
    const int number = index + 1;
    const bool wasHeld = static_cast<std::uint64_t>(index) < held;
    const bool wasCopied = number >= copied.FirstTarget && number < copied.FirstTarget + copied.Count;
    // A level that neither the file nor the copy brought is an empty one past the file's end.
    if (!wasHeld && !wasCopied && !quarvel::IsLevelUsed(level)) continue;
    outcome.Dropped.push_back({number, quarvel::IsLevelUsed(level) ? Verdict(FactsOf(set, index)) : "empty"});
  }
  return outcome;
}

std::string NumberRanges(const std::vector<int>& numbers) {
  std::string out;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap in "-" + std::string.
    if (!out.empty()) out += ", ";
    out += std::to_string(numbers[i]);
    if (j > i) {
      out += '-';
      out += std::to_string(numbers[j]);
    }
    i = j + 1;
  }
  return out;
}

}  // namespace quarvel_cli
