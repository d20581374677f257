#pragma once
// Test fixture: the program's three windows, created by the program's own start-up
// (CreateProgramWindows), with the main window shown and waited for until active.
// Unit1's state is reset by the main window's creation.

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include "qt/forms/ProgramWindows.h"
#include "qt/forms/Unit1.h"
#include "qt/forms/Unit2.h"
#include "qt/forms/Unit3.h"
#include "qt/widgets/Button.h"
#include "qt/widgets/DrawGrid.h"
#include "qt/widgets/SpinEdit.h"

struct ProgramWindows {
  ProgramWindows() {
    CreateProgramWindows();
    QApplication::setActiveWindow(Form1);
    ok = QTest::qWaitForWindowActive(Form1);
  }
  ~ProgramWindows() { DestroyProgramWindows(); }
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;
  bool ok = false;
};

// The control of the window that holds the keyboard focus (a field's inner edit box
// counts as the field).
inline QString FocusedControl() {
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
    if (!w->objectName().isEmpty()) return w->objectName();
  }
  return QString();
}

inline void ClickCell(int col, int row, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(Form1->DrawGrid1, Qt::LeftButton, modifiers, Form1->DrawGrid1->CellRect(col, row).center());
}

// Replaces a field's text by typing, as a user would after selecting it all.
inline void TypeInto(TSpinEdit* field, const QString& text) {
  field->Editor()->setFocus(Qt::TabFocusReason);
  field->Editor()->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(field->Editor(), Qt::Key_Delete);
  } else {
    QTest::keyClicks(field->Editor(), text);
  }
}
