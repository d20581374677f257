// quarvel-levels render against the editor itself: the picture of a level is, pixel for
// pixel, the main window's level grid showing that level (the current cell, which the
// picture does not mark, is compared from a second grab with the current cell elsewhere),
// and --scale K is that picture with every pixel a K x K square. The contact sheet holds
// the grid of every level used, in order, and of no other.

#include <QApplication>
#include <QImage>
#include <QtTest>

#include <vector>

#include "DagFile.h"
#include "FileBytes.h"
#include "RunProgram.h"
#include "TempDir.h"
#include "desktop/ProgramLook.h"
#include "files/LevelSetFile.h"
#include "widgets/DrawGrid.h"
#include "windows/ProgramWindows.h"
#include "windows/Unit1.h"

using quarvel_test::DagFile;
using quarvel_test::DagLevel;
using Levels = std::vector<DagLevel>;

Q_DECLARE_METATYPE(Levels)

namespace {

struct CellCode {
  int col, row, code;
};

DagLevel WithCells(std::initializer_list<CellCode> cells) {
  DagLevel level;
  level.time = 60;
  for (const CellCode& c : cells) level.Cell(c.col, c.row) = static_cast<std::int16_t>(c.code);
  return level;
}

// Every tile code in several places, the corners included, and codes without a picture.
DagLevel EveryCode() {
  DagLevel level = WithCells({{0, 0, 5},
                              {10, 0, 6},
                              {0, 12, 7},
                              {10, 12, 1},
                              {10, 11, 9},
                              {1, 12, 8},
                              {5, 0, 10},
                              {6, 0, -1},
                              {7, 0, 0x7FFF},
                              {10, 6, 4},
                              {0, 6, 3}});
  for (int code = 1; code <= 9; ++code) level.Cell(code, code) = static_cast<std::int16_t>(code);
  return level;
}

DagLevel Diagonal(int code) {
  DagLevel level = WithCells({});
  for (int i = 0; i < 11; ++i) level.Cell(i, i) = static_cast<std::int16_t>(code);
  return level;
}

struct Picture {
  QImage image;
  QRect hidden;  // the current cell's square, not comparable
};

// The editor's grid showing `level` (1-based) of `file`, with the current cell at (col, row).
// The current cell is moved by the keyboard; its brush is the tile already there, so the
// move writes nothing new.
Picture EditorGrid(const std::string& file, int level, int col, int row) {
  quarvel::ClearLevelSet(Unit1::LevelSet);
  quarvel::ReadLevelSetFile(file, Unit1::LevelSet);
  Unit1::CurrentLevel = level - 1;
  TDrawGrid* grid = Form1->DrawGrid1;
  for (int step = 0; step < 30 && (grid->Col() != col || grid->Row() != row); ++step) {
    // Along the row first, then the column; one cell per key.
    const int dc = col > grid->Col() ? 1 : (col < grid->Col() ? -1 : 0);
    const int dr = dc != 0 ? 0 : (row > grid->Row() ? 1 : -1);
    Unit1::CurrentBrush = quarvel::ReadCell(Unit1::LevelSet, Unit1::CurrentLevel, grid->Col() + dc, grid->Row() + dr);
    QTest::keyClick(grid, dc > 0 ? Qt::Key_Right : dc < 0 ? Qt::Key_Left : dr > 0 ? Qt::Key_Down : Qt::Key_Up);
  }
  grid->RepaintAll();
  return {grid->grab().toImage().convertToFormat(QImage::Format_RGB32), grid->CellRect(grid->Col(), grid->Row())};
}

// The whole grid with no cell current: the current cell's square is taken from a second
// grab with the current cell elsewhere.
QImage WholeGrid(const std::string& file, int level) {
  Picture first = EditorGrid(file, level, 0, 0);
  const Picture second = EditorGrid(file, level, 10, 12);
  for (int y = first.hidden.top(); y <= first.hidden.bottom(); ++y)
    for (int x = first.hidden.left(); x <= first.hidden.right(); ++x)
      first.image.setPixel(x, y, second.image.pixel(x, y));
  return first.image;
}

// The first pixel where `picture` (enlarged `scale` times) differs from `grid`, outside its
// hidden square; empty when there is none.
QString FirstDifference(const QImage& picture, const Picture& grid, int scale) {
  if (picture.size() != grid.image.size() * scale)
    return QStringLiteral("size %1 x %2").arg(picture.width()).arg(picture.height());
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QPoint at(x / scale, y / scale);
      if (grid.hidden.contains(at)) continue;
      if (picture.pixel(x, y) != grid.image.pixel(at))
        return QStringLiteral("pixel (%1,%2): %3, the grid has %4")
            .arg(x)
            .arg(y)
            .arg(picture.pixel(x, y), 8, 16)
            .arg(grid.image.pixel(at), 8, 16);
    }
  return {};
}

