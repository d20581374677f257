#pragma once
#include <QString>
#include <functional>

enum class TMessageBoxStyle {
  Plain,  // one OK button, no icon
  Error,  // one OK button and the error icon
};

// A modal box for the whole program; returns when the user has dismissed it.
// Returns the button pressed (QMessageBox::Ok); no caller needs it.
int ShowMessageBox(const QString& Text, const QString& Caption, TMessageBoxStyle Style);

// Tests answer the boxes without a person; an empty handler brings back the real box.
using TMessageBoxHandler = std::function<int(const QString& Text, const QString& Caption, TMessageBoxStyle Style)>;
void SetMessageBoxHandler(TMessageBoxHandler handler);
