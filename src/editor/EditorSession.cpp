#include "editor/EditorSession.h"

#include <algorithm>
#include <memory>

#include "editor/EditorTexts.h"
#include "editor/GridCells.h"
#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelCopy.h"

namespace quarvel {

namespace {
constexpr LevelNumber kFieldOrder[] = {LevelNumber::Rubies, LevelNumber::Emeralds, LevelNumber::Sapphires,
                                       LevelNumber::Bombs, LevelNumber::Time};
}  // namespace

void EditorSession::Start() {
  ClearLevelSet(Set);
  Level = 0;
  Brush = 0;
  changed_ = false;
}

TileCode EditorSession::Cell(int col, int row) const { return ReadCell(Set, Level, col, row); }

std::string EditorSession::CellName(int col, int row) const { return quarvel::CellName(Cell(col, row)); }

void EditorSession::Paint(int col, int row) {
  const TileCode code = Low16(Brush);
  if (Cell(col, row) != code) changed_ = true;
  WriteCell(Set, Level, col, row, code);
}

void EditorSession::ChooseBrush(Tile tile) { Brush = tile; }

void EditorSession::SetNumber(LevelNumber which, std::int32_t value) {
  // Loading a level into the fields writes back what it holds: no change.
  if (ReadNumber(Set, Level, which) != Low16(value)) changed_ = true;
  WriteNumber(Set, Level, which, value);
}

void EditorSession::LoadNumberFields(EditorWindow& window) const {
  for (LevelNumber which : kFieldOrder) window.SetNumberField(which, ReadNumber(Set, Level, which));
}

void EditorSession::ShowCurrentLevel(EditorWindow& window) const {
  LoadNumberFields(window);
  window.SetLevelField(Level + 1);
  window.RepaintGrid();
}

void EditorSession::ShowLevel(EditorWindow& window, std::int32_t number) {
  if (number < 1 || number > kLevelCount) return;
  Level = number - 1;
  LoadNumberFields(window);
  window.RepaintGrid();
}

void EditorSession::CheckLevel(EditorWindow& window) const {
  if (IsLevelPlayable(Set, Level))
    window.ShowPlainBox(kPlayableText, kPlayableCaption);
  else
    window.ShowPlainBox(kNotPlayableText, kNotPlayableCaption);
}

void EditorSession::NewSet(EditorWindow& window) {
  ClearLevelSet(Set);
  for (LevelNumber which : kFieldOrder) window.SetNumberField(which, 0);
  window.SetLevelField(0);  // its range makes this 1
  Level = 0;
  window.RepaintGrid();
  changed_ = false;
}

void EditorSession::OpenSet(EditorWindow& window) {
  const std::optional<std::string> fileName = window.ChooseFileToOpen();
  if (!fileName) return;
  ReadLevelSetFile(*fileName, Set);
  Level = 0;
  changed_ = false;
  ShowCurrentLevel(window);
}

void EditorSession::SaveSet(EditorWindow& window) {
  window.ShowPlainBox(kSaveWarningText, kSaveWarningCaption);
  const std::optional<std::string> fileName = window.ChooseFileToSave();
  if (!fileName) return;
  WriteLevelSetFile(*fileName, Set);
  changed_ = false;
}

void EditorSession::CopyFromFile(EditorWindow& window) {
  const std::optional<std::string> fileName = window.ChooseFileToOpen();
  if (!fileName) return;
  // The source set starts empty and only the levels the file supplied are copied from it.
  auto source = std::make_unique<quarvel::LevelSet>();
  ClearLevelSet(*source);
  const int sourceLevels = ReadLevelSetFile(*fileName, *source);
  const std::optional<CopyRange> range = window.AskCopyRange();
  if (!range) return;
  // Leaving a field clamps it, so these lie in 1..256; clamped again to be sure.
  auto number = [](std::int32_t value) { return std::clamp(value, 1, kLevelCount); };
  CopyLevels(Set, *source, sourceLevels, number(range->Start), number(range->Quantity), number(range->First), Level);
  changed_ = true;
  ShowCurrentLevel(window);
}

}  // namespace quarvel
