// The main window's menu bar in the program's look: F10 hands it the keyboard as Alt does.
#include <QKeyEvent>

#include "WindowsFixture.h"
#include "qt/desktop/ActiveControl.h"
#include "qt/desktop/ProgramLook.h"

class MenuBarTest : public QObject {
  Q_OBJECT

  // Alt pressed and released on `widget`, as the keyboard delivers it.
  static void PressAndReleaseAlt(QWidget* widget) {
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(widget, &override);
    QTest::keyPress(widget, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(widget, Qt::Key_Alt);
  }

 private slots:
  void initTestCase() { ApplyProgramLook(); }

  // F10: the first menu highlighted and none opened, the control that had the focus still
  // the window's active one (a field keeps its text); F10 again gives the keyboard back;
  // Down opens the highlighted menu. The same after Alt has been used once.
  void f10GivesTheMenuBarTheKeyboard_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("altFirst");
    QTest::newRow("grid") << "DrawGrid1" << false;
    QTest::newRow("Level field") << "SpinEdit6" << false;
    QTest::newRow("grid, after Alt") << "DrawGrid1" << true;
  }
  void f10GivesTheMenuBarTheKeyboard() {
    QFETCH(QString, control);
    QFETCH(bool, altFirst);
    ProgramWindows windows;
    QVERIFY(windows.ok);
    QWidget* active = Form1->findChild<QWidget*>(control);
    if (auto* field = qobject_cast<TSpinEdit*>(active)) TypeInto(field, "7");
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus && focus->window() == Form1);
    if (altFirst) {
      PressAndReleaseAlt(focus);
      QVERIFY(Form1->MainMenu1->hasFocus());
      PressAndReleaseAlt(Form1->MainMenu1);
      QCOMPARE(QApplication::focusWidget(), focus);
    }

    QTest::keyClick(focus, Qt::Key_F10);
    QVERIFY(Form1->MainMenu1->hasFocus());
    QCOMPARE(Form1->MainMenu1->activeAction(), Form1->File1->menuAction());
    QVERIFY(!QApplication::activePopupWidget());
    QCOMPARE(ActiveControl(Form1), focus);

    QTest::keyClick(Form1->MainMenu1, Qt::Key_F10);
    QCOMPARE(QApplication::focusWidget(), focus);
    QVERIFY(!Form1->MainMenu1->activeAction());
    if (auto* field = qobject_cast<TSpinEdit*>(active)) QCOMPARE(field->Text(), QString("7"));

    QTest::keyClick(focus, Qt::Key_F10);
    QTest::keyClick(Form1->MainMenu1, Qt::Key_Down);
    QCOMPARE(QApplication::activePopupWidget(), Form1->File1);
    QTest::keyClick(Form1->File1, Qt::Key_Escape);
    QTest::keyClick(Form1->MainMenu1, Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), focus);
  }
};

QTEST_MAIN(MenuBarTest)
#include "menu_bar_test.moc"
