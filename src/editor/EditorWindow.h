#pragma once
// What the editor's steps need of a front end's main window (TForm1): its fields, its
// grid, its boxes and its dialogs. The steps themselves are the session's
// (editor/EditorSession.h).

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

}  // namespace quarvel
