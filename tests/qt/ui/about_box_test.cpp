// The About box: its layout and text, and shown from the Help menu, its keys and place.
#include <QAction>
#include <QTextEdit>
#include <QTimer>

#include "WindowsFixture.h"

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void aboutBox() {
    ProgramWindows windows;
    QCOMPARE(Form3->windowTitle(), QString("About"));
    QCOMPARE(Form3->size(), QSize(232, 243));
    QVERIFY(Form3->windowFlags() & Qt::Tool);
    QVERIFY(!(Form3->windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)));
    QCOMPARE(Form3->Memo1->geometry(), QRect(8, 8, 217, 177));
    QVERIFY(Form3->Memo1->isReadOnly());
    const QStringList lines = Form3->Memo1->toPlainText().split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QString("Quarvel"));
    QCOMPARE(lines[1], QString("Levels Editor "));
    // The maker's web address: the home page the package names, a link a reader can follow.
    QCOMPARE(lines[3], QString("https://quarvel.org/"));
    QCOMPARE(Form3->Button1->geometry(), QRect(80, 200, 75, 25));
    QCOMPARE(Form3->Button1->text(), QString("Close"));

    QString focused;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
      QVERIFY(QTest::qWaitForWindowActive(Form3));
      focused = FocusedControl();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      stillOpen = Form3->isVisible();
      QTest::keyClick(Form3->Button1, Qt::Key_Return);
    });
    Form1->About2->trigger();
    QCOMPARE(focused, QString("Button1"));
    QVERIFY(stillOpen);
    QVERIFY(!Form3->isVisible());
    // Centred over the main window the first time.
    const QPoint centre = Form1->frameGeometry().center();
    QVERIFY(qAbs(Form3->geometry().center().x() - centre.x()) <= 12);
    QVERIFY(qAbs(Form3->geometry().center().y() - centre.y()) <= 12);
  }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
