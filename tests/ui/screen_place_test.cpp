// Where a window opens: its place where its frame fits on the screen's available area,
// else moved up and left just enough.
#include <QtTest>

#include "desktop/ScreenPlace.h"

class ScreenPlaceTest : public QObject {
  Q_OBJECT

 private slots:
  void fittedCorner_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("corner");
    const QRect screen(0, 0, 960, 540);
    QTest::newRow("fits") << QRect(204, 29, 258, 506) << screen << QPoint(204, 29);
    QTest::newRow("fits exactly") << QRect(702, 34, 258, 506) << screen << QPoint(702, 34);
    QTest::newRow("one pixel below") << QRect(204, 35, 258, 506) << screen << QPoint(204, 34);
    QTest::newRow("below and right") << QRect(800, 300, 258, 506) << screen << QPoint(702, 34);
    QTest::newRow("above and left") << QRect(-30, -5, 100, 100) << screen << QPoint(0, 0);
    QTest::newRow("taller than the screen") << QRect(204, 129, 258, 1012) << screen << QPoint(204, 0);
    QTest::newRow("a panel at the top") << QRect(204, 10, 258, 506) << QRect(0, 28, 960, 512) << QPoint(204, 28);
    QTest::newRow("second screen") << QRect(2000, 900, 258, 506) << QRect(1920, 0, 1280, 1024) << QPoint(2000, 518);
    QTest::newRow("no screen") << QRect(204, 129, 258, 506) << QRect() << QPoint(204, 129);
  }
  void fittedCorner() {
    QFETCH(QRect, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, corner);
    QCOMPARE(FittedCorner(frame, available), corner);
  }
};

QTEST_MAIN(ScreenPlaceTest)
#include "screen_place_test.moc"
