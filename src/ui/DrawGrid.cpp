#include "ui/DrawGrid.h"

#include <QEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <qdrawutil.h>

#include <cmath>

#include "ui/ActiveControl.h"

namespace {

constexpr int kPitch = TDrawGrid::kCellSize + TDrawGrid::kLineWidth;  // 21
constexpr int kCellsWidth = TDrawGrid::kColCount * kPitch;            // 231, lines included
constexpr int kCellsHeight = TDrawGrid::kRowCount * kPitch;           // 273
constexpr int kInteriorWidth = 237;
constexpr int kInteriorHeight = 277;
constexpr int kLastCol = TDrawGrid::kColCount - 1;
constexpr int kLastRow = TDrawGrid::kRowCount - 1;

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Inverts every other pixel along the outline of a square of `size` logical pixels, starting
// with the top-left corner; the pattern alternates all the way round. With a device pixel
// ratio above 1 each logical pixel is a block of device pixels.
void InvertDottedOutline(QImage& image, int size, qreal ratio) {
  auto invertLogical = [&](int x, int y) {
    const int x0 = int(std::floor(x * ratio)), x1 = int(std::floor((x + 1) * ratio));
    const int y0 = int(std::floor(y * ratio)), y1 = int(std::floor((y + 1) * ratio));
    for (int py = y0; py < y1 && py < image.height(); ++py) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
      for (int px = x0; px < x1 && px < image.width(); ++px) line[px] = line[px] ^ 0x00FFFFFFu;
    }
  };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const bool onOutline = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      if (onOutline && (x + y) % 2 == 0) invertLogical(x, y);
    }
  }
}

}  // namespace

struct TDrawGrid::Private {
  SelectCellHandler onSelectCell;
  DrawCellHandler onDrawCell;
  int col = 0;
  int row = 0;
  bool dragging = false;
  QPoint pointer;  // last known pointer position during a drag, widget coordinates
  QTimer* dragTimer = nullptr;
  QPointer<QWidget> watchedWindow;  // the window watched for blocking while dragging
  int wheelRemainder = 0;
};

TDrawGrid::TDrawGrid(QWidget* parent) : QWidget(parent), d(new Private) {
  setFixedSize(241, 281);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  TActiveControlWatch::Instance();  // from the start, so that the grid is known as active
  d->dragTimer = new QTimer(this);
  d->dragTimer->setInterval(kDragStepMs);
  connect(d->dragTimer, &QTimer::timeout, this, &TDrawGrid::DragStep);
}

TDrawGrid::~TDrawGrid() {
  if (d->watchedWindow) d->watchedWindow->removeEventFilter(this);
  delete d;
}

void TDrawGrid::SetOnSelectCell(SelectCellHandler handler) { d->onSelectCell = std::move(handler); }

void TDrawGrid::SetOnDrawCell(DrawCellHandler handler) { d->onDrawCell = std::move(handler); }

int TDrawGrid::Col() const { return d->col; }

int TDrawGrid::Row() const { return d->row; }

void TDrawGrid::RepaintAll() { repaint(); }

QRect TDrawGrid::CellRect(int ACol, int ARow) const {
  return QRect(kBorder + ACol * kPitch, kBorder + ARow * kPitch, kCellSize, kCellSize);
}

bool TDrawGrid::IsActiveControl() const { return ActiveControl(window()) == this; }

QTimer* TDrawGrid::DragTimer() const { return d->dragTimer; }

bool TDrawGrid::IsDragging() const { return d->dragging; }

bool TDrawGrid::CellAt(QPoint Pos, int& ACol, int& ARow) const {
  const int x = Pos.x() - kBorder, y = Pos.y() - kBorder;
  if (x < 0 || y < 0 || x >= kCellsWidth || y >= kCellsHeight) return false;
  ACol = x / kPitch;
  ARow = y / kPitch;
  return true;
}

bool TDrawGrid::MoveTo(int ACol, int ARow) {
  bool canSelect = true;
  if (d->onSelectCell) d->onSelectCell(this, ACol, ARow, canSelect);
  if (!canSelect) return false;
  const QRect old = CellRect(d->col, d->row);
  d->col = ACol;
  d->row = ARow;
  update(old);
  update(CellRect(ACol, ARow));
  return true;
}

