// The yardstick for the editor's start-up: a plain QMainWindow of the editor's size with
// the editor's menu bar and nothing else, started and timed the same way (see
// ProbeReport.h).
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "ProbeReport.h"

int main(int argc, char** argv) {
  startup_probe::Stamps stamps;
  stamps.mainEntered = startup_probe::Now();
  QApplication application(argc, argv);
  stamps.appCreated = startup_probe::Now();
  startup_probe::FirstPaintWatch watch(stamps);
  application.installEventFilter(&watch);

  auto* window = new QMainWindow();
  QMenuBar* bar = window->menuBar();
  QMenu* levels = bar->addMenu(QStringLiteral("Levels"));
  levels->addAction(QStringLiteral("New Set"));
  levels->addAction(QStringLiteral("Open Set"));
  levels->addAction(QStringLiteral("Save Set"));
  levels->addSeparator();
  levels->addAction(QStringLiteral("Copy"));
  levels->addSeparator();
  levels->addAction(QStringLiteral("Exit"));
  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  help->addAction(QStringLiteral("About"));
  window->setFixedSize(256, 495);
  window->show();
  stamps.windowsShown = startup_probe::Now();
  application.exec();
  return 1;  // the loop ended before the first paint
}
