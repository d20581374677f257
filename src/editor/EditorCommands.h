#pragma once
// The editor's commands as steps over the level set and the main window, apart from any
// front end: changing the level shown, Check Level, New Set, Open Set, Save Set and Copy.
// A front end's main window (TForm1) gives them its fields, its grid, its boxes and its
// dialogs through EditorWindow, and its handlers (SpinEdit6Change, Button1Click, N1Click
// ...) call them; only what is about its own controls stays in the front end.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/LevelSet.h"

namespace quarvel {

// The three values of the Levels Copy dialog: Start from, Quantity, Insert after.
struct CopyRange {
  std::int32_t Start = 1;
  std::int32_t Quantity = 1;
  std::int32_t First = 1;
};

// What the commands need of the main window.
class EditorWindow {
 public:
  virtual ~EditorWindow() = default;
  // Sets SpinEdit1 to SpinEdit5 (`which`) or SpinEdit6, the Level field, by the integer
  // field's rule: clamped to its range, and its change handler run, before returning, when
  // and only when its text changes.
  virtual void SetNumberField(LevelNumber which, std::int32_t value) = 0;
  virtual void SetLevelField(std::int32_t value) = 0;
  // Redraws every cell of DrawGrid1 from level CurrentLevel, before returning.
  virtual void RepaintGrid() = 0;
  // A message box in the plain style (OK, no icon); returns once it is dismissed.
  virtual void ShowPlainBox(std::string_view text, std::string_view caption) = 0;
  // OpenDialog1, SaveDialog1: the chosen file's full name (UTF-8), nothing when cancelled.
  virtual std::optional<std::string> ChooseFileToOpen() = 0;
  virtual std::optional<std::string> ChooseFileToSave() = 0;
  // The Levels Copy dialog, modally: its three values when it closed with OK.
  virtual std::optional<CopyRange> AskCopyRange() = 0;
};

// The level data a command works on: the live set and the level shown.
struct EditorState {
  LevelSet& Set;
  TCurrentLevel& CurrentLevel;
};

// Sets the five number fields, in order, from level CurrentLevel.
void LoadNumberFields(const EditorState& state, EditorWindow& window);

// Shows level CurrentLevel: the five number fields, then the Level field, then the grid.
void ShowCurrentLevel(const EditorState& state, EditorWindow& window);

// The Level field's change (SpinEdit6Change), given the field's value: level `number`
// becomes current, its numbers fill the five fields and the grid is repainted. While a
// number outside 1..256 stands typed, the last level in range stays shown; leaving the
// field clamps the text and brings the level shown in line with it.
void ChangeLevelShown(const EditorState& state, EditorWindow& window, std::int32_t number);

// Check Level (Button1Click): says in a box whether level CurrentLevel can be played.
void CheckLevel(const EditorState& state, EditorWindow& window);

// New Set (N1Click): clears the set and shows level 1.
void NewSet(const EditorState& state, EditorWindow& window);

// Open Set (N2Click): reads the chosen file into the set and shows level 1. The reader
// changes the set only when the whole file was read; a failure (EInOutError) leaves the
// set, the level shown and the fields as they were.
void OpenSet(const EditorState& state, EditorWindow& window);

// Save Set (N3Click): the warning, then the file, which receives the playable levels.
void SaveSet(const EditorState& state, EditorWindow& window);

// Copy (N7Click): a file, then the range, then the copy, and the first level written is
// shown.
void CopyFromFile(const EditorState& state, EditorWindow& window);

}  // namespace quarvel
