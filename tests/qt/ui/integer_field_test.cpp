// The integer field driven as a user would: keys, clicks and the wheel on the real widget
// inside a shown, active window that has another focusable control.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include <climits>
#include <memory>

#include "qt/desktop/TestSeams.h"
#include "qt/widgets/SpinEdit.h"

namespace {

// Counts the wheel events that reach a widget.
class WheelSpy : public QObject {
 public:
  int wheels = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Wheel) ++wheels;
    return false;
  }
};

}  // namespace

class IntegerFieldTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> window;
  QLineEdit* other = nullptr;  // another control of the window
  TSpinEdit* plain = nullptr;  // no range
  TSpinEdit* level = nullptr;  // range 1 to 256
  QLocale startLocale;
  int beeps = 0;
  int changes = 0;
  QStringList seen;  // the text at each run of a change handler
  TSpinEdit* lastSender = nullptr;

  TSpinEdit* FieldFor(bool ranged) { return ranged ? level : plain; }

  // The text is placed, then the count of handler runs starts from zero.
  void Prepare(TSpinEdit* field, const QString& text) {
    field->SetText(text);
    changes = 0;
    beeps = 0;
    seen.clear();
  }

  // Focus the field with the caret after its text.
  void FocusAtEnd(TSpinEdit* field) {
    field->Editor()->setFocus(Qt::OtherFocusReason);
    QVERIFY(field->Editor()->hasFocus());
    field->Editor()->end(false);
  }

 private slots:
  void initTestCase() {
    startLocale = QLocale();
    SetBeepHandler([this] { ++beeps; });
  }
  void cleanupTestCase() { SetBeepHandler({}); }

  void init() {
    window = std::make_unique<QWidget>();
    window->resize(300, 120);
    other = new QLineEdit(window.get());
    other->setGeometry(8, 8, 100, 22);
    plain = new TSpinEdit(window.get());
    plain->setGeometry(8, 40, 65, 22);
    level = new TSpinEdit(window.get());
    level->setGeometry(80, 40, 65, 22);
    level->SetRange(1, 256);
    level->SetText("1");
    QWidget::setTabOrder(other, plain);
    QWidget::setTabOrder(plain, level);
    for (TSpinEdit* field : {plain, level})
      field->SetOnChange([this](TSpinEdit* sender) {
        ++changes;
        seen << sender->Text();
        lastSender = sender;
      });
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    other->setFocus(Qt::OtherFocusReason);
    changes = 0;
    beeps = 0;
    seen.clear();
    lastSender = nullptr;
  }
  void cleanup() {
    window.reset();
    QLocale::setDefault(startLocale);
  }

  void readRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<int>("value");
    QTest::newRow("leading blanks") << "  12" << true << 12;
    QTest::newRow("plus sign") << "+5" << true << 5;
    QTest::newRow("minus zero") << "-0" << true << 0;
    QTest::newRow("leading zeros") << "0012" << true << 12;
    QTest::newRow("largest") << "2147483647" << true << INT_MAX;
    QTest::newRow("one past largest") << "2147483648" << false << 0;
    QTest::newRow("smallest") << "-2147483648" << true << INT_MIN;
    QTest::newRow("one below smallest") << "-2147483649" << false << 0;
    QTest::newRow("far too long") << "99999999999999999999" << false << 0;
    QTest::newRow("dollar hex") << "$FF" << true << 255;
    QTest::newRow("x hex lower digits") << "x1f" << true << 31;
    QTest::newRow("0X hex") << "0X10" << true << 16;
    QTest::newRow("0x hex") << "0x7fffffff" << true << INT_MAX;
    QTest::newRow("all ones is -1") << "$FFFFFFFF" << true << -1;
    QTest::newRow("top bit is smallest") << "$80000000" << true << INT_MIN;
    QTest::newRow("33 bits") << "$100000000" << false << 0;
    QTest::newRow("hex leading zeros") << "$000000001" << true << 1;
    QTest::newRow("blanks then hex") << " $10" << true << 16;
    QTest::newRow("signed hex") << "-$1" << false << 0;
    QTest::newRow("plus hex") << "+x1" << false << 0;
    QTest::newRow("lone dollar") << "$" << false << 0;
    QTest::newRow("lone 0x") << "0x" << false << 0;
    QTest::newRow("bad hex digit") << "$1G" << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("blank inside") << "1 2" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("exponent") << "1e3" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("only blanks") << "   " << false << 0;
    QTest::newRow("lone minus") << "-" << false << 0;
    QTest::newRow("lone plus") << "+" << false << 0;
    QTest::newRow("double sign") << "--1" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("tab is no blank") << "\t5" << false << 0;
    QTest::newRow("other script digit") << QString::fromUtf8("\xd9\xa3") << false << 0;
  }
  void readRule() {
    QFETCH(QString, text);
    QFETCH(bool, reads);
    QFETCH(int, value);
    std::int32_t read = 12345;
    QCOMPARE(TSpinEdit::ReadInteger(text, read), reads);
    if (reads) QCOMPARE(read, value);

    // The field's value is the read number, unclamped, or its minimum.
    level->SetRange(-7, 9);
    level->SetText(text);
    QCOMPARE(level->Value(), reads ? value : -7);
    plain->SetText(text);
    QCOMPARE(plain->Value(), reads ? value : 0);
  }

  void typing_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("beeped");
    // Typed in a German locale, whose decimal separator is the comma.
    QTest::newRow("digit") << "12" << int(Qt::Key_3) << "3"
                           << "123" << 1 << 0;
    QTest::newRow("plus") << "" << int(Qt::Key_Plus) << "+"
                          << "+" << 1 << 0;
    QTest::newRow("minus") << "7" << int(Qt::Key_Minus) << "-"
                           << "7-" << 1 << 0;
    QTest::newRow("locale separator") << "1" << int(Qt::Key_Comma) << ","
                                      << "1," << 1 << 0;
    QTest::newRow("other separator") << "1" << int(Qt::Key_Period) << "."
                                     << "1" << 0 << 1;
    QTest::newRow("letter") << "12" << int(Qt::Key_A) << "a"
                            << "12" << 0 << 1;
    QTest::newRow("dollar") << "12" << int(Qt::Key_Dollar) << "$"
                            << "12" << 0 << 1;
    QTest::newRow("space") << "12" << int(Qt::Key_Space) << " "
                           << "12" << 0 << 1;
    QTest::newRow("enter") << "12" << int(Qt::Key_Return) << "\r"
                           << "12" << 0 << 1;
    QTest::newRow("keypad enter") << "12" << int(Qt::Key_Enter) << "\r"
                                  << "12" << 0 << 1;
    QTest::newRow("backspace") << "12" << int(Qt::Key_Backspace) << "\b"
                               << "1" << 1 << 0;
    QTest::newRow("backspace on empty") << "" << int(Qt::Key_Backspace) << "\b"
                                        << "" << 0 << 0;
    QTest::newRow("left arrow") << "12" << int(Qt::Key_Left) << ""
                                << "12" << 0 << 0;
  }
  void typing() {
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QString, keyText);
    QFETCH(QString, after);
    QFETCH(int, runs);
    QFETCH(int, beeped);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    Prepare(plain, start);
    FocusAtEnd(plain);
    QTest::sendKeyEvent(QTest::Click, plain->Editor(), Qt::Key(key), keyText, Qt::NoModifier);
    QCOMPARE(plain->Text(), after);
    QCOMPARE(changes, runs);
    QCOMPARE(beeps, beeped);
  }

  void handlerRunsAtEveryKeystroke() {
    Prepare(plain, "0");
    QTest::keyClick(other, Qt::Key_Tab);  // into the field, text selected
    QVERIFY(plain->Editor()->hasFocus());
    QTest::keyClicks(plain->Editor(), "65535");
    QCOMPARE(seen, QStringList({"6", "65", "655", "6553", "65535"}));
    QCOMPARE(lastSender, plain);
    QTest::keyClick(plain->Editor(), Qt::Key_Backspace);
    QCOMPARE(seen.last(), QString("6553"));
    QCOMPARE(beeps, 0);
  }

  void clipboardAndUndo() {
    Prepare(plain, "12");
    FocusAtEnd(plain);
    QLineEdit* edit = plain->Editor();

    // A paste brings any text, without a beep.
    QApplication::clipboard()->setText("ab 7");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(plain->Text(), QString("12ab 7"));
    QCOMPARE(changes, 1);
    QCOMPARE(plain->Value(), 0);

    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(plain->Text(), QString("12"));
    QCOMPARE(changes, 2);

    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(changes, 2);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(plain->Text(), QString());
    QCOMPARE(QApplication::clipboard()->text(), QString("12"));
    QCOMPARE(changes, 3);
    QCOMPARE(beeps, 0);
  }

  void stepping_data() {
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("runs");
    QTest::newRow("up") << false << "0" << true << "1" << 1;
    QTest::newRow("down below zero") << false << "0" << false << "-1" << 1;
    QTest::newRow("up wraps around") << false << "2147483647" << true << "-2147483648" << 1;
    QTest::newRow("down wraps around") << false << "-2147483648" << false << "2147483647" << 1;
    QTest::newRow("unreadable steps from the minimum") << false << "abc" << true << "1" << 1;
    QTest::newRow("hex text steps") << false << "$FF" << false << "254" << 1;
    QTest::newRow("ranged up") << true << "255" << true << "256" << 1;
    QTest::newRow("ranged at top") << true << "256" << true << "256" << 0;
    QTest::newRow("ranged at bottom") << true << "1" << false << "1" << 0;
    QTest::newRow("ranged above top clamps") << true << "300" << true << "256" << 1;
    QTest::newRow("ranged unreadable") << true << "abc" << false << "1" << 1;
  }
  void stepping() {
    QFETCH(bool, ranged);
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, after);
    QFETCH(int, runs);
    TSpinEdit* field = FieldFor(ranged);

    // The arrow key.
    Prepare(field, start);
    FocusAtEnd(field);
    QTest::keyClick(field->Editor(), up ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(field->Text(), after);
    QCOMPARE(changes, runs);

    // The same by a click on the small button, which also brings the focus.
    other->setFocus(Qt::OtherFocusReason);
    Prepare(field, start);
    QTest::mouseClick(up ? field->UpButton() : field->DownButton(), Qt::LeftButton);
    QCOMPARE(field->Text(), after);
    QCOMPARE(changes, runs);
    QVERIFY(field->Editor()->hasFocus());
    QCOMPARE(beeps, 0);
  }

  void setValue_data() {
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("runs");
    QTest::newRow("same text") << false << "5" << 5 << "5" << 0;
    QTest::newRow("same value other text") << false << "05" << 5 << "5" << 1;
    QTest::newRow("negative") << false << "0" << -40000 << "-40000" << 1;
    QTest::newRow("no range no clamp") << false << "0" << 300 << "300" << 1;
    QTest::newRow("clamped to top") << true << "3" << 1000 << "256" << 1;
    QTest::newRow("clamped to bottom") << true << "3" << 0 << "1" << 1;
    QTest::newRow("clamped to shown text") << true << "256" << 1000 << "256" << 0;
  }
  void setValue() {
    QFETCH(bool, ranged);
    QFETCH(QString, start);
    QFETCH(int, value);
    QFETCH(QString, after);
    QFETCH(int, runs);
    TSpinEdit* field = FieldFor(ranged);
    Prepare(field, start);
    field->SetValue(value);
    // The handler has run, and seen the new text, before SetValue returned.
    QCOMPARE(changes, runs);
    QCOMPARE(field->Text(), after);
    if (runs) QCOMPARE(seen, QStringList{after});
  }

  void leaving_data() {
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byClick");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("runs");
    QTest::newRow("above range by Tab") << true << "300" << false << "256" << 1;
    QTest::newRow("above range by click") << true << "300" << true << "256" << 1;
    QTest::newRow("below range") << true << "0" << false << "1" << 1;
    QTest::newRow("negative") << true << "-5" << true << "1" << 1;
    QTest::newRow("hex above range") << true << "$1000" << false << "256" << 1;
    QTest::newRow("in range stays as typed") << true << "0200" << false << "0200" << 0;
    QTest::newRow("unreadable stays") << true << "abc" << false << "abc" << 0;
    QTest::newRow("no range") << false << "99999" << false << "99999" << 0;
  }
  void leaving() {
    QFETCH(bool, ranged);
    QFETCH(QString, typed);
    QFETCH(bool, byClick);
    QFETCH(QString, after);
    QFETCH(int, runs);
    TSpinEdit* field = FieldFor(ranged);
    Prepare(field, typed);
    FocusAtEnd(field);
    if (byClick) {
      QTest::mouseClick(other, Qt::LeftButton);
    } else {
      QWidget::setTabOrder(field, other);
      QTest::keyClick(field->Editor(), Qt::Key_Tab);
    }
    QVERIFY(other->hasFocus());
    QCOMPARE(field->Text(), after);
    QCOMPARE(changes, runs);
  }

  // The menu bar taking the keyboard (Alt, or a menu closed with Escape) is no leaving, nor
  // is coming back from it; the next control of the window that gets the focus is.
  void leavingThroughTheMenuBar() {
    auto* menuBar = new QMenuBar(window.get());
    menuBar->addMenu("Levels")->addAction("New Set");
    menuBar->setGeometry(150, 8, 100, 22);
    menuBar->show();
    Prepare(level, "300");
    FocusAtEnd(level);
    menuBar->setFocus(Qt::MenuBarFocusReason);
    QVERIFY(menuBar->hasFocus());
    QCOMPARE(level->Text(), QString("300"));
    level->Editor()->setFocus(Qt::MenuBarFocusReason);
    QCOMPARE(level->Text(), QString("300"));
    QCOMPARE(changes, 0);

    // Through the menu bar straight to another control: that is leaving.
    menuBar->setFocus(Qt::MenuBarFocusReason);
    QTest::mouseClick(other, Qt::LeftButton);
    QVERIFY(other->hasFocus());
    QCOMPARE(level->Text(), QString("256"));
    QCOMPARE(changes, 1);
  }

  void switchingWindowsIsNoLeaving() {
    Prepare(level, "300");
    FocusAtEnd(level);
    QWidget second;
    auto* secondEdit = new QLineEdit(&second);
    second.show();
    QApplication::setActiveWindow(&second);
    QVERIFY(QTest::qWaitForWindowActive(&second));
    secondEdit->setFocus();
    QCOMPARE(level->Text(), QString("300"));
    QCOMPARE(changes, 0);

    // Back in the field's window, the focus returns to the field; leaving it now clamps.
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QVERIFY(level->Editor()->hasFocus());
    QCOMPARE(level->Text(), QString("300"));
    QTest::mouseClick(other, Qt::LeftButton);
    QCOMPARE(level->Text(), QString("256"));
    QCOMPARE(changes, 1);
  }

  void focusSelectsAllUnlessClickedIntoText() {
    Prepare(plain, "123");
    Prepare(level, "45");
    QLineEdit* a = plain->Editor();
    QLineEdit* b = level->Editor();

    // Tab and Shift+Tab move through the fields as single controls in the order the
    // window gives them (here against the order of creation), selecting all.
    QWidget::setTabOrder(other, level);
    QWidget::setTabOrder(level, plain);
    QTest::keyClick(other, Qt::Key_Tab);
    QVERIFY(b->hasFocus());
    QCOMPARE(b->selectedText(), QString("45"));
    QTest::keyClick(b, Qt::Key_Tab);
    QVERIFY(a->hasFocus());
    QCOMPARE(a->selectedText(), QString("123"));
    QTest::keyClick(a, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(b->hasFocus());
    QCOMPARE(b->selectedText(), QString("45"));
    QTest::keyClick(b, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(other->hasFocus());

    // Focus set by the program.
    b->deselect();
    level->setFocus();
    QVERIFY(b->hasFocus());
    QCOMPARE(b->selectedText(), QString("45"));

    // A click into the text places the caret.
    QTest::mouseClick(a, Qt::LeftButton, Qt::NoModifier, QPoint(2, a->height() / 2));
    QVERIFY(a->hasFocus());
    QVERIFY(!a->hasSelectedText());
    QCOMPARE(a->cursorPosition(), 0);

    // Pressing a button brings the focus with the text selected; at the top of the
    // range the click changes nothing, so the selection stays.
    Prepare(level, "256");
    QTest::mouseClick(level->UpButton(), Qt::LeftButton);
    QVERIFY(b->hasFocus());
    QCOMPARE(b->selectedText(), QString("256"));
    QCOMPARE(changes, 0);

    QCOMPARE(plain->UpButton()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(plain->DownButton()->focusPolicy(), Qt::NoFocus);
  }

  void heldButtonRepeats() {
    Prepare(plain, "10");
    QAbstractButton* up = plain->UpButton();
    QTimer* repeat = plain->RepeatTimer();
    const QPoint inside = up->rect().center();

    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, inside);
    QVERIFY(plain->Editor()->hasFocus());
    QVERIFY(repeat->isActive());
    QCOMPARE(repeat->interval(), TSpinEdit::kRepeatDelayMs);
    QCOMPARE(plain->Text(), QString("10"));  // nothing yet at the press

    QMetaObject::invokeMethod(repeat, "timeout");
    QCOMPARE(plain->Text(), QString("11"));
    QCOMPARE(repeat->interval(), TSpinEdit::kRepeatIntervalMs);
    QMetaObject::invokeMethod(repeat, "timeout");
    QMetaObject::invokeMethod(repeat, "timeout");
    QCOMPARE(plain->Text(), QString("13"));

    // Released over the button: one more step, and the repeat ends.
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, inside);
    QCOMPARE(plain->Text(), QString("14"));
    QVERIFY(!repeat->isActive());
    QCOMPARE(changes, 4);

    // Held with the pointer moved off the button: no steps, none at the release either.
    QAbstractButton* down = plain->DownButton();
    QTest::mousePress(down, Qt::LeftButton, Qt::NoModifier, down->rect().center());
    QMouseEvent away(QEvent::MouseMove, QPointF(-30, -30), down->mapToGlobal(QPointF(-30, -30)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(down, &away);
    QVERIFY(!down->isDown());
    QMetaObject::invokeMethod(repeat, "timeout");
    QTest::mouseRelease(down, Qt::LeftButton, Qt::NoModifier, QPoint(-30, -30));
    QCOMPARE(plain->Text(), QString("14"));
    QVERIFY(!repeat->isActive());
    QCOMPARE(changes, 4);
  }

  void wheelChangesNothing() {
    WheelSpy spy;
    window->installEventFilter(&spy);
    for (TSpinEdit* field : {plain, level}) {
      Prepare(field, "100");
      FocusAtEnd(field);
      for (QWidget* target : {static_cast<QWidget*>(field->Editor()), static_cast<QWidget*>(field->UpButton())}) {
        for (int delta : {120, -120, 360}) {
          const QPointF at = target->rect().center();
          QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                            Qt::NoScrollPhase, false);
          QApplication::sendEvent(target, &wheel);
        }
      }
      QCOMPARE(field->Text(), QString("100"));
      QCOMPARE(changes, 0);
    }
    QCOMPARE(spy.wheels, 0);
  }
};

QTEST_MAIN(IntegerFieldTest)
#include "integer_field_test.moc"
