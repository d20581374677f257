#pragma once
// What screen readers are told about the level grid: the table of editor/GridCells.h, in
// its words, whose cells are named after their tiles (TDrawGrid::CellName); the current
// cell is the selected one, and the focused one while the grid has the focus. Number
// fields are named by SetFieldName (widgets/SpinEdit.h).

// Makes QAccessible describe every TDrawGrid as a table. Repeated calls change nothing;
// TDrawGrid's constructor makes the first.
void InstallGridAccessibleFactory();
