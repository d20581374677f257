#pragma once
// What screen readers are told about the editor's controls.
//
// The level grid is a table of 11 columns and 13 rows whose cells are named after their
// tiles (TDrawGrid::CellName); the current cell is the selected one, and the focused one
// while the grid has the focus. Child i of the table is column i % 11 of row i / 11.

#include <QString>

class TSpinEdit;

// The spoken name of tile code `code`: "Empty", "Red block", ..., "Cannon left"; "Tile N"
// for a code without a picture.
QString TileName(int code);

// Names an integer field after its label: the field, its edit box and its two buttons.
void SetFieldName(TSpinEdit* field, const QString& name);

// Makes QAccessible describe every TDrawGrid as a table. Repeated calls change nothing;
// TDrawGrid's constructor makes the first.
void InstallGridAccessibleFactory();
