#pragma once
// Two level set files compared, as data: the records added, removed and changed (with the
// cells changed), and whether the header and the tail differ. Reports are made from it;
// nothing here is text.

#include <cstddef>
#include <vector>

#include "files/LevelSetBytes.h"
#include "model/LevelComparison.h"

namespace quarvel {

enum class RecordChangeKind { Added, Removed, Changed };

struct RecordChange {
  std::size_t Index;  // the record's place in both files, from 0
  RecordChangeKind Kind;
  std::vector<CellChange> Cells;  // for a changed record: the cells whose codes differ
};

struct SetComparison {
  bool HeaderChanged = false;
  bool TailChanged = false;
  std::vector<RecordChange> Records;  // in the order of the files; records that are the same are left out
  int Added = 0;
  int Removed = 0;
  int Changed = 0;
  bool Same() const { return !HeaderChanged && !TailChanged && Records.empty(); }
};

// Record k of `before` against record k of `after`: the records past the shorter file's
// end are added (or removed). A changed record differs in a cell or a number.
SetComparison CompareSets(const SetImage& before, const SetImage& after);

}  // namespace quarvel
