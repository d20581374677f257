#pragma once
#include <QDialog>
#include <functional>

// Every modal dialog of the program is run through here, so tests can answer the real,
// fully set-up dialog without a person. Returns the dialog's result.
int ExecModal(QDialog& dialog);

using TModalHandler = std::function<int(QDialog& dialog)>;
void SetModalHandler(TModalHandler handler);  // empty: the dialog's own exec()
