// The program's windows as start-up makes them, then the About box and an error box, each
// closed again after a moment; then the program ends. It says how high its menu bar is. Headless weston takes no input,
// so the Wayland test opens the dialogs through this probe and reads what the program told the compositor about them.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "qt/app/Application.h"
#include "qt/desktop/MessageBox.h"
#include "qt/forms/ProgramWindows.h"
#include "qt/forms/Unit1.h"
#include "qt/forms/Unit3.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  CreateProgramWindows();
  // Closes the next modal window a moment after it shows, however long it takes to show.
  auto closeModalSoon = [] {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        poll->stop();
        poll->deleteLater();
        QTimer::singleShot(300, modal, &QWidget::close);
      }
    });
    poll->start(50);
  };
  QTimer::singleShot(300, [&] {
    // What the window is made of, for the test to hold the size the compositor was told against.
    std::fprintf(stderr, "probe: menu bar %d px high\n", Form1->MainMenu1->height());
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
