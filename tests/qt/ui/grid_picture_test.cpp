// The editor's level grid against the core's grid picture (picture/GridPicture.h), pixel for
// pixel, at the device pixel ratio the run gives (QT_SCALE_FACTOR: the test runs at 100,
// 150 and 200 %): every cell of a level with every tile code and codes without a picture,
// with the current cell focused (the dotted mark) and selected without the focus (the
// highlight), on a tile and on a code outside 0..9. quarvel-levels draws from the same
// picture, so its render and thumbnail are what the editor shows.

#include <QApplication>
#include <QImage>
#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "WindowsFixture.h"
#include "picture/GridPicture.h"
#include "qt/desktop/ProgramLook.h"
#include "qt/painting/GridPainting.h"

namespace {

struct Placed {
  int col, row, code;
};

// Level 1: every code, the current cell (0,0) on a grey block. Level 2: the same with a
// code outside 0..9 at (0,0).
void FillSet(quarvel::LevelSet& set) {
  quarvel::ClearLevelSet(set);
  const Placed cells[] = {{0, 0, 5},  {10, 0, 6}, {0, 12, 7},    {10, 12, 1}, {10, 11, 9}, {1, 12, 8},
                          {5, 0, 10}, {6, 0, -1}, {7, 0, 32767}, {10, 6, 4},  {0, 6, 3},   {3, 10, -32768}};
  for (int level : {0, 1}) {
    for (const Placed& p : cells)
      set[std::size_t(level)].Cells[std::size_t(quarvel::CellIndex(p.col, p.row))] = quarvel::TileCode(p.code);
    for (int code = 1; code <= 9; ++code)
      set[std::size_t(level)].Cells[std::size_t(quarvel::CellIndex(code, code))] = quarvel::TileCode(code);
    set[std::size_t(level)].Time = 60;
  }
  set[1].Cells[std::size_t(quarvel::CellIndex(0, 0))] = 10;
}

// The first pixel where the two differ, or an empty string.
QString FirstDifference(const QImage& grid, const quarvel::Picture& core) {
  for (int y = 0; y < core.Height; ++y)
    for (int x = 0; x < core.Width; ++x)
      if ((grid.pixel(x, y) & 0xFFFFFFu) != (core.At(x, y) & 0xFFFFFFu))
        return QStringLiteral("pixel (%1,%2): grid %3, core %4")
            .arg(x)
            .arg(y)
            .arg(grid.pixel(x, y) & 0xFFFFFFu, 6, 16)
            .arg(core.At(x, y) & 0xFFFFFFu, 6, 16);
  return {};
}

}  // namespace

class GridPictureTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramWindows> windows;

 private slots:
  // The look start-up gives every window, so the grid has the editor's colours.
  void initTestCase() {
    ApplyProgramLook();
    windows = std::make_unique<ProgramWindows>();
    QVERIFY(windows->ok);
  }

  void cleanupTestCase() { windows.reset(); }

  void sameAsTheCorePicture_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("focused");
    QTest::newRow("focused on a tile") << 0 << true;
    QTest::newRow("selected, unfocused, on a tile") << 0 << false;
    QTest::newRow("focused on a code outside 0..9") << 1 << true;
    QTest::newRow("selected, unfocused, on a code outside 0..9") << 1 << false;
  }

  void sameAsTheCorePicture() {
    QFETCH(int, level);
    QFETCH(bool, focused);
    TDrawGrid* grid = Form1->DrawGrid1;
    const qreal ratio = grid->devicePixelRatioF();
    if (const char* asked = std::getenv("QT_SCALE_FACTOR")) QCOMPARE(ratio, qreal(std::atof(asked)));
    FillSet(Unit1::LevelSet);
    Unit1::CurrentLevel = level;
    QCOMPARE(grid->Col(), 0);
    QCOMPARE(grid->Row(), 0);
    if (focused)
      grid->setFocus();
    else
      Form1->SpinEdit1->Editor()->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(grid->IsActiveControl(), focused);
    grid->RepaintAll();

    const QImage shot = grid->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const quarvel::GridLayout layout = quarvel::GridAtRatio(ratio);
    QVERIFY(shot.width() >= layout.width && shot.height() >= layout.height);
    const quarvel::Picture core =
        quarvel::GridPicture(Unit1::LevelSet, level, GridPainting::ColoursFromPalette(grid->palette()), layout,
                             quarvel::CurrentCell{0, 0, focused});
    const QString difference = FirstDifference(shot, core);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
  }
};

QTEST_MAIN(GridPictureTest)
#include "grid_picture_test.moc"
