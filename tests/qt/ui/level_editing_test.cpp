// Editing a level in the real main window: palette, painting, number fields, Level field,
// Check Level, and a storm of random input.
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QWheelEvent>

#include "WindowsFixture.h"
#include "model/LevelCheck.h"
#include "qt/desktop/TestSeams.h"

using namespace Unit1;
using quarvel::LevelRecord;
using quarvel::ReadCell;

class LevelEditingTest : public QObject {
  Q_OBJECT

 private slots:
  void paletteSetsTheBrush_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("brush");
    const std::pair<const char*, int> rows[] = {{"BitBtn1", 0}, {"BitBtn2", 1}, {"BitBtn3", 2}, {"BitBtn4", 3},
                                                {"BitBtn5", 4}, {"BitBtn6", 5}, {"BitBtn7", 9}, {"BitBtn8", 8},
                                                {"BitBtn9", 7}, {"BitBtn10", 6}};
    for (const auto& [name, brush] : rows) QTest::newRow(name) << name << brush;
  }
  void paletteSetsTheBrush() {
    QFETCH(QString, button);
    QFETCH(int, brush);
    ProgramWindows windows;
    auto* pressed = Form1->findChild<QPushButton*>(button);
    QTest::mouseClick(pressed, Qt::LeftButton, {}, QPoint(16, 16));
    QCOMPARE(CurrentBrush, brush);
    QVERIFY(!pressed->isDown() && !pressed->isChecked());
    // Space and Enter press it too; Enter in a field presses nothing.
    CurrentBrush = -1;
    QTest::keyClick(pressed, Qt::Key_Space);
    QCOMPARE(CurrentBrush, brush);
    CurrentBrush = -1;
    QTest::keyClick(pressed, Qt::Key_Return);
    QTRY_COMPARE(CurrentBrush, brush);
    CurrentBrush = -1;
    QTest::keyClick(Form1->SpinEdit1->Editor(), Qt::Key_Return);
    QTest::qWait(50);
    QCOMPARE(CurrentBrush, -1);
  }

  // Clicks, a drag and keys paint the brush into the level shown, and the grid shows it.
  void paintingThroughTheWindow() {
    ProgramWindows windows;
    QTest::mouseClick(Form1->BitBtn2, Qt::LeftButton, {}, QPoint(16, 16));
    ClickCell(3, 4);
    QCOMPARE(ReadCell(LevelSet, 0, 3, 4), quarvel::RedBlock);
    QCOMPARE(FocusedControl(), QString("DrawGrid1"));
    // The picture is on screen: the red block's centre is not the window colour.
    const QImage image = Form1->DrawGrid1->grab().toImage();
    QVERIFY(image.pixelColor(Form1->DrawGrid1->CellRect(3, 4).center()) !=
            Form1->DrawGrid1->palette().color(QPalette::Base));

    // Drag across row 5 from column 2 to 6 and back over column 4.
    QTest::mouseClick(Form1->BitBtn4, Qt::LeftButton, {}, QPoint(16, 16));
    TDrawGrid* grid = Form1->DrawGrid1;
    QTest::mousePress(grid, Qt::LeftButton, {}, grid->CellRect(2, 5).center());
    for (int c : {3, 4, 5, 6, 4}) QTest::mouseMove(grid, grid->CellRect(c, 5).center());
    QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->CellRect(4, 5).center());
    for (int c = 2; c <= 6; ++c) QCOMPARE(ReadCell(LevelSet, 0, c, 5), quarvel::BlueBlock);
    QCOMPARE(ReadCell(LevelSet, 0, 7, 5), 0);

    // Keys: Right paints the next cell; Left at column 0 paints nothing.
    QTest::mouseClick(Form1->BitBtn3, Qt::LeftButton, {}, QPoint(16, 16));
    ClickCell(0, 9);
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_End);
    QCOMPARE(ReadCell(LevelSet, 0, 0, 9), quarvel::GreenBlock);
    QCOMPARE(ReadCell(LevelSet, 0, 1, 9), quarvel::GreenBlock);
    QCOMPARE(ReadCell(LevelSet, 0, 2, 9), 0);
    QCOMPARE(ReadCell(LevelSet, 0, 10, 9), quarvel::GreenBlock);
    QCOMPARE(grid->Col(), 10);
  }

  // Typing writes every prefix; the field keeps what was typed.
  void typingNumbers() {
    ProgramWindows windows;
    QList<int> written;
    TypeInto(Form1->SpinEdit1, "");
    for (QChar digit : QString("65535")) {
      QTest::keyClick(Form1->SpinEdit1->Editor(), digit.toLatin1());
      written << LevelSet[0].Rubies;
    }
    QCOMPARE(written, QList<int>({6, 65, 655, 6553, -1}));
    QCOMPARE(Form1->SpinEdit1->Text(), QString("65535"));

    TypeInto(Form1->SpinEdit5, "42");
    QCOMPARE(LevelSet[0].Time, 42);
    TypeInto(Form1->SpinEdit5, "");
    QCOMPARE(LevelSet[0].Time, 0);
    QCOMPARE(Form1->SpinEdit5->Text(), QString());

    const std::pair<TSpinEdit*, const std::int16_t*> fields[] = {{Form1->SpinEdit2, &LevelSet[0].Emeralds},
                                                                 {Form1->SpinEdit3, &LevelSet[0].Sapphires},
                                                                 {Form1->SpinEdit4, &LevelSet[0].Bombs}};
    for (const auto& [field, number] : fields) {
      TypeInto(field, "-7");
      QCOMPARE(*number, -7);
    }

    // Shown again, the level's Rubies reads -1.
    TypeInto(Form1->SpinEdit6, "2");
    TypeInto(Form1->SpinEdit6, "1");
    QCOMPARE(Form1->SpinEdit1->Text(), QString("-1"));
  }

  void changingLevels() {
    ProgramWindows windows;
    TypeInto(Form1->SpinEdit1, "3");
    TypeInto(Form1->SpinEdit5, "60");
    LevelSet[1].Bombs = 9;
    LevelSet[1].Time = -5;
    const auto level1 = LevelSet[0];
    const auto level2 = LevelSet[1];

    TypeInto(Form1->SpinEdit6, "2");
    QCOMPARE(CurrentLevel, 1);
    QCOMPARE(Form1->SpinEdit4->Text(), QString("9"));
    QCOMPARE(Form1->SpinEdit5->Text(), QString("-5"));
    QCOMPARE(Form1->SpinEdit1->Text(), QString("0"));
    TypeInto(Form1->SpinEdit6, "1");
    QCOMPARE(CurrentLevel, 0);
    QVERIFY(LevelSet[0] == level1);
    QVERIFY(LevelSet[1] == level2);

    // Typing 1 then 2 shows level 1, then 12; an empty field shows level 1.
    TypeInto(Form1->SpinEdit6, "12");
    QCOMPARE(CurrentLevel, 11);
    TypeInto(Form1->SpinEdit6, "");
    QCOMPARE(CurrentLevel, 0);
  }

  void levelFieldAtItsBounds() {
    ProgramWindows windows;
    TypeInto(Form1->SpinEdit6, "256");
    QCOMPARE(CurrentLevel, 255);
    // A handler run would load level 256's Rubies into the Rubies field.
    LevelSet[255].Rubies = 5;
    QTest::keyClick(Form1->SpinEdit6->Editor(), Qt::Key_Up);
    QCOMPARE(Form1->SpinEdit6->Text(), QString("256"));
    QCOMPARE(Form1->SpinEdit1->Text(), QString("0"));
    TypeInto(Form1->SpinEdit6, "1");
    QTest::keyClick(Form1->SpinEdit6->Editor(), Qt::Key_Down);
    QCOMPARE(Form1->SpinEdit6->Text(), QString("1"));
    QCOMPARE(CurrentLevel, 0);

    TypeInto(Form1->SpinEdit6, "256");
    TypeInto(Form1->SpinEdit6, "0");
    QCOMPARE(CurrentLevel, 255);  // the last level in range stays shown
    QTest::keyClick(Form1->SpinEdit6->Editor(), Qt::Key_Tab);
    QCOMPARE(Form1->SpinEdit6->Text(), QString("1"));
    QCOMPARE(CurrentLevel, 0);
  }

  // 300 typed, then a click on a cell: the field is left first (256, level 256 shown),
  // and only then the cell is painted, in level 256.
  void outOfRangeLevelThenClick() {
    ProgramWindows windows;
    QTest::mouseClick(Form1->BitBtn5, Qt::LeftButton, {}, QPoint(16, 16));
    TypeInto(Form1->SpinEdit6, "300");
    QCOMPARE(CurrentLevel, 29);
    ClickCell(4, 4);
    QCOMPARE(Form1->SpinEdit6->Text(), QString("256"));
    QCOMPARE(CurrentLevel, 255);
    QCOMPARE(ReadCell(LevelSet, 255, 4, 4), quarvel::YellowBlock);
    QCOMPARE(ReadCell(LevelSet, 29, 4, 4), 0);
  }

  // 999 typed, then the menu bar takes the keyboard (Alt, or a menu closed with Escape) and
  // gives it back: the field is still being edited. A click on a cell then leaves it first,
  // so the cell is painted in the level the field shows, never in level 99.
  void leavingTheLevelFieldThroughTheMenuBar_data() {
    QTest::addColumn<bool>("escapeBack");
    QTest::newRow("Alt, then a click") << false;
    QTest::newRow("Alt, Escape, then a click") << true;
  }
  void leavingTheLevelFieldThroughTheMenuBar() {
    QFETCH(bool, escapeBack);
    ProgramWindows windows;
    QTest::mouseClick(Form1->BitBtn2, Qt::LeftButton, {}, QPoint(16, 16));
    TypeInto(Form1->SpinEdit6, "999");
    QCOMPARE(CurrentLevel, 98);
    Form1->MainMenu1->setFocus(Qt::MenuBarFocusReason);
    if (escapeBack) Form1->SpinEdit6->Editor()->setFocus(Qt::MenuBarFocusReason);
    QCOMPARE(Form1->SpinEdit6->Text(), QString("999"));
    ClickCell(2, 3);
    QCOMPARE(Form1->SpinEdit6->Text(), QString("256"));
    QCOMPARE(CurrentLevel, 255);
    QCOMPARE(ReadCell(LevelSet, 255, 2, 3), quarvel::RedBlock);
    QCOMPARE(ReadCell(LevelSet, 98, 2, 3), 0);
  }

  // While the menu bar holds the keyboard the grid stays the window's active control and
  // keeps its focused look; another control taking the focus ends that.
  void gridKeepsItsLookWhileTheMenuBarHoldsTheKeyboard() {
    ProgramWindows windows;
    TDrawGrid* grid = Form1->DrawGrid1;
    const QPoint centre = grid->CellRect(0, 0).center();
    const QColor highlight = grid->palette().color(QPalette::Highlight);
    QVERIFY(grid->hasFocus());
    const QImage focused = grid->grab().toImage();
    QVERIFY(focused.pixelColor(centre) != highlight);

    Form1->MainMenu1->setFocus(Qt::MenuBarFocusReason);
    QVERIFY(!grid->hasFocus());
    QVERIFY(grid->IsActiveControl());
    QCOMPARE(grid->grab().toImage(), focused);

    Form1->SpinEdit1->Editor()->setFocus(Qt::TabFocusReason);
    QVERIFY(!grid->IsActiveControl());
    QCOMPARE(grid->grab().toImage().pixelColor(centre), highlight);
  }

  // The wheel goes to the focused grid wherever the pointer is over the window; with a
  // field focused it steps nothing, not even over the grid.
  void wheelAnywhereOverTheWindow() {
    ProgramWindows windows;
    QTest::mouseClick(Form1->BitBtn3, Qt::LeftButton, {}, QPoint(16, 16));
    ClickCell(5, 2);
    auto turn = [](QWidget* over, int delta) {
      const QPointF at = over->rect().center();
      QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(over, &wheel);
    };
    QWidget* elsewhere[] = {Form1->BitBtn7, Form1->SpinEdit1->Editor(), Form1->Label6, Form1->Button1,
                            Form1->MainMenu1};
    for (QWidget* over : elsewhere) turn(over, -120);
    QCOMPARE(Form1->DrawGrid1->Row(), 7);
    for (int row = 3; row <= 7; ++row) QCOMPARE(ReadCell(LevelSet, 0, 5, row), quarvel::GreenBlock);
    QCOMPARE(Form1->SpinEdit1->Text(), QString("0"));

    Form1->SpinEdit1->Editor()->setFocus(Qt::TabFocusReason);
    for (QWidget* over : {static_cast<QWidget*>(Form1->DrawGrid1), static_cast<QWidget*>(Form1->BitBtn7)})
      turn(over, 120);
    QCOMPARE(Form1->DrawGrid1->Row(), 7);
    QCOMPARE(Form1->SpinEdit1->Text(), QString("0"));
  }

  // Enter on the keypad presses a focused button like Enter.
  void keypadEnterPressesFocusedButtons() {
    ProgramWindows windows;
    QStringList boxes;
    SetMessageBoxHandler([&](const QString& text, const QString&, TMessageBoxStyle) {
      boxes << text;
      return 0;
    });
    Form1->BitBtn4->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Form1->BitBtn4, Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_COMPARE(CurrentBrush, int(quarvel::BlueBlock));
    Form1->Button1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Form1->Button1, Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_COMPARE(boxes, QStringList{"This level can not be played!"});
    SetMessageBoxHandler({});

    // In the dialogs: Cancel of Levels Copy, Close of the About box.
    QTimer::singleShot(0, [] {
      Form2->Button2->setFocus(Qt::TabFocusReason);
      QTest::keyClick(Form2->Button2, Qt::Key_Enter, Qt::KeypadModifier);
    });
    QCOMPARE(Form2->exec(), int(QDialog::Rejected));
    QTimer::singleShot(0, [] { QTest::keyClick(Form3->Button1, Qt::Key_Enter, Qt::KeypadModifier); });
    QTimer::singleShot(2000, [] { Form3->reject(); });  // a fault must not hang the test
    QElapsedTimer shown;
    shown.start();
    Form3->exec();
    QVERIFY(shown.elapsed() < 1500);
  }

  void checkLevel() {
    ProgramWindows windows;
    QStringList boxes;
    SetMessageBoxHandler([&](const QString& text, const QString& caption, TMessageBoxStyle style) {
      boxes << text + "|" + caption + "|" + (style == TMessageBoxStyle::Plain ? "plain" : "error");
      return 0;
    });
    QTest::mouseClick(Form1->Button1, Qt::LeftButton);
    TypeInto(Form1->SpinEdit5, "10");
    QTest::mouseClick(Form1->Button1, Qt::LeftButton);
    SetMessageBoxHandler({});
    QCOMPARE(boxes, QStringList({"This level can not be played!|Error!|plain",
                                 "This level is good to go!|Confirmation!|plain"}));
  }

  // Thousands of random clicks, drags, keys, wheel turns and typed text: the program stays
  // alive and consistent.
  void randomInput() {
    ProgramWindows windows;
    int boxes = 0;
    SetMessageBoxHandler([&](const QString&, const QString&, TMessageBoxStyle) { return ++boxes; });
    QRandomGenerator random(20261210);
    QWidget* targets[] = {Form1->DrawGrid1,
                          Form1->SpinEdit1->Editor(),
                          Form1->SpinEdit5->Editor(),
                          Form1->SpinEdit6->Editor(),
                          Form1->BitBtn3,
                          Form1->BitBtn7,
                          Form1->Button1,
                          Form1->DrawGrid1};
    const Qt::Key keys[] = {Qt::Key_Up,     Qt::Key_Down,      Qt::Key_Left,     Qt::Key_Right, Qt::Key_Home,
                            Qt::Key_End,    Qt::Key_PageUp,    Qt::Key_PageDown, Qt::Key_Tab,   Qt::Key_Backtab,
                            Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete,   Qt::Key_Space, Qt::Key_F2};
    const char* texts[] = {"0", "9", "-", "+", "x", "$F", "300", "-1", "65536", "2147483648", " ", "a"};
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3000 && clock.elapsed() < 60000; ++i) {
      QWidget* target = targets[random.bounded(int(std::size(targets)))];
      const QPoint point(random.bounded(-20, target->width() + 20), random.bounded(-20, target->height() + 20));
      const Qt::KeyboardModifiers modifiers = random.bounded(4) == 0 ? Qt::ControlModifier : Qt::NoModifier;
      switch (random.bounded(6)) {
        case 0:
          QTest::mouseClick(target, Qt::LeftButton, modifiers, point);
          break;
        case 1:
          QTest::mousePress(target, Qt::LeftButton, {}, point);
          QTest::mouseMove(target, QPoint(random.bounded(-30, 270), random.bounded(-30, 300)));
          QTest::mouseRelease(target, Qt::LeftButton, {}, point);
          break;
        case 2:
          QTest::keyClick(target, keys[random.bounded(int(std::size(keys)))], modifiers);
          break;
        case 3:
          QTest::keyClicks(target, texts[random.bounded(int(std::size(texts)))]);
          break;
        case 4: {
          QWheelEvent wheel(point, target->mapToGlobal(point), {}, QPoint(0, random.bounded(-240, 241)), Qt::NoButton,
                            {}, Qt::NoScrollPhase, false);
          QApplication::sendEvent(target, &wheel);
          break;
        }
        default:
          QTest::mouseDClick(target, Qt::LeftButton, {}, point);
          break;
      }
      QVERIFY(CurrentLevel >= 0 && CurrentLevel <= 255);
    }
    SetMessageBoxHandler({});
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton, {}, QPoint(16, 16));  // leave any field
    // A number left in the field was clamped; text that reads as no number reads as 1.
    QCOMPARE(Form1->SpinEdit6->Value(), CurrentLevel + 1);
    QVERIFY(Form1->isVisible());
  }
};

QTEST_MAIN(LevelEditingTest)
#include "level_editing_test.moc"