bool SameAt(const QImage& sheet, const QImage& part, int left, int top) {
  for (int y = 0; y < part.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(sheet.constScanLine(top + y)) + left;
    const auto* b = reinterpret_cast<const QRgb*>(part.constScanLine(y));
    for (int x = 0; x < part.width(); ++x)
      if ((a[x] & 0xFFFFFF) != (b[x] & 0xFFFFFF)) return false;
  }
  return true;
}

// Every place where `part` appears in `sheet`, in reading order.
std::vector<QPoint> Occurrences(const QImage& sheet, const QImage& part) {
  std::vector<QPoint> found;
  for (int top = 0; top + part.height() <= sheet.height(); ++top)
    for (int left = 0; left + part.width() <= sheet.width(); ++left)
      if (SameAt(sheet, part, left, top)) found.emplace_back(left, top);
  return found;
}

}  // namespace

class CliRenderTest : public QObject {
  Q_OBJECT

  quarvel_test::TempDir dir;

  QImage Render(const std::vector<std::string>& args) {
    std::vector<std::string> all{"render"};
    all.insert(all.end(), args.begin(), args.end());
    const auto run = quarvel_test::RunProgram(QUARVEL_LEVELS_PROGRAM, all, dir.Path());
    if (run.status != 0) qWarning("render failed (%d): %s", run.status, run.err.c_str());
    return QImage(QString::fromStdString(args.back())).convertToFormat(QImage::Format_RGB32);
  }

 private slots:
  void initTestCase() {
    // The look start-up gives every window, so the grid has the editor's colours.
    ApplyProgramLook();
    CreateProgramWindows();
    QApplication::setActiveWindow(Form1);
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    Form1->DrawGrid1->setFocus();
  }

  void cleanupTestCase() { DestroyProgramWindows(); }

  void levelAsTheEditorShowsIt_data() {
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("scale");
    const Levels three{Diagonal(1), EveryCode(), Diagonal(9)};
    QTest::newRow("every code") << three << 2 << 1;
    QTest::newRow("every code, scale 2") << three << 2 << 2;
    QTest::newRow("first level, scale 3") << three << 1 << 3;
    QTest::newRow("a level the file does not hold") << three << 4 << 1;
    Levels full;
    for (int i = 0; i < 256; ++i) full.push_back(Diagonal(1 + i % 9));
    full.back() = EveryCode();
    QTest::newRow("level 256") << full << 256 << 1;
  }

  void levelAsTheEditorShowsIt() {
    QFETCH(Levels, levels);
    QFETCH(int, level);
    QFETCH(int, scale);
    const std::string file = dir / "set.dag", out = dir / "level.png";
    quarvel_test::WriteRaw(file, DagFile(levels));
    const QImage picture =
        Render({file, "--level", std::to_string(level), "--scale", std::to_string(scale), "-o", out});
    for (const QPoint current : {QPoint(0, 0), QPoint(10, 12)}) {
      const Picture grid = EditorGrid(file, level, current.x(), current.y());
      const QString difference = FirstDifference(picture, grid, scale);
      QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
  }

  void contactSheetHoldsEveryLevelUsed() {
    const std::string file = dir / "sheet.dag", out = dir / "sheet.png";
    const Levels levels{Diagonal(2), DagLevel{}, EveryCode(), Diagonal(4), DagLevel{}};
    quarvel_test::WriteRaw(file, DagFile(levels));
    const QImage sheet = Render({file, "-o", out});
    QVERIFY(!sheet.isNull());
    QPoint previous(-1, -1);
    for (int level : {1, 3, 4}) {
      const std::vector<QPoint> found = Occurrences(sheet, WholeGrid(file, level));
      QVERIFY2(found.size() == 1, qPrintable(QStringLiteral("level %1 found %2 times").arg(level).arg(found.size())));
      const QPoint at = found.front();
      QVERIFY2(at.y() > previous.y() || (at.y() == previous.y() && at.x() > previous.x()),
               qPrintable(QStringLiteral("level %1 out of order").arg(level)));
      previous = at;
    }
    QVERIFY(Occurrences(sheet, WholeGrid(file, 2)).empty());
    // The top two lines of the border, alike in every grid: three grids in all.
    QCOMPARE(Occurrences(sheet, WholeGrid(file, 2).copy(0, 0, 241, 2)).size(), std::size_t{3});
  }
};

QTEST_MAIN(CliRenderTest)
#include "cli_render_test.moc"
