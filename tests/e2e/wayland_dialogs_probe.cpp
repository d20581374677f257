// The program's windows as start-up makes them, then the About box and an error box, each
// closed again after a moment; then the program ends. Headless weston takes no input, so
// the Wayland test opens the dialogs through this probe and reads what the program told
// the compositor about them.
#include <QApplication>
#include <QTimer>

#include "app/Application.h"
#include "ui/MessageBox.h"
#include "ui/ProgramWindows.h"
#include "ui/Unit1.h"
#include "ui/Unit3.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  CreateProgramWindows();
  auto closeModalSoon = [] {
    QTimer::singleShot(300, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
  };
  QTimer::singleShot(300, [&] {
    closeModalSoon();
    Form3->Execute(Form1);
    closeModalSoon();
    ShowMessageBox(QStringLiteral("File not found."), QStringLiteral("Quarveledit"), TMessageBoxStyle::Error);
    QApplication::quit();
  });
  const int status = application.exec();
  DestroyProgramWindows();
  return status;
}
