#include "qt/desktop/MessageBox.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "qt/desktop/FormFont.h"
#include "qt/desktop/OwnerWindow.h"
#include "qt/desktop/TestSeams.h"

int MessageBoxCaptionWidth(const QString& Caption) {
  // The desktop draws the caption in its title font, bold on most; the bar also holds the
  // window's icon and up to three buttons, each about as wide as the bar is high.
  QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  titleFont.setBold(true);
  const QFontMetrics title(titleFont);
  const int barHeight = title.height() + 8;
  return title.horizontalAdvance(Caption) + 4 * barHeight + 2 * title.averageCharWidth();
}

int ShowMessageBox(const QString& Text, const QString& Caption, TMessageBoxStyle Style) {
  if (const auto& handler = MessageBoxHandler()) return handler(Text, Caption, Style);
  // Centred over its owner, modal for every window of the program; when it closes, Qt
  // makes the window that was active before it active again.
  QMessageBox box(Style == TMessageBoxStyle::Error ? QMessageBox::Critical : QMessageBox::NoIcon, Caption, Text,
                  QMessageBox::Ok, OwnerWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.setTextFormat(Qt::PlainText);
  box.setFont(FormFont());
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    // Without an icon Qt still sets the text in by a spacer in the icon's column; a box
    // without one keeps no room for it, and its text stands evenly between its edges.
    if (Style != TMessageBoxStyle::Error) {
      for (int i = grid->count() - 1; i >= 0; --i) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        if (column == 0 && columnSpan == 1 && grid->itemAt(i)->spacerItem()) delete grid->takeAt(i);
      }
      grid->setHorizontalSpacing(0);  // the buttons have a row of their own
    }
    // Wide enough for its caption as well as its text: the box sizes itself to its layout's
    // minimum width, and this row below everything holds that width open.
    grid->addItem(new QSpacerItem(MessageBoxCaptionWidth(Caption), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  return box.exec();
}
