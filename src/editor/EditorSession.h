#pragma once
// The editor apart from any front end: the level set being edited, the level shown, the
// brush, and every step of editing them. A front end's main window keeps one session for
// the whole run; its handlers (DrawGrid1SelectCell, BitBtn1Click, SpinEdit6Change, N2Click
// ...) are each a call into it, and it reaches the window's fields, grid, boxes and dialogs
// through EditorWindow.

#include <cstdint>
#include <string>

#include "editor/EditorWindow.h"
#include "model/LevelSet.h"

namespace quarvel {

class EditorSession {
 public:
  // The live data, for the whole run. The set is cleared and level 1 shown with the empty
  // brush before the main window first shows (FormCreate).
  quarvel::LevelSet Set{};
  TCurrentLevel Level = 0;
  TCurrentBrush Brush = 0;

  // FormCreate: an empty set, level 1 and the empty brush.
  void Start();

  // What cell (col, row) of the level shown holds (DrawGrid1DrawCell), and its name for
  // screen readers.
  TileCode Cell(int col, int row) const;
  std::string CellName(int col, int row) const;

  // The grid's current cell moved onto (col, row) (DrawGrid1SelectCell): the brush is
  // painted there, its low 16 bits.
  void Paint(int col, int row);

  // A palette button (BitBtn1Click ...): its tile becomes the brush.
  void ChooseBrush(Tile tile);

  // One of the five number fields changed (SpinEdit1Change ... SpinEdit5Change): the level
  // shown keeps the field's value, its low 16 bits.
  void SetNumber(LevelNumber which, std::int32_t value);

  // The Level field changed (SpinEdit6Change) to `number`: that level becomes current, its
  // numbers fill the five fields and the grid is repainted. While a number outside 1..256
  // stands typed, the last level in range stays shown; leaving the field clamps the text
  // and brings the level shown in line with it.
  void ShowLevel(EditorWindow& window, std::int32_t number);

  // Check Level (Button1Click): says in a box whether the level shown can be played.
  void CheckLevel(EditorWindow& window) const;

  // New Set (N1Click): clears the set and shows level 1.
  void NewSet(EditorWindow& window);

  // Open Set (N2Click): reads the chosen file into the set and shows level 1. The reader
  // changes the set only when the whole file was read; a failure (EInOutError) leaves the
  // set, the level shown and the fields as they were.
  void OpenSet(EditorWindow& window);

  // Save Set (N3Click): the warning, then the file, which receives the playable levels.
  void SaveSet(EditorWindow& window);

  // Copy (N7Click): a file, then the range, then the copy, and the first level written is
  // shown.
  void CopyFromFile(EditorWindow& window);

  // Whether the set has changed since the run began or since the last New Set, Open Set or
  // Save Set. The desktop editors never ask about unsaved work; a browser page, which a
  // stray reload can close, asks its leave-page question while this holds.
  bool Changed() const { return changed_; }

 private:
  // The five number fields, in order, from the level shown.
  void LoadNumberFields(EditorWindow& window) const;
  // The five number fields, then the Level field, then the grid.
  void ShowCurrentLevel(EditorWindow& window) const;

  bool changed_ = false;
};

}  // namespace quarvel
