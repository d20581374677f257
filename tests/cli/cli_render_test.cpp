// quarvel-levels render against the editor itself: the picture of a level is, pixel for
// pixel, the main window's level grid showing that level (the current cell, which the
// picture does not mark, is compared from a second grab with the current cell elsewhere),
// and --scale K is that picture with every pixel a K x K square. The contact sheet holds
// the grid of every level used, in order, and of no other.
//
// quarvel-levels thumbnail likewise: at whole multiples of the grid's height it is the
// grid of the first level used, enlarged; at any other size each cell holds only colours
// of the same cell of the grid, and nothing is cut off. A file it cannot draw leaves no
// output.

#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QImage>
#include <QtTest>

#include <algorithm>
#include <set>
#include <vector>

#include "DagFile.h"
#include "FileBytes.h"
#include "RunProgram.h"
#include "TempDir.h"
#include "files/LevelSetFile.h"
#include "qt/desktop/ProgramLook.h"
#include "qt/forms/ProgramWindows.h"
#include "qt/forms/Unit1.h"
#include "qt/painting/GridPainting.h"
#include "qt/widgets/DrawGrid.h"

using quarvel_test::Bytes;
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

// The editor's grid showing `level`, with either of two cells current, is `picture`
// enlarged `scale` times.
void CompareWithEditorsGrid(const QImage& picture, const std::string& file, int level, int scale) {
  for (const QPoint current : {QPoint(0, 0), QPoint(10, 12)}) {
    const Picture grid = EditorGrid(file, level, current.x(), current.y());
    const QString difference = FirstDifference(picture, grid, scale);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
  }
}

