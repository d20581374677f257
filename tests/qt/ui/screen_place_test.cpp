// Where a window opens: its place where its frame fits on the screen's available area,
// else moved up and left just enough; a resizable window shrunk just enough to fit.
#include <QtTest>

#include "qt/desktop/ScreenPlace.h"

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

  void fittedSize_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("fitted");
    // The open dialog's own size at 200 % on 1024 x 768 (512 x 384 in its pixels), with a
    // frame of 1 px at the sides, a 10 px title bar and a 3 px bottom edge.
    const QSize least(297, 173);
    QTest::newRow("fits") << QSize(400, 300) << QRect(0, 0, 683, 512) << QSize(400, 300);
    QTest::newRow("fits exactly") << QSize(510, 371) << QRect(0, 0, 512, 384) << QSize(510, 371);
    QTest::newRow("too wide and too tall") << QSize(615, 412) << QRect(0, 0, 512, 384) << QSize(510, 371);
    QTest::newRow("too tall only") << QSize(615, 412) << QRect(0, 0, 683, 384) << QSize(615, 371);
    QTest::newRow("a panel takes height") << QSize(615, 412) << QRect(0, 28, 640, 484) << QSize(615, 412);
    QTest::newRow("never below its least") << QSize(615, 412) << QRect(0, 0, 200, 150) << least;
    QTest::newRow("no screen") << QSize(615, 412) << QRect() << QSize(615, 412);
  }
  void fittedSize() {
    QFETCH(QSize, size);
    QFETCH(QRect, available);
    QFETCH(QSize, fitted);
    QCOMPARE(FittedSize(size, QMargins(1, 10, 1, 3), available, QSize(297, 173)), fitted);
  }
};

QTEST_MAIN(ScreenPlaceTest)
#include "screen_place_test.moc"
