#pragma once
// Where tests stand in for a person: the message box, the run of a modal dialog and the
// beep each go through a replaceable handler. An empty handler brings back the real thing.

#include <QString>
#include <functional>

#include "qt/desktop/MessageBox.h"

class QDialog;

using TMessageBoxHandler = std::function<int(const QString& Text, const QString& Caption, TMessageBoxStyle Style)>;
using TModalHandler = std::function<int(QDialog& dialog)>;
using TBeepHandler = std::function<void()>;

void SetMessageBoxHandler(TMessageBoxHandler handler);
void SetModalHandler(TModalHandler handler);
void SetBeepHandler(TBeepHandler handler);

// The handlers in force, for ShowMessageBox, ExecModal and SystemBeep.
const TMessageBoxHandler& MessageBoxHandler();
const TModalHandler& ModalHandler();
const TBeepHandler& BeepHandler();
