#include "files/SetComparison.h"

#include <algorithm>

namespace quarvel {

SetComparison CompareSets(const SetImage& before, const SetImage& after) {
  SetComparison comparison;
  comparison.HeaderChanged = before.Header != after.Header;
  comparison.TailChanged = before.Tail != after.Tail;
  const std::size_t records = std::max(before.Records.size(), after.Records.size());
  for (std::size_t k = 0; k < records; ++k) {
    if (k >= before.Records.size()) {
      comparison.Records.push_back({k, RecordChangeKind::Added, {}});
      ++comparison.Added;
    } else if (k >= after.Records.size()) {
      comparison.Records.push_back({k, RecordChangeKind::Removed, {}});
      ++comparison.Removed;
    } else if (before.Records[k] != after.Records[k]) {
      comparison.Records.push_back({k, RecordChangeKind::Changed, ChangedCells(before.Records[k], after.Records[k])});
      ++comparison.Changed;
    }
  }
  return comparison;
}

}  // namespace quarvel
