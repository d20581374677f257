#pragma once
// Rules of the editor that the desktop front ends still hold in their own controls and the
// page needs too: the grid's drag steps, the integer field's arrow repeat and the program
// title that captions the error boxes. They belong with the editor's other rules in src/editor; they are
// gathered here, in one file, until they move there.

namespace quarvel::pending {

// A drag held outside the grid's cells steps every 60 ms (editor/GridCursor: where to).
constexpr int kDragStepMilliseconds = 60;

// A held up or down button of an integer field steps after 400 ms, then every 100 ms.
constexpr int kRepeatDelayMilliseconds = 400;
constexpr int kRepeatIntervalMilliseconds = 100;

// The program title of QuarvelEdit, which captions the error boxes.
inline constexpr char kProgramTitle[] = "Quarveledit";

}  // namespace quarvel::pending
