// The Levels Copy dialog: its layout, and shown for real, its keys, focus and values.
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "WindowsFixture.h"
#include "qt/desktop/TestSeams.h"
#include "qt/forms/WindowLayout.h"

class LevelsCopyDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void levelsCopyDialog() {
    ProgramWindows windows;
    QCOMPARE(Form2->windowTitle(), QString("Levels Copy"));
    QCOMPARE(Form2->size(), QSize(198, 202));
    QVERIFY(!(Form2->windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)));
    // The places come from the layout's table; labels size to their text.
    const QHash<QString, QString> captions = {
        {"SpinEdit1", "1"},    {"SpinEdit2", "1"},       {"SpinEdit3", "1"},     {"Button1", "OK"},
        {"Button2", "Cancel"}, {"Label1", "Start from"}, {"Label2", "Quantity"}, {"Label3", "Insert after"}};
    for (const auto& place : WindowLayout::kLevelsCopy) {
      auto* w = Form2->findChild<QWidget*>(place.Name);
      QVERIFY(w);
      const QString caption = captions.value(place.Name);
      if (auto* label = qobject_cast<QLabel*>(w)) {
        QCOMPARE(label->pos(), QPoint(place.Left, place.Top));
        QCOMPARE(label->text(), caption);
        continue;
      }
      QCOMPARE(w->geometry(), QRect(place.Left, place.Top, place.Width, place.Height));
      if (auto* f = qobject_cast<TSpinEdit*>(w)) {
        QCOMPARE(f->Text(), caption);
        QCOMPARE(f->MinValue(), 1);
        QCOMPARE(f->MaxValue(), 256);
      } else {
        QCOMPARE(qobject_cast<QPushButton*>(w)->text(), caption);
        QVERIFY(!qobject_cast<QPushButton*>(w)->autoDefault());
      }
    }

    // Shown for real: focus in Start from; Enter beeps and Escape does not close; a value
    // of 300 becomes 256 when the focus moves to OK; OK accepts.
    int beeps = 0;
    SetBeepHandler([&] { ++beeps; });
    QString focusedFirst;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
      QVERIFY(QTest::qWaitForWindowActive(Form2));
      focusedFirst = FocusedControl();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      stillOpen = Form2->isVisible();
      TypeInto(Form2->SpinEdit3, "300");
      QTest::keyClick(Form2->SpinEdit3->Editor(), Qt::Key_Tab);
      QTest::keyClick(Form2->Button1, Qt::Key_Space);
    });
    const int result = Form2->exec();
    SetBeepHandler({});
    QCOMPARE(focusedFirst, QString("SpinEdit1"));
    QVERIFY(stillOpen);
    QVERIFY(beeps >= 1);
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(Form2->SpinEdit3->Text(), QString("256"));
    QCOMPARE(Form2->pos(), QPoint(436, 396));  // where it opens when it fits there
    Form2->move(300, 200);                     // where the user leaves it
    // Shown again: the same values, place and focused control.
    QString focusedAgain;
    QTimer::singleShot(0, [&] {
      QVERIFY(QTest::qWaitForWindowActive(Form2));
      focusedAgain = FocusedControl();
      Form2->Button2->click();
    });
    QCOMPARE(Form2->exec(), int(QDialog::Rejected));
    QCOMPARE(focusedAgain, QString("Button1"));
    QCOMPARE(Form2->pos(), QPoint(300, 200));
  }
};

QTEST_MAIN(LevelsCopyDialogTest)
#include "levels_copy_dialog_test.moc"
