// Painting the grid: one move of the current cell by an arrow key, from the key press to the
// window's repaint done. Each move must repaint only the cells whose look changed, the one
// left and the one reached; the benchmark counts the cells the grid asked its owner to draw.
//
// Runs on the window system Qt picks (QT_QPA_PLATFORM; scripts/bench runs it on offscreen,
// under Xvfb and under a headless weston) at the scale QT_SCALE_FACTOR gives. The real main
// window is used, with a full level of tiles. With PAINT_BENCH_STRICT=1 the program exits
// with status 2 when a move repaints more than two cells.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/LevelSet.h"
#include "qt/app/Application.h"
#include "qt/forms/ProgramWindows.h"
#include "qt/forms/Unit1.h"

namespace {

constexpr double kCellsAim = 2.0;
long long g_cellsDrawn = 0;
long long g_moves = 0;

void InstallCounter() {
  Form1->DrawGrid1->SetOnDrawCell(
      [](TDrawGrid* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State, QPainter& Canvas) {
        ++g_cellsDrawn;
        Form1->DrawGrid1DrawCell(Sender, ACol, ARow, Rect, State, Canvas);
      });
}

// A level with a tile in every cell, so each cell drawn costs what a real one does.
void FillLevel() {
  for (int c = 0; c < quarvel::kColumns; ++c)
    for (int r = 0; r < quarvel::kRows; ++r)
      quarvel::WriteCell(Unit1::LevelSet, 0, c, r, quarvel::TileCode(1 + (c + r) % 9));
  Form1->DrawGrid1->RepaintAll();
}

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void BM_MoveByKey(benchmark::State& state) {
  TDrawGrid* grid = Form1->DrawGrid1;
  // Moving paints the cell reached with the brush; here each cell keeps its tile.
  Form1->DrawGrid1->SetOnSelectCell([](TDrawGrid*, int, int, bool&) {});
  Settle();
  g_cellsDrawn = 0;
  g_moves = 0;
  for (auto _ : state) {
    // Right along a row, down at its end, back to the top at the bottom.
    const Qt::Key key = grid->Col() < TDrawGrid::kColCount - 1   ? Qt::Key_Right
                        : grid->Row() < TDrawGrid::kRowCount - 1 ? Qt::Key_Down
                                                                 : Qt::Key_PageUp;
    if (key != Qt::Key_Right) {  // not counted
      state.PauseTiming();
      const long long before = g_cellsDrawn;
      QTest::keyClick(grid, key);
      QTest::keyClick(grid, Qt::Key_Home);
      Settle();
      g_cellsDrawn = before;
      state.ResumeTiming();
      continue;
    }
    QTest::keyClick(grid, key);
    Settle();
    ++g_moves;
  }
  state.counters["cells_per_move"] = benchmark::Counter(g_moves ? double(g_cellsDrawn) / double(g_moves) : 0);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TApplication application(argc, argv);
  CreateProgramWindows();
  QApplication::setActiveWindow(Form1);
  if (!QTest::qWaitForWindowExposed(Form1)) {
    std::fprintf(stderr, "paint_bench: the main window was not shown\n");
    return 1;
  }
  Form1->DrawGrid1->setFocus();
  InstallCounter();
  FillLevel();
  Settle();
  benchmark::RegisterBenchmark("PaintMoveByKey", BM_MoveByKey)->Unit(benchmark::kMicrosecond)->MinTime(0.5);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double perMove = g_moves ? double(g_cellsDrawn) / double(g_moves) : 0;
  std::printf("\n%s at scale %s: %.2f cells painted per move (aim <= %.0f: %s)\n",
              QGuiApplication::platformName().toUtf8().constData(),
              std::getenv("QT_SCALE_FACTOR") ? std::getenv("QT_SCALE_FACTOR") : "1", perMove, kCellsAim,
              perMove <= kCellsAim ? "met" : "MISSED");
  const char* strict = std::getenv("PAINT_BENCH_STRICT");
  const bool isStrict = strict && *strict && std::strcmp(strict, "0") != 0;
  DestroyProgramWindows();
  return perMove > kCellsAim && isStrict ? 2 : 0;
}
