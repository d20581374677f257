#pragma once
class QDialog;

// Every modal dialog of the program is run through here, so tests can answer the real,
// fully set-up dialog without a person (SetModalHandler, desktop/TestSeams.h).
// Returns the dialog's result.
int ExecModal(QDialog& dialog);
