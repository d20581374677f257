#pragma once
// The drawn level grid: 11 x 13 cells of 20 x 20 pixels with 1-pixel lines, inside a
// sunken 2-pixel border. It holds no level data: it asks its owner before the current
// cell moves (OnSelectCell) and calls its owner to draw each cell's content (OnDrawCell)
// after painting the cell's background.

#include <QWidget>
#include <functional>

#include "editor/GridCursor.h"
#include "qt/painting/GridPainting.h"

class QPainter;
class QTimer;

struct TGridDrawState {
  bool Selected = false;  // the current cell
  bool Focused = false;   // the current cell while the grid is its window's active control
};

class TDrawGrid : public QWidget {
  Q_OBJECT
 public:
  using SelectCellHandler = std::function<void(TDrawGrid* Sender, int ACol, int ARow, bool& CanSelect)>;
  // The spoken name of a cell's content, for screen readers.
  using CellNameHandler = std::function<QString(int ACol, int ARow)>;
  using DrawCellHandler = std::function<void(TDrawGrid* Sender, int ACol, int ARow, const QRect& Rect,
                                             TGridDrawState State, QPainter& Canvas)>;

  static constexpr int kColCount = quarvel::kColumns;  // 11
  static constexpr int kRowCount = quarvel::kRows;     // 13
  static constexpr int kCellSize = GridPainting::kCellSize;
  static constexpr int kLineWidth = GridPainting::kLineWidth;
  static constexpr int kBorder = GridPainting::kBorder;
  static constexpr int kDragStepMs = 60;
  static constexpr int kWheelNotch = quarvel::TWheelSteps::kNotch;

  explicit TDrawGrid(QWidget* parent = nullptr);  // 241 x 281
  ~TDrawGrid() override;

  void SetOnSelectCell(SelectCellHandler handler);
  void SetOnDrawCell(DrawCellHandler handler);
  void SetOnCellName(CellNameHandler handler);
  QString CellName(int ACol, int ARow) const;  // empty without a handler

  int Col() const;  // the current cell
  int Row() const;

  // Redraws all cells now, before returning.
  void RepaintAll();

  // The cell's square in widget coordinates (border included in the offset).
  QRect CellRect(int ACol, int ARow) const;

  // True while the grid is its window's active control (holds, or last held, the focus).
  bool IsActiveControl() const;

  // The 60 ms drag-step timer, so tests can fire it without waiting.
  QTimer* DragTimer() const;

  // True from a left press on a cell until the release (or until the drag is cut short).
  bool IsDragging() const;

  // The cell under a point in widget coordinates, or false when the point is not on a cell.
  // A point on a grid line belongs to the cell left of or above that line.
  bool CellAt(QPoint Pos, int& ACol, int& ARow) const;

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void DragStep();
  bool MoveTo(int ACol, int ARow);
  void StartDrag();
  void EndDrag();
  void PaintCell(QPainter& p, const QTransform& frame, qreal ratio, int ACol, int ARow);
  void UpdateCell(int ACol, int ARow);
  void AnnounceCurrentCell();

  struct Private;
  Private* d;
};
