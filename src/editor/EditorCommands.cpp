#include "editor/EditorCommands.h"

#include <algorithm>
#include <memory>

#include "editor/EditorTexts.h"
#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelCopy.h"

namespace quarvel {

namespace {
constexpr LevelNumber kFieldOrder[] = {LevelNumber::Rubies, LevelNumber::Emeralds, LevelNumber::Sapphires,
                                       LevelNumber::Bombs, LevelNumber::Time};
}  // namespace

void LoadNumberFields(const EditorState& state, EditorWindow& window) {
  for (LevelNumber which : kFieldOrder) window.SetNumberField(which, ReadNumber(state.Set, state.CurrentLevel, which));
}

void ShowCurrentLevel(const EditorState& state, EditorWindow& window) {
  LoadNumberFields(state, window);
  window.SetLevelField(state.CurrentLevel + 1);
  window.RepaintGrid();
}

void ChangeLevelShown(const EditorState& state, EditorWindow& window, std::int32_t number) {
  if (number < 1 || number > kLevelCount) return;
  state.CurrentLevel = number - 1;
  LoadNumberFields(state, window);
  window.RepaintGrid();
}

void CheckLevel(const EditorState& state, EditorWindow& window) {
  if (IsLevelPlayable(state.Set, state.CurrentLevel))
    window.ShowPlainBox(kPlayableText, kPlayableCaption);
  else
    window.ShowPlainBox(kNotPlayableText, kNotPlayableCaption);
}

void NewSet(const EditorState& state, EditorWindow& window) {
  ClearLevelSet(state.Set);
  for (LevelNumber which : kFieldOrder) window.SetNumberField(which, 0);
  window.SetLevelField(0);  // its range makes this 1
  state.CurrentLevel = 0;
  window.RepaintGrid();
}

void OpenSet(const EditorState& state, EditorWindow& window) {
  const std::optional<std::string> fileName = window.ChooseFileToOpen();
  if (!fileName) return;
  ReadLevelSetFile(*fileName, state.Set);
  state.CurrentLevel = 0;
  ShowCurrentLevel(state, window);
}

void SaveSet(const EditorState& state, EditorWindow& window) {
  window.ShowPlainBox(kSaveWarningText, kSaveWarningCaption);
  const std::optional<std::string> fileName = window.ChooseFileToSave();
  if (!fileName) return;
  WriteLevelSetFile(*fileName, state.Set);
}

void CopyFromFile(const EditorState& state, EditorWindow& window) {
  const std::optional<std::string> fileName = window.ChooseFileToOpen();
  if (!fileName) return;
  // The source set starts empty and only the levels the file supplied are copied from it.
  auto source = std::make_unique<LevelSet>();
  ClearLevelSet(*source);
  const int sourceLevels = ReadLevelSetFile(*fileName, *source);
  const std::optional<CopyRange> range = window.AskCopyRange();
  if (!range) return;
  // Leaving a field clamps it, so these lie in 1..256; clamped again to be sure.
  auto number = [](std::int32_t value) { return std::clamp(value, 1, kLevelCount); };
  CopyLevels(state.Set, *source, sourceLevels, number(range->Start), number(range->Quantity), number(range->First),
             state.CurrentLevel);
  ShowCurrentLevel(state, window);
}

}  // namespace quarvel
