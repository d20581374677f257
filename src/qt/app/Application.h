#pragma once
#include <QApplication>

// The program's application object: fixes the program title and icon before any window
// exists. An error escaping any event handler, in the main loop or in a modal dialog's
// loop, is shown by ReportError and the program goes on.
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