void TDrawGrid::StartDrag() {
  d->dragging = true;
  QWidget* w = window();
  if (d->watchedWindow != w) {
    if (d->watchedWindow) d->watchedWindow->removeEventFilter(this);
    d->watchedWindow = w;
    if (w && w != this) w->installEventFilter(this);
  }
}

void TDrawGrid::EndDrag() {
  d->dragging = false;
  d->dragTimer->stop();
  if (d->watchedWindow) d->watchedWindow->removeEventFilter(this);
  d->watchedWindow = nullptr;
}

void TDrawGrid::DragStep() {
  if (!d->dragging) {
    d->dragTimer->stop();
    return;
  }
  const int x = d->pointer.x() - kBorder, y = d->pointer.y() - kBorder;
  int dc = 0, dr = 0;
  if (x < 0) dc = -1;
  else if (x >= kCellsWidth) dc = 1;
  if (y < 0) dr = -1;
  else if (y >= kCellsHeight) dr = 1;
  const int c = Clamp(d->col + dc, 0, kLastCol);
  const int r = Clamp(d->row + dr, 0, kLastRow);
  if (c != d->col || r != d->row) MoveTo(c, r);
}

bool TDrawGrid::event(QEvent* e) {
  // The grid as a window of its own: a modal dialog blocking it cuts the drag short.
  if (e->type() == QEvent::WindowBlocked && d->dragging) EndDrag();
  return QWidget::event(e);
}

bool TDrawGrid::eventFilter(QObject* watched, QEvent* e) {
  if (watched == d->watchedWindow && d->dragging) {
    switch (e->type()) {
      case QEvent::WindowBlocked:
      case QEvent::Hide:
        EndDrag();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, e);
}

void TDrawGrid::hideEvent(QHideEvent* e) {
  if (d->dragging) EndDrag();
  QWidget::hideEvent(e);
}

void TDrawGrid::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange && !isEnabled() && d->dragging) EndDrag();
  QWidget::changeEvent(e);
}

void TDrawGrid::mousePressEvent(QMouseEvent* e) {
  // The focus comes first, so that the control losing it finishes its work before a cell
  // is painted.
  setFocus(Qt::MouseFocusReason);
  if (e->button() != Qt::LeftButton || d->dragging) return;
  const QPoint pos = e->position().toPoint();
  int c, r;
  if (!CellAt(pos, c, r)) return;
  d->pointer = pos;
  StartDrag();
  MoveTo(c, r);
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent*) {
  // Unlike QWidget's default, the second press of a double click neither moves nor drags.
  setFocus(Qt::MouseFocusReason);
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* e) {
  if (!d->dragging) return;
  if (!(e->buttons() & Qt::LeftButton)) {  // the release went elsewhere
    EndDrag();
    return;
  }
  const QPoint pos = e->position().toPoint();
  d->pointer = pos;
  int c, r;
  if (CellAt(pos, c, r)) {
    d->dragTimer->stop();
    if (c != d->col || r != d->row) MoveTo(c, r);
  } else if (!d->dragTimer->isActive()) {
    d->dragTimer->start();
  }
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !d->dragging) return;
  const QPoint pos = e->position().toPoint();
  d->pointer = pos;
  EndDrag();
  int c, r;
  if (CellAt(pos, c, r) && (c != d->col || r != d->row)) MoveTo(c, r);
}

void TDrawGrid::wheelEvent(QWheelEvent* e) {
  if (!hasFocus()) {
    e->ignore();
    return;
  }
  e->accept();
  const int delta = e->angleDelta().y();
  if (delta == 0) return;
  // Turns add up with their signs: a part turn back takes away from what was collected.
  d->wheelRemainder += delta;
  while (d->wheelRemainder >= kWheelNotch) {  // turned up
    d->wheelRemainder -= kWheelNotch;
    if (d->row > 0) MoveTo(d->col, d->row - 1);
  }
  while (d->wheelRemainder <= -kWheelNotch) {  // turned down
    d->wheelRemainder += kWheelNotch;
    if (d->row < kLastRow) MoveTo(d->col, d->row + 1);
  }
}

