#pragma once
#include <QString>

enum class TMessageBoxStyle {
  Plain,  // one OK button, no icon
  Error,  // one OK button and the error icon
};

// A modal box for the whole program; returns when the user has dismissed it.
// Returns the button pressed (QMessageBox::Ok); no caller needs it.
// Tests answer it through SetMessageBoxHandler (desktop/TestSeams.h).
int ShowMessageBox(const QString& Text, const QString& Caption, TMessageBoxStyle Style);

// The least width of a box captioned `Caption`: the caption in the desktop's title font
// with room for the title bar's icon and buttons.
int MessageBoxCaptionWidth(const QString& Caption);