std::set<QRgb> ColoursIn(const QImage& image, const QRect& area) {
  std::set<QRgb> colours;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) colours.insert(image.pixel(x, y));
  return colours;
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

  // The picture a command writes to the file its last argument names.
  QImage Run(const std::vector<std::string>& args) {
    const auto run = quarvel_test::RunProgram(QUARVEL_LEVELS_PROGRAM, args, dir.Path());
    if (run.status != 0) qWarning("%s failed (%d): %s", args.front().c_str(), run.status, run.err.c_str());
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

  // render --level, and thumbnail at whole multiples of the grid's height, showing the
  // first level used (level 1 when none is).
  void levelAsTheEditorShowsIt_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("scale");
    const Levels three{Diagonal(1), EveryCode(), Diagonal(9)};
    QTest::newRow("every code") << "render" << three << 2 << 1;
    QTest::newRow("every code, scale 2") << "render" << three << 2 << 2;
    QTest::newRow("first level, scale 3") << "render" << three << 1 << 3;
    QTest::newRow("a level the file does not hold") << "render" << three << 4 << 1;
    Levels full;
    for (int i = 0; i < 256; ++i) full.push_back(Diagonal(1 + i % 9));
    full.back() = EveryCode();
    QTest::newRow("level 256") << "render" << full << 256 << 1;
    const Levels laterFirst{DagLevel{}, EveryCode(), Diagonal(9)};
    QTest::newRow("thumbnail, first level used") << "thumbnail" << laterFirst << 2 << 1;
    QTest::newRow("thumbnail, twice the height") << "thumbnail" << laterFirst << 2 << 2;
    QTest::newRow("thumbnail, no level used") << "thumbnail" << Levels{DagLevel{}} << 1 << 1;
  }

  void levelAsTheEditorShowsIt() {
    QFETCH(QString, command);
    QFETCH(Levels, levels);
    QFETCH(int, level);
    QFETCH(int, scale);
    const std::string file = dir / "set.dag", out = dir / "level.png";
    quarvel_test::WriteRaw(file, DagFile(levels));
    const QImage picture =
        command == "render"
            ? Run({"render", file, "--level", std::to_string(level), "--scale", std::to_string(scale), "-o", out})
            : Run({"thumbnail", "-s", std::to_string(scale * GridPainting::kHeight), file, out});
    CompareWithEditorsGrid(picture, file, level, scale);
  }

  void contactSheetHoldsEveryLevelUsed() {
    const std::string file = dir / "sheet.dag", out = dir / "sheet.png";
    const Levels levels{Diagonal(2), DagLevel{}, EveryCode(), Diagonal(4), DagLevel{}};
    quarvel_test::WriteRaw(file, DagFile(levels));
    const QImage sheet = Run({"render", file, "-o", out});
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

  void thumbnailFitsCrisply_data() {
    QTest::addColumn<int>("size");
    for (int size : {128, 256, 300, 512, 1024}) QTest::addRow("%d", size) << size;
  }

  // As file managers run it: no environment at all, not even a home folder; quiet.
  void thumbnailFitsCrisply() {
    QFETCH(int, size);
    const std::string file = dir / "crisp.dag", out = dir / "crisp.png";
    quarvel_test::WriteRaw(file, DagFile({DagLevel{}, EveryCode()}));
    const auto run = quarvel_test::RunProgram(
        "/usr/bin/env", {"-i", QUARVEL_LEVELS_PROGRAM, "thumbnail", "--size", std::to_string(size), file, out},
        dir.Path());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out + run.err, std::string());
    const QImage thumbnail = QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(thumbnail.size(), QSize(241 * size / 281, size));

    // Nothing cut off: the outer ring of the border runs along all four edges, its dark
    // sides as far as its light ones, a ring's width from the end.
    const QImage grid = WholeGrid(file, 2);
    const QRgb dark = grid.pixel(0, 0), light = grid.pixel(240, 280);
    const GridPainting::Geometry g = quarvel::FitGridToHeight(size).geometry;
    const int width = thumbnail.width();
    QCOMPARE(ColoursIn(thumbnail, QRect(0, 0, width - g.line, 1)), std::set<QRgb>{dark});
    QCOMPARE(ColoursIn(thumbnail, QRect(0, 0, 1, size - g.line)), std::set<QRgb>{dark});
    QCOMPARE(ColoursIn(thumbnail, QRect(width - 1, 0, 1, size)), std::set<QRgb>{light});
    QCOMPARE(ColoursIn(thumbnail, QRect(0, size - 1, width, 1)), std::set<QRgb>{light});

    // No blended colour anywhere; each cell shows its own picture and nothing of another.
    const std::set<QRgb> all = ColoursIn(grid, grid.rect());
    const std::set<QRgb> shown = ColoursIn(thumbnail, thumbnail.rect());
    QVERIFY(std::includes(all.begin(), all.end(), shown.begin(), shown.end()));
    for (int col = 0; col < 11; ++col)
      for (int row = 0; row < 13; ++row) {
        const std::set<QRgb> want = ColoursIn(grid, GridPainting::CellRect(col, row));
        const std::set<QRgb> got = ColoursIn(thumbnail, GridPainting::ToQRect(g.Cell(col, row)));
        QVERIFY2(
            std::includes(want.begin(), want.end(), got.begin(), got.end()) && (got.size() > 1) == (want.size() > 1),
            qPrintable(QStringLiteral("cell %1,%2").arg(col).arg(row)));
      }
  }

  void thumbnailFailsAndWritesNothing_data() {
    QTest::addColumn<QByteArray>("input");  // the input's bytes; "missing" or "folder" for none
    QTest::addColumn<QString>("output");    // the output's name: "out.png", "in.dag" or "other.dag"
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("says");
    const Bytes good = DagFile({EveryCode()});
    const auto bytes = [](const Bytes& b) {
      return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
    };
    Bytes otherHeader = good;
    otherHeader[0] = 'X';
    const auto row = [](const char* name, const QByteArray& input, const char* output, const char* size,
                        const char* says) {
      QTest::newRow(name) << input << QString(output) << QString(size) << QString(says);
    };
    row("missing", "missing", "out.png", "256", "File not found");
    row("a folder", "folder", "out.png", "256", "it is a folder");
    row("empty", QByteArray(), "out.png", "256", "shorter than its 4-byte header");
    row("cut short", bytes(Bytes(good.begin(), good.end() - 10)), "out.png", "256", "not a whole record");
    row("not a level set", bytes(otherHeader), "out.png", "256", "Not a level set");
    row("onto itself", bytes(good), "in.dag", "256", "Is an input; it is never written over");
    row("onto a level set", bytes(good), "other.dag", "256", "Is a level set, not a PNG; nothing written");
    row("too small", bytes(good), "out.png", "31", "Out of range 32 to 4096");
  }

  void thumbnailFailsAndWritesNothing() {
    QFETCH(QByteArray, input);
    QFETCH(QString, output);
    QFETCH(QString, size);
    QFETCH(QString, says);
    quarvel_test::TempDir here;
    const std::string in = here / "in.dag", out = here / output.toStdString();
    if (input == "folder") {
      QCOMPARE(::mkdir(in.c_str(), 0755), 0);
    } else if (input != "missing") {
      quarvel_test::WriteRaw(in, Bytes(input.begin(), input.end()));
    }
    const Bytes other = DagFile({Diagonal(3)});
    if (output == "other.dag") quarvel_test::WriteRaw(out, other);
    const Bytes before = quarvel_test::ReadAll(out);

    const auto run =
        quarvel_test::RunProgram(QUARVEL_LEVELS_PROGRAM, {"thumbnail", "-s", size.toStdString(), in, out}, here.Path());
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, std::string());
    QVERIFY2(run.err.starts_with("quarvel-levels: ") && run.err.find(says.toStdString()) != std::string::npos &&
                 run.err.find('\n') == run.err.size() - 1,
             run.err.c_str());
    QCOMPARE(quarvel_test::ReadAll(out), before);
    if (output == "out.png") QVERIFY(::access(out.c_str(), F_OK) != 0);
  }
};

QTEST_MAIN(CliRenderTest)
#include "cli_render_test.moc"
