#include <QPainter>
#include <QSet>
#include <QtTest>
#include <functional>

#include "qt/app/ProgramIcon.h"
#include "qt/painting/TilePictures.h"

namespace {

constexpr int N = TilePictures::kSize;

using Mask = std::function<bool(int x, int y)>;  // true where the picture is opaque

Mask MaskOf(int code) {
  const QImage image = TilePictures::Image(code);
  return [image](int x, int y) { return qAlpha(image.pixel(x, y)) == 255; };
}

int OpaqueCount(int code) {
  const Mask mask = MaskOf(code);
  int count = 0;
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) count += mask(x, y) ? 1 : 0;
  return count;
}

}  // namespace

class PicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void everyPictureIsTwentySquareWithHardMask() {
    for (int code = 0; code < TilePictures::kCount; ++code) {
      const QImage& image = TilePictures::Image(code);
      QCOMPARE(image.size(), QSize(N, N));
      QCOMPARE(image.format(), QImage::Format_ARGB32);
      QCOMPARE(TilePictures::Pixmap(code).size(), QSize(N, N));
      for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
          const int alpha = qAlpha(image.pixel(x, y));
          if (alpha != 0 && alpha != 255)
            QFAIL(qPrintable(QString("tile %1 pixel (%2,%3) alpha %4").arg(code).arg(x).arg(y).arg(alpha)));
        }
    }
  }

  void emptyTileIsAllTransparent() { QCOMPARE(OpaqueCount(0), 0); }

  void blocksAreTransparentInCornersAndRow13Only() {
    const QSet<QPoint> holes{{0, 0}, {19, 0}, {0, 19}, {19, 19}, {0, 13}};
    for (int code = 1; code <= 5; ++code) {
      const Mask mask = MaskOf(code);
      QSet<QPoint> transparent;
      for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x)
          if (!mask(x, y)) transparent.insert({x, y});
      QVERIFY2(transparent == holes, qPrintable(QString("block %1").arg(code)));
    }
  }

  void cannonsShareOneTurnedOutline() {
    for (int code = 6; code <= 9; ++code) QCOMPARE(OpaqueCount(code), 261);

    const Mask up = MaskOf(6), right = MaskOf(7), down = MaskOf(8), left = MaskOf(9);
    struct Relation {
      const char* name;
      Mask picture;
      Mask expected;
    };
    const Relation relations[] = {
        // A quarter turn clockwise takes (x, y) of CannonUp to (N-1-y, x).
        {"right is up turned clockwise", right, [&](int x, int y) { return up(y, N - 1 - x); }},
        {"down is up flipped top to bottom", down, [&](int x, int y) { return up(x, N - 1 - y); }},
        {"left is right flipped left to right", left, [&](int x, int y) { return right(N - 1 - x, y); }},
    };
    for (const Relation& relation : relations)
      for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x)
          if (relation.picture(x, y) != relation.expected(x, y))
            QFAIL(qPrintable(QString("%1: differs at (%2,%3)").arg(relation.name).arg(x).arg(y)));

    // The barrel of CannonUp reaches the top edge and its dome sits on the bottom edge.
    bool barrelAtTop = false, domeOnBottom = true;
    for (int x = 0; x < N; ++x) {
      barrelAtTop = barrelAtTop || up(x, 0);
      domeOnBottom = domeOnBottom && up(x, N - 1);
    }
    QVERIFY(barrelAtTop);
    QVERIFY(domeOnBottom);
  }

  void drawGoesThroughTheMaskAndSkipsUnknownCodes_data() {
    QTest::addColumn<int>("code");
    for (int code : {-1, 10, 300, -32768, 0, 1, 6, 9}) QTest::addRow("code %d", code) << code;
  }

  void drawGoesThroughTheMaskAndSkipsUnknownCodes() {
    QFETCH(int, code);
    const QRgb background = qRgb(0, 120, 215);
    QImage canvas(40, 40, QImage::Format_ARGB32);
    canvas.fill(background);
    {
      QPainter painter(&canvas);
      TilePictures::Draw(painter, QPoint(7, 11), code);
    }
    const bool known = code >= 0 && code < TilePictures::kCount;
    const QImage picture = known ? TilePictures::Image(code) : QImage();
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x) {
        const QPoint inPicture(x - 7, y - 11);
        QRgb expected = background;
        if (known && picture.rect().contains(inPicture) && qAlpha(picture.pixel(inPicture)) == 255)
          expected = picture.pixel(inPicture);
        if (canvas.pixel(x, y) != expected)
          QFAIL(qPrintable(QString("pixel (%1,%2) is %3, expected %4")
                               .arg(x)
                               .arg(y)
                               .arg(canvas.pixel(x, y), 8, 16)
                               .arg(expected, 8, 16)));
      }
    if (!known) QVERIFY(TilePictures::Image(code).isNull());
  }

  void programIconIs32SquareInAtMost16Colours() {
    const QImage icon = ProgramIconImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y)
      for (int x = 0; x < icon.width(); ++x) colours.insert(icon.pixel(x, y));
    QVERIFY2(colours.size() <= 16, qPrintable(QString("%1 colours").arg(colours.size())));
    QVERIFY(!ProgramIcon().isNull());
  }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
