#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/TestSeams.h"

int ShowMessageBox(const QString& Text, const QString& Caption, TMessageBoxStyle Style) {
  if (const auto& handler = MessageBoxHandler()) return handler(Text, Caption, Style);
  // Placed over the active window, modal for every window of the program; when it
  // closes, Qt makes the window that was active before it active again.
  QMessageBox box(Style == TMessageBoxStyle::Error ? QMessageBox::Critical : QMessageBox::NoIcon, Caption, Text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.setTextFormat(Qt::PlainText);
  return box.exec();
}
