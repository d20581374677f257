// The editor's rules that every front end follows: the grid's cursor, its cells as screen
// readers know them, the palette, the error report's text, and the session's editing of
// the level shown.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "editor/EditorSession.h"
#include "editor/ErrorReport.h"
#include "editor/GridCells.h"
#include "editor/GridCursor.h"
#include "editor/Palette.h"
#include "files/InOutError.h"

namespace {

using quarvel::TGridCell;
using quarvel::TGridKey;

struct KeyCase {
  const char* name;
  TGridCell from;
  TGridKey key;
  bool ctrl;
  TGridCell to;
};

TEST(GridCursor, KeysMoveWithinTheGrid) {
  const KeyCase cases[] = {
      {"up", {4, 5}, TGridKey::Up, false, {4, 4}},
      {"up at the top", {4, 0}, TGridKey::Up, false, {4, 0}},
      {"ctrl+up stays", {4, 5}, TGridKey::Up, true, {4, 5}},
      {"down at the bottom", {4, 12}, TGridKey::Down, false, {4, 12}},
      {"ctrl+down stays", {4, 5}, TGridKey::Down, true, {4, 5}},
      {"left at the edge", {0, 5}, TGridKey::Left, false, {0, 5}},
      {"ctrl+left: row's start", {7, 5}, TGridKey::Left, true, {0, 5}},
      {"right at the edge", {10, 5}, TGridKey::Right, false, {10, 5}},
      {"ctrl+right: row's end", {3, 5}, TGridKey::Right, true, {10, 5}},
      {"home", {7, 5}, TGridKey::Home, false, {0, 5}},
      {"ctrl+home", {7, 5}, TGridKey::Home, true, {0, 0}},
      {"end", {2, 5}, TGridKey::End, false, {10, 5}},
      {"ctrl+end", {2, 5}, TGridKey::End, true, {10, 12}},
      {"page up from the middle", {3, 5}, TGridKey::PageUp, false, {3, 0}},
      {"page down from the top", {3, 0}, TGridKey::PageDown, false, {3, 12}},
      {"page down from row 1", {3, 1}, TGridKey::PageDown, false, {3, 12}},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(quarvel::CellAfterKey(c.from, c.key, c.ctrl), c.to) << c.name;
}

TEST(GridCursor, DragStepsOneCellTowardThePointerAndStopsAtTheEdge) {
  EXPECT_EQ(quarvel::CellAfterDragStep({5, 5}, -1, 1), (TGridCell{4, 6}));
  EXPECT_EQ(quarvel::CellAfterDragStep({0, 12}, -1, 1), (TGridCell{0, 12}));
  EXPECT_EQ(quarvel::CellAfterDragStep({10, 0}, 1, 0), (TGridCell{10, 0}));
}

TEST(GridCursor, WheelNotchesAddUpWithTheirSigns) {
  quarvel::TWheelSteps wheel;
  EXPECT_EQ(wheel.Add(60), 0);    // half a notch away from the user
  EXPECT_EQ(wheel.Add(60), -1);   // a whole one: a row up
  EXPECT_EQ(wheel.Add(-100), 0);  // most of a notch toward the user
  EXPECT_EQ(wheel.Add(30), 0);    // a part turn back takes away from it
  EXPECT_EQ(wheel.Add(-50), 1);   // -70 - 50: a row down
  EXPECT_EQ(wheel.Add(-360), 3);  // three notches at once
}

TEST(GridCells, ChildrenAreNumberedRowByRow) {
  EXPECT_EQ(quarvel::ChildIndex({0, 0}), 0);
  EXPECT_EQ(quarvel::ChildIndex({10, 0}), 10);
  EXPECT_EQ(quarvel::ChildIndex({0, 1}), 11);
  EXPECT_EQ(quarvel::ChildIndex({10, 12}), 142);
  for (int index = 0; index < quarvel::kGridCellCount; ++index)
    EXPECT_EQ(quarvel::ChildIndex(*quarvel::ChildCell(index)), index);
  EXPECT_FALSE(quarvel::ChildCell(-1));
  EXPECT_FALSE(quarvel::ChildCell(143));
}

TEST(GridCells, NeighboursStopAtTheEdges) {
  using D = quarvel::TGridDirection;
  EXPECT_EQ(quarvel::Neighbour({3, 4}, D::Up), (TGridCell{3, 3}));
  EXPECT_EQ(quarvel::Neighbour({3, 4}, D::Right), (TGridCell{4, 4}));
  EXPECT_FALSE(quarvel::Neighbour({0, 4}, D::Left));
  EXPECT_FALSE(quarvel::Neighbour({10, 4}, D::Right));
  EXPECT_FALSE(quarvel::Neighbour({3, 0}, D::Up));
  EXPECT_FALSE(quarvel::Neighbour({3, 12}, D::Down));
}

TEST(GridCells, NamesAndPlacesInOneWording) {
  EXPECT_EQ(quarvel::CellName(quarvel::GrayBlock), "Grey block");
  EXPECT_EQ(quarvel::CellName(10), "Tile 10");
  EXPECT_EQ(quarvel::CellName(-32768), "Tile -32768");
  EXPECT_EQ(quarvel::ColumnName(0), "Column 1");
  EXPECT_EQ(quarvel::RowName(12), "Row 13");
  EXPECT_EQ(quarvel::CellPlace({10, 12}), "Column 11, row 13");
}

TEST(Palette, EachButtonSetsItsTileAndEveryTileHasOneButton) {
  static_assert(quarvel::PaletteTile("BitBtn7") == quarvel::CannonLeft);
  static_assert(quarvel::PaletteTile("BitBtn10") == quarvel::CannonUp);
  bool seen[10] = {};
  for (const quarvel::TPaletteButton& button : quarvel::kPalette) seen[button.Code] = true;
  for (bool tile : seen) EXPECT_TRUE(tile);
}

TEST(ErrorReport, TheMessageEndsWithAFullStopAndMemoryHasItsOwn) {
  EXPECT_EQ(quarvel::ErrorReportText(quarvel::EInOutError(5)), "File access denied.");
  EXPECT_EQ(quarvel::ErrorReportText(std::bad_alloc()), "Out of memory.");
  // UTF-8 passes through as it is.
  EXPECT_EQ(quarvel::ErrorReportText(std::runtime_error("Fichier \xC3\xA9tait perdu")), "Fichier \xC3\xA9tait perdu.");
}

TEST(EditorSessionEditing, PaintingWritesTheBrushLow16BitsIntoTheLevelShown) {
  quarvel::EditorSession session;
  session.Start();
  session.Level = 7;
  session.ChooseBrush(quarvel::BlueBlock);
  session.Paint(10, 12);
  EXPECT_EQ(quarvel::ReadCell(session.Set, 7, 10, 12), quarvel::BlueBlock);
  EXPECT_EQ(session.CellName(10, 12), "Blue block");
  session.Brush = 65536 + 9;  // a brush may hold any 32-bit value; the cell takes 16 bits
  session.Paint(0, 0);
  EXPECT_EQ(session.Cell(0, 0), quarvel::CannonLeft);
  EXPECT_EQ(quarvel::ReadCell(session.Set, 0, 0, 0), quarvel::Empty);
}

TEST(EditorSessionEditing, ChangedOnlyByWhatChangesTheSet) {
  quarvel::EditorSession session;
  session.Start();
  session.SetNumber(quarvel::LevelNumber::Time, 0);  // a field loaded with what the level holds
  session.Paint(3, 3);                               // the empty brush on an empty cell
  EXPECT_FALSE(session.Changed());
  session.SetNumber(quarvel::LevelNumber::Time, 65536);  // stored as 0
  EXPECT_FALSE(session.Changed());
  session.SetNumber(quarvel::LevelNumber::Bombs, 2);
  EXPECT_TRUE(session.Changed());
  session.Start();
  session.ChooseBrush(quarvel::RedBlock);
  session.Paint(3, 3);
  EXPECT_TRUE(session.Changed());
}

}  // namespace
