#pragma once
#include <QApplication>

// The program's application object: an error escaping any event handler, in the main
// loop or in a modal dialog's loop, is shown by ReportError and the program goes on.
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Start-up: fixes the title and the icon, creates Form1, Form2 and Form3, shows the
// main window. Returns when the windows exist; the caller runs the event loop.
void CreateProgramWindows();
