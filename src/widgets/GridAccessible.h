#pragma once
// What screen readers are told about the level grid. Tiles are named by TileName
// (painting/TilePictures.h), number fields by SetFieldName (widgets/SpinEdit.h).
//
// The level grid is a table of 11 columns and 13 rows whose cells are named after their
// tiles (TDrawGrid::CellName); the current cell is the selected one, and the focused one
// while the grid has the focus. Child i of the table is column i % 11 of row i / 11.

// Makes QAccessible describe every TDrawGrid as a table. Repeated calls change nothing;
// TDrawGrid's constructor makes the first.
void InstallGridAccessibleFactory();