void TDrawGrid::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  const bool ctrl = mods == Qt::ControlModifier;
  if (mods != Qt::NoModifier && !ctrl) {
    QWidget::keyPressEvent(e);
    return;
  }
  int c = d->col, r = d->row;
  bool handled = true;
  switch (e->key()) {
    case Qt::Key_Up:
      if (!ctrl) r = Clamp(r - 1, 0, kLastRow);
      break;
    case Qt::Key_Down:
      if (!ctrl) r = Clamp(r + 1, 0, kLastRow);
      break;
    case Qt::Key_Left:
      c = ctrl ? 0 : Clamp(c - 1, 0, kLastCol);
      break;
    case Qt::Key_Right:
      c = ctrl ? kLastCol : Clamp(c + 1, 0, kLastCol);
      break;
    case Qt::Key_Home:
      c = 0;
      if (ctrl) r = 0;
      break;
    case Qt::Key_End:
      c = kLastCol;
      if (ctrl) r = kLastRow;
      break;
    case Qt::Key_PageUp:
      r = Clamp(r - kLastRow, 0, kLastRow);
      break;
    case Qt::Key_PageDown:
      r = Clamp(r + kLastRow, 0, kLastRow);
      break;
    default:
      handled = false;
      break;
  }
  if (!handled) {
    QWidget::keyPressEvent(e);
    return;
  }
  e->accept();
  if (c != d->col || r != d->row) MoveTo(c, r);
}

// QWidget's own handlers would redraw the whole grid; only the current cell changes its look.
void TDrawGrid::focusInEvent(QFocusEvent*) { update(CellRect(d->col, d->row)); }

void TDrawGrid::focusOutEvent(QFocusEvent*) { update(CellRect(d->col, d->row)); }

void TDrawGrid::PaintCell(QPainter& p, int ACol, int ARow) {
  const QRect rect = CellRect(ACol, ARow);
  TGridDrawState state;
  state.Selected = ACol == d->col && ARow == d->row;
  state.Focused = state.Selected && IsActiveControl();
  const QPalette& pal = palette();
  const QColor background = state.Selected && !state.Focused ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);

  if (!state.Focused) {
    p.fillRect(rect, background);
    if (d->onDrawCell) {
      p.save();
      d->onDrawCell(this, ACol, ARow, rect, state, p);
      p.restore();
    }
    return;
  }

  // The focused cell is composed off screen so that its focus mark can invert exactly the
  // pixels it covers, whatever the owner drew there.
  const qreal ratio = devicePixelRatioF();
  const int side = int(std::ceil(kCellSize * ratio));
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(background);
  if (d->onDrawCell) {
    QPainter canvas(&image);
    canvas.translate(-rect.topLeft());
    d->onDrawCell(this, ACol, ARow, rect, state, canvas);
  }
  InvertDottedOutline(image, kCellSize, ratio);
  p.drawImage(rect.topLeft(), image);
}

void TDrawGrid::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const QPalette& pal = palette();
  const QColor window = pal.color(QPalette::Base);
  const QColor lines = window.rgb() == kSilver.rgb() ? kGrey : kSilver;

  qDrawWinPanel(&p, rect(), pal, true, nullptr);

  // The lines fill the gaps between the cells; the cells are painted over them.
  const QRect cells(kBorder, kBorder, kCellsWidth, kCellsHeight);
  p.fillRect(cells.intersected(e->rect()), lines);

  for (int c = 0; c < kColCount; ++c) {
    for (int r = 0; r < kRowCount; ++r) {
      if (e->region().intersects(CellRect(c, r))) PaintCell(p, c, r);
    }
  }

  // The strips of the interior right of and below the cells.
  p.fillRect(QRect(kBorder + kCellsWidth, kBorder, kInteriorWidth - kCellsWidth, kInteriorHeight), window);
  p.fillRect(QRect(kBorder, kBorder + kCellsHeight, kCellsWidth, kInteriorHeight - kCellsHeight), window);
}
