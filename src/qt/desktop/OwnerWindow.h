#pragma once
class QWidget;

// The window a box or dialog belongs to: the active one, or, when none is active (as right
// after a file dialog has closed, or where the desktop gives no window the keyboard), the
// modal dialog in front or else the visible main window.
QWidget* OwnerWindow();
