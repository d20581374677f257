// The level grid widget: every way its current cell moves (and what each move writes
// through OnSelectCell), the drag steps, the wheel, and the pixels it paints.

#include <QApplication>
#include <QDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include <memory>
#include <utility>
#include <vector>

#include "qt/widgets/DrawGrid.h"

using Cell = std::pair<int, int>;
using Cells = std::vector<Cell>;

Q_DECLARE_METATYPE(Cells)

namespace {

QString Show(const Cells& cells) {
  QStringList parts;
  for (const auto& [c, r] : cells) parts << QStringLiteral("(%1,%2)").arg(c).arg(r);
  return parts.join(QLatin1Char(' '));
}

#define COMPARE_CELLS(actual, expected) \
  QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("got %1, want %2").arg(Show(actual), Show(expected))))

struct DrawCall {
  int col, row;
  QRect rect;
  TGridDrawState state;
};

}  // namespace

class DrawGridTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> window;
  TDrawGrid* grid = nullptr;
  QLineEdit* edit = nullptr;
  Cells writes;
  std::vector<DrawCall> draws;
  bool focusedAtEveryWrite = true;
  bool refuse = false;

  QPoint Centre(int c, int r) const { return grid->CellRect(c, r).center(); }

  // Makes (c, r) current by a click and forgets what that wrote and drew.
  void Place(int c, int r) {
    QTest::mouseClick(grid, Qt::LeftButton, {}, Centre(c, r));
    QCOMPARE(grid->Col(), c);
    QCOMPARE(grid->Row(), r);
    QCoreApplication::processEvents();
    writes.clear();
    draws.clear();
  }

  void Wheel(int delta) {
    const QPointF pos = Centre(5, 5);
    QWheelEvent ev(pos, grid->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &ev);
  }

  void FireDragTimer() { QVERIFY(QMetaObject::invokeMethod(grid->DragTimer(), "timeout")); }

  QImage Grab() { return grid->grab().toImage().convertToFormat(QImage::Format_RGB32); }

 private slots:
  void init() {
    writes.clear();
    draws.clear();
    focusedAtEveryWrite = true;
    refuse = false;
    window = std::make_unique<QWidget>();
    window->resize(320, 380);
    grid = new TDrawGrid(window.get());
    grid->move(30, 30);
    edit = new QLineEdit(window.get());
    edit->setGeometry(30, 330, 100, 22);
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Highlight, QColor(0, 0, 128));
    grid->setPalette(pal);
    grid->SetOnSelectCell([this](TDrawGrid* sender, int c, int r, bool& canSelect) {
      QCOMPARE(sender, grid);
      QVERIFY(canSelect);
      if (!sender->hasFocus()) focusedAtEveryWrite = false;
      writes.emplace_back(c, r);
      if (refuse) canSelect = false;
    });
    grid->SetOnDrawCell([this](TDrawGrid*, int c, int r, const QRect& rect, TGridDrawState state, QPainter&) {
      draws.push_back({c, r, rect, state});
    });
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    grid->setFocus();
    QVERIFY(grid->hasFocus());
    QCoreApplication::processEvents();
    writes.clear();
    draws.clear();
  }

  void cleanup() {
    window.reset();
    grid = nullptr;
    edit = nullptr;
  }

  void construction() {
    QCOMPARE(grid->size(), QSize(241, 281));
    QCOMPARE(grid->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(grid->Col(), 0);
    QCOMPARE(grid->Row(), 0);
    QCOMPARE(grid->CellRect(0, 0), QRect(2, 2, 20, 20));
    QCOMPARE(grid->CellRect(10, 12), QRect(2 + 210, 2 + 252, 20, 20));
  }

  void moveTable_data() {
    QTest::addColumn<Cell>("start");
    QTest::addColumn<QString>("action");
    QTest::addColumn<Cell>("end");
    QTest::addColumn<Cells>("written");

    auto row = [](const char* name, Cell start, const char* action, Cell end, Cells written) {
      QTest::newRow(name) << start << QString::fromLatin1(action) << end << written;
    };
    // Keys: a key writes only when it moves.
    row("Left in col 0", {0, 5}, "key Left", {0, 5}, {});
    row("Right", {0, 5}, "key Right", {1, 5}, {{1, 5}});
    row("Left", {4, 5}, "key Left", {3, 5}, {{3, 5}});
    row("Right in col 10", {10, 5}, "key Right", {10, 5}, {});
    row("Up", {3, 4}, "key Up", {3, 3}, {{3, 3}});
    row("Up in row 0", {3, 0}, "key Up", {3, 0}, {});
    row("Down", {3, 4}, "key Down", {3, 5}, {{3, 5}});
    row("Down in row 12", {3, 12}, "key Down", {3, 12}, {});
    row("Home", {5, 7}, "key Home", {0, 7}, {{0, 7}});
    row("Home in col 0", {0, 7}, "key Home", {0, 7}, {});
    row("End", {5, 7}, "key End", {10, 7}, {{10, 7}});
    row("PgUp", {4, 9}, "key PgUp", {4, 0}, {{4, 0}});
    row("PgDown", {4, 3}, "key PgDown", {4, 12}, {{4, 12}});
    row("PgDown in row 12", {4, 12}, "key PgDown", {4, 12}, {});
    row("Ctrl+Home", {5, 7}, "key Ctrl+Home", {0, 0}, {{0, 0}});
    row("Ctrl+End", {5, 7}, "key Ctrl+End", {10, 12}, {{10, 12}});
    row("Ctrl+End at (10,12)", {10, 12}, "key Ctrl+End", {10, 12}, {});
    row("Ctrl+PgUp", {5, 7}, "key Ctrl+PgUp", {5, 0}, {{5, 0}});
    row("Ctrl+PgDown", {5, 7}, "key Ctrl+PgDown", {5, 12}, {{5, 12}});
    row("Ctrl+Left", {5, 7}, "key Ctrl+Left", {0, 7}, {{0, 7}});
    row("Ctrl+Right", {5, 7}, "key Ctrl+Right", {10, 7}, {{10, 7}});
    row("Ctrl+Up", {5, 7}, "key Ctrl+Up", {5, 7}, {});
    row("Ctrl+Down", {5, 7}, "key Ctrl+Down", {5, 7}, {});
    row("Shift+Right", {5, 7}, "key Shift+Right", {6, 7}, {{6, 7}});
    row("Shift+PgUp", {5, 7}, "key Shift+PgUp", {5, 0}, {{5, 0}});
    row("Shift+Ctrl+End", {5, 7}, "key Shift+Ctrl+End", {10, 12}, {{10, 12}});
    row("Shift+Ctrl+Up", {5, 7}, "key Shift+Ctrl+Up", {5, 7}, {});
    row("Alt+Left", {5, 7}, "key Alt+Left", {5, 7}, {});
    row("Return", {5, 7}, "key Return", {5, 7}, {});
    row("Enter", {5, 7}, "key Enter", {5, 7}, {});
    row("F2", {5, 7}, "key F2", {5, 7}, {});
    row("Space", {5, 7}, "key Space", {5, 7}, {});
    row("letter", {5, 7}, "key A", {5, 7}, {});
    row("Escape", {5, 7}, "key Esc", {5, 7}, {});
    // Clicks: a left click on a cell always writes it, even the current one.
    row("click", {2, 2}, "click 7 8", {7, 8}, {{7, 8}});
    row("click current", {4, 4}, "click 4 4", {4, 4}, {{4, 4}});
    row("Shift+click", {2, 2}, "click 7 8 Shift", {7, 8}, {{7, 8}});
    row("Ctrl+click", {2, 2}, "click 7 8 Ctrl", {7, 8}, {{7, 8}});
    row("click last cell", {2, 2}, "click 10 12", {10, 12}, {{10, 12}});
    row("right click", {2, 2}, "rclick 7 8", {2, 2}, {});
    row("middle click", {2, 2}, "mclick 7 8", {2, 2}, {});
    // Points off the cells; a point on a grid line belongs to the cell left of or above it.
    row("click right strip", {2, 2}, "clickat 234 50", {2, 2}, {});
    row("click bottom strip", {2, 2}, "clickat 50 276", {2, 2}, {});
    row("click border", {2, 2}, "clickat 1 1", {2, 2}, {});
    row("click border bottom right", {2, 2}, "clickat 240 280", {2, 2}, {});
    row("click vertical line", {5, 5}, "clickat 22 10", {0, 0}, {{0, 0}});
    row("click horizontal line", {5, 5}, "clickat 10 22", {0, 0}, {{0, 0}});
    row("click last lines", {5, 5}, "clickat 232 274", {10, 12}, {{10, 12}});
    // The wheel, a full notch at a time.
    row("wheel down", {3, 10}, "wheel -120", {3, 11}, {{3, 11}});
    row("wheel up", {3, 10}, "wheel 120", {3, 9}, {{3, 9}});
    row("wheel up in row 0", {3, 0}, "wheel 120", {3, 0}, {});
    row("wheel down in row 12", {3, 12}, "wheel -120", {3, 12}, {});
    row("wheel two notches", {3, 5}, "wheel -240", {3, 7}, {{3, 6}, {3, 7}});
  }

  void moveTable() {
    QFETCH(Cell, start);
    QFETCH(QString, action);
    QFETCH(Cell, end);
    QFETCH(Cells, written);

    Place(start.first, start.second);
    const QStringList a = action.split(QLatin1Char(' '));
    const QString& verb = a[0];
    if (verb == QLatin1String("key")) {
      const QKeyCombination k = QKeySequence(a[1])[0];
      QVERIFY(k.key() != Qt::Key_unknown);
      QTest::keyClick(grid, k.key(), k.keyboardModifiers());
    } else if (verb == QLatin1String("wheel")) {
      Wheel(a[1].toInt());
    } else {
      Qt::MouseButton button = verb == QLatin1String("rclick")   ? Qt::RightButton
                               : verb == QLatin1String("mclick") ? Qt::MiddleButton
                                                                 : Qt::LeftButton;
      const QPoint pos =
          verb == QLatin1String("clickat") ? QPoint(a[1].toInt(), a[2].toInt()) : Centre(a[1].toInt(), a[2].toInt());
      Qt::KeyboardModifiers mods;
      if (a.size() > 3) mods = a[3] == QLatin1String("Shift") ? Qt::ShiftModifier : Qt::ControlModifier;
      QTest::mouseClick(grid, button, mods, pos);
    }
    COMPARE_CELLS(writes, written);
    QCOMPARE(grid->Col(), end.first);
    QCOMPARE(grid->Row(), end.second);
    QVERIFY(!grid->IsDragging());
    QVERIFY(grid->hasFocus());
  }

  void refusedMoveStays() {
    Place(3, 3);
    refuse = true;
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::mousePress(grid, Qt::LeftButton, {}, Centre(8, 8));
    COMPARE_CELLS(writes, (Cells{{4, 3}, {8, 8}}));
    // The release over a cell other than the current one asks again.
    QTest::mouseRelease(grid, Qt::LeftButton, {}, Centre(8, 8));
    COMPARE_CELLS(writes, (Cells{{4, 3}, {8, 8}, {8, 8}}));
    QCOMPARE(grid->Col(), 3);
    QCOMPARE(grid->Row(), 3);
  }

  void tabMovesFocusWithoutPainting() {
    Place(4, 4);
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(grid->hasFocus());
    QVERIFY(writes.empty());
    QCOMPARE(grid->Col(), 4);
  }

  // Every press takes the focus; a left press on a cell takes it before the cell is written,
  // so the control that loses it has finished its work by then.
  void pressTakesFocusFirst_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<Cells>("written");
    QTest::newRow("left on a cell") << int(Qt::LeftButton) << QPoint(70, 70) << Cells{{3, 3}};
    QTest::newRow("left on the strip") << int(Qt::LeftButton) << QPoint(235, 100) << Cells{};
    QTest::newRow("right on a cell") << int(Qt::RightButton) << QPoint(70, 70) << Cells{};
    QTest::newRow("middle on a cell") << int(Qt::MiddleButton) << QPoint(70, 70) << Cells{};
  }

  void pressTakesFocusFirst() {
    QFETCH(int, button);
    QFETCH(QPoint, pos);
    QFETCH(Cells, written);
    bool editFinishedBeforeWrite = false;
    bool editFinished = false;
    connect(edit, &QLineEdit::editingFinished, this, [&] { editFinished = true; });
    grid->SetOnSelectCell([&](TDrawGrid* sender, int c, int r, bool&) {
      editFinishedBeforeWrite = editFinished && sender->hasFocus();
      writes.emplace_back(c, r);
    });
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("300"));  // an edit reports it is done on leaving
    QVERIFY(!editFinished);
    QTest::mousePress(grid, Qt::MouseButton(button), {}, pos);
    QVERIFY(grid->hasFocus());
    COMPARE_CELLS(writes, written);
    if (!written.empty()) QVERIFY(editFinishedBeforeWrite);
    QTest::mouseRelease(grid, Qt::MouseButton(button), {}, pos);
    COMPARE_CELLS(writes, written);
  }

  void dragAcrossRow() {
    QTest::mousePress(grid, Qt::LeftButton, {}, Centre(2, 5));
    QVERIFY(grid->IsDragging());
    for (int c = 3; c <= 6; ++c) {
      QTest::mouseMove(grid, Centre(c, 5));
      QTest::mouseMove(grid, Centre(c, 5) + QPoint(3, -4));  // same cell again: no write
    }
    QTest::mouseMove(grid, Centre(5, 5));
    QTest::mouseMove(grid, Centre(4, 5));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, Centre(4, 5));  // over the current cell: no write
    COMPARE_CELLS(writes, (Cells{{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {5, 5}, {4, 5}}));
    QVERIFY(!grid->IsDragging());
    QVERIFY(focusedAtEveryWrite);
  }

  void releaseOnAnotherCellMoves() {
    QTest::mousePress(grid, Qt::LeftButton, {}, Centre(2, 5));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, Centre(7, 9));
    COMPARE_CELLS(writes, (Cells{{2, 5}, {7, 9}}));
    QCOMPARE(grid->Col(), 7);
    QCOMPARE(grid->Row(), 9);
    // Once released, a move of the pointer does nothing.
    QTest::mouseMove(grid, Centre(1, 1));
    QCOMPARE(writes.size(), size_t(2));
  }

  // The pointer held outside the cells steps the current cell toward it on every tick, up to
  // the edge, then the ticks do nothing.
  void dragStepsOutside_data() {
    QTest::addColumn<Cell>("start");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<Cells>("written");
    const int row2 = 2 + 2 * 21 + 10, col8 = 2 + 8 * 21 + 10;
    QTest::newRow("left at row 2") << Cell{6, 2} << QPoint(-15, row2)
                                   << Cells{{5, 2}, {4, 2}, {3, 2}, {2, 2}, {1, 2}, {0, 2}};
    QTest::newRow("on the left border") << Cell{2, 2} << QPoint(1, row2) << Cells{{1, 2}, {0, 2}};
    QTest::newRow("up-left") << Cell{4, 6} << QPoint(-15, -15) << Cells{{3, 5}, {2, 4}, {1, 3}, {0, 2}, {0, 1}, {0, 0}};
    QTest::newRow("right strip") << Cell{8, 2} << QPoint(235, row2) << Cells{{9, 2}, {10, 2}};
    QTest::newRow("below") << Cell{8, 9} << QPoint(col8, 300) << Cells{{8, 10}, {8, 11}, {8, 12}};
    QTest::newRow("bottom strip") << Cell{8, 11} << QPoint(col8, 276) << Cells{{8, 12}};
    QTest::newRow("down-right") << Cell{9, 10} << QPoint(260, 290) << Cells{{10, 11}, {10, 12}};
    QTest::newRow("above, at row 0") << Cell{5, 0} << QPoint(col8, -5) << Cells{};
  }

  void dragStepsOutside() {
    QFETCH(Cell, start);
    QFETCH(QPoint, pointer);
    QFETCH(Cells, written);
    Place(start.first, start.second);
    QTest::mousePress(grid, Qt::LeftButton, {}, Centre(start.first, start.second));
    writes.clear();
    QVERIFY(!grid->DragTimer()->isActive());
    QTest::mouseMove(grid, pointer);
    QVERIFY(writes.empty());  // leaving the cells itself does not step
    QVERIFY(grid->DragTimer()->isActive());
    QCOMPARE(grid->DragTimer()->interval(), 60);
    for (int i = 0; i < 15; ++i) FireDragTimer();
    COMPARE_CELLS(writes, written);
    const Cell last = written.empty() ? start : written.back();
    QCOMPARE(grid->Col(), last.first);
    QCOMPARE(grid->Row(), last.second);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, pointer);
    QVERIFY(!grid->DragTimer()->isActive());
    QVERIFY(!grid->IsDragging());
    FireDragTimer();
    COMPARE_CELLS(writes, written);
  }

  void dragStepsStopInsideAndRunOnTheirOwn() {
    QTest::mousePress(grid, Qt::LeftButton, {}, Centre(6, 2));
    QTest::mouseMove(grid, QPoint(-15, Centre(6, 2).y()));
    QTRY_COMPARE_WITH_TIMEOUT(grid->Col(), 0, 3000);
    QTest::mouseMove(grid, Centre(3, 2));
    QVERIFY(!grid->DragTimer()->isActive());
    FireDragTimer();
    COMPARE_CELLS(writes, (Cells{{6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 2}, {1, 2}, {0, 2}, {3, 2}}));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, Centre(3, 2));
  }

  void modalDialogEndsDrag() {
    QTest::mousePress(grid, Qt::LeftButton, {}, Centre(6, 2));
    QTest::mouseMove(grid, QPoint(-15, 20));
    QVERIFY(grid->DragTimer()->isActive());
    QDialog dialog(window.get());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QTRY_VERIFY(!grid->IsDragging());
    QVERIFY(!grid->DragTimer()->isActive());
    dialog.hide();
    writes.clear();
    QTest::mouseMove(grid, Centre(8, 8));
    QVERIFY(writes.empty());
  }

  void hideEndsDrag() {
    QTest::mousePress(grid, Qt::LeftButton, {}, Centre(6, 2));
    QTest::mouseMove(grid, QPoint(-15, 20));
    window->hide();
    QVERIFY(!grid->IsDragging());
    QVERIFY(!grid->DragTimer()->isActive());
  }

  void doubleClickSecondPressDoesNotMove() {
    Place(3, 4);
    edit->setFocus();
    // What a double click delivers to a widget: press, release, double-click, release.
    QTest::mouseDClick(grid, Qt::LeftButton, {}, Centre(5, 6));
    QVERIFY(grid->hasFocus());
    QVERIFY(!grid->IsDragging());
    QTest::mouseMove(grid, Centre(7, 7));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, Centre(7, 7));
    QVERIFY(writes.empty());
    QCOMPARE(grid->Col(), 3);
    QCOMPARE(grid->Row(), 4);
  }

  void wheelAddsUpPartialTurns() {
    Place(3, 10);
    Wheel(-40);
    Wheel(-40);
    QVERIFY(writes.empty());
    Wheel(-40);
    COMPARE_CELLS(writes, (Cells{{3, 11}}));
    writes.clear();
    Place(3, 10);
    for (int i = 0; i < 3; ++i) Wheel(-120);
    COMPARE_CELLS(writes, (Cells{{3, 11}, {3, 12}}));
    // Turns add up with their signs: a part-turn back takes away from what was collected.
    Place(3, 10);
    writes.clear();
    Wheel(-80);
    Wheel(40);
    QVERIFY(writes.empty());
    Wheel(-80);
    COMPARE_CELLS(writes, (Cells{{3, 11}}));
    // Without the focus the wheel does nothing.
    writes.clear();
    edit->setFocus();
    Wheel(120);
    Wheel(120);
    QVERIFY(writes.empty());
  }

  // Moves and focus changes queue redraws of just the cells concerned; RepaintAll draws all
  // cells before it returns.
  void redraws() {
    Place(3, 4);
    QTest::keyClick(grid, Qt::Key_Right);
    QVERIFY(draws.empty());
    QCoreApplication::processEvents();
    QSet<int> drawn;
    for (const auto& dc : draws) drawn.insert(dc.col * 100 + dc.row);
    QCOMPARE(drawn, (QSet<int>{304, 404}));
    for (const auto& dc : draws) {
      QCOMPARE(dc.rect, grid->CellRect(dc.col, dc.row));
      const bool current = dc.col == 4;
      QCOMPARE(dc.state.Selected, current);
      QCOMPARE(dc.state.Focused, current);
    }

    draws.clear();
    edit->setFocus();
    QCoreApplication::processEvents();
    QVERIFY(!draws.empty());
    for (const auto& dc : draws) {
      QCOMPARE(dc.col * 100 + dc.row, 404);
      QVERIFY(dc.state.Selected);
      QVERIFY(!dc.state.Focused);
    }

    draws.clear();
    grid->RepaintAll();
    QCOMPARE(draws.size(), size_t(143));
  }

  // Another window in front leaves the grid its own window's active control.
  void keepsFocusedLookBehindAnotherWindow() {
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!grid->hasFocus());
    QVERIFY(grid->IsActiveControl());
    const QImage img = Grab();
    const QRect cell = grid->CellRect(0, 0);
    QCOMPARE(QColor(img.pixel(cell.topLeft())), QColor(Qt::black));  // the inverted corner
    QCOMPARE(QColor(img.pixel(cell.center())), QColor(Qt::white));
    edit->setFocus();  // the window is inactive, but its focus widget still changes
    QVERIFY(!grid->IsActiveControl());
  }

  void pixels() {
    const QColor white(Qt::white), navy(0, 0, 128), silver(192, 192, 192), red(255, 0, 0);
    grid->SetOnDrawCell([](TDrawGrid*, int c, int r, const QRect& rect, TGridDrawState, QPainter& canvas) {
      if (c == 5 && r == 5) canvas.fillRect(rect.x() + 7, rect.y() + 7, 6, 6, Qt::red);
      if (c == 3 && r == 4) canvas.fillRect(rect.x(), rect.y(), 4, 4, Qt::red);  // under the focus mark
    });
    Place(3, 4);
    QImage img = Grab();
    auto at = [&](int x, int y) { return QColor(img.pixel(x, y)); };
    auto check = [&](int x, int y, const QColor& want) {
      QVERIFY2(
          at(x, y).rgb() == want.rgb(),
          qPrintable(QStringLiteral("pixel (%1,%2) is %3, want %4").arg(x).arg(y).arg(at(x, y).name(), want.name())));
    };

    // The border: a sunken edge, darker above and left, lighter below and right.
    const QPalette& pal = grid->palette();
    check(0, 100, pal.color(QPalette::Dark));
    check(1, 100, pal.color(QPalette::Shadow));
    check(240, 100, pal.color(QPalette::Light));
    check(239, 100, pal.color(QPalette::Midlight));
    check(100, 0, pal.color(QPalette::Dark));
    check(100, 280, pal.color(QPalette::Light));

    // Grid lines after every column and row, including the last; strips in the window colour.
    for (int i = 0; i < 11; ++i) {
      check(2 + 21 * i + 20, 12, silver);
      check(2 + 21 * i + 20, 2 + 272, silver);
    }
    for (int j = 0; j < 13; ++j) {
      check(12, 2 + 21 * j + 20, silver);
      check(2 + 230, 2 + 21 * j + 20, silver);
    }
    for (int x = 233; x <= 238; ++x) {
      check(x, 2, white);
      check(x, 278, white);
    }
    for (int y = 275; y <= 278; ++y) check(100, y, white);

    // Every pixel of the cells but the marked ones is white.
    for (int c = 0; c < 11; ++c) {
      for (int r = 0; r < 13; ++r) {
        if ((c == 3 && r == 4) || (c == 5 && r == 5)) continue;
        const QRect cell = grid->CellRect(c, r);
        for (int y = cell.top(); y <= cell.bottom(); ++y)
          for (int x = cell.left(); x <= cell.right(); ++x)
            if (at(x, y).rgb() != white.rgb())
              QFAIL(qPrintable(QStringLiteral("cell (%1,%2) not white").arg(c).arg(r)));
      }
    }

    // The owner's square over the background.
    const QRect square = grid->CellRect(5, 5);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool inside = x >= 7 && x < 13 && y >= 7 && y < 13;
        check(square.x() + x, square.y() + y, inside ? red : white);
      }

    // The focused cell: the window colour, and every other pixel of its outline inverted,
    // over the owner's picture too (red turns cyan).
    const QRect focused = grid->CellRect(3, 4);
    int inverted = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool picture = x < 4 && y < 4;
        const bool mark = (x == 0 || y == 0 || x == 19 || y == 19) && (x + y) % 2 == 0;
        QColor want = picture ? red : white;
        if (mark) {
          want = QColor(255 - want.red(), 255 - want.green(), 255 - want.blue());
          ++inverted;
        }
        check(focused.x() + x, focused.y() + y, want);
      }
    QCOMPARE(inverted, 38);

    // Not focused: the current cell shows the highlight behind its picture, with no mark.
    edit->setFocus();
    img = Grab();
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) check(focused.x() + x, focused.y() + y, x < 4 && y < 4 ? red : navy);
  }

  void greyLinesOnSilverWindowColour() {
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Base, QColor(192, 192, 192));
    grid->setPalette(pal);
    const QImage img = Grab();
    const QColor grey(128, 128, 128), silver(192, 192, 192);
    QCOMPARE(QColor(img.pixel(22, 12)), grey);
    QCOMPARE(QColor(img.pixel(12, 22)), grey);
    QCOMPARE(QColor(img.pixel(232, 274)), grey);
    QCOMPARE(QColor(img.pixel(100, 100)), silver);  // a cell
    QCOMPARE(QColor(img.pixel(235, 100)), silver);  // the strip
  }
};

QTEST_MAIN(DrawGridTest)
#include "draw_grid_test.moc"
