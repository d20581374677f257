#include "qt/widgets/DrawGrid.h"

#include <QAccessible>
#include <QEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QTransform>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "editor/GridCursor.h"
#include "qt/desktop/ActiveControl.h"
#include "qt/painting/GridPainting.h"
#include "qt/widgets/GridAccessible.h"

namespace {

constexpr int kPitch = GridPainting::kPitch;                 // 21
constexpr int kCellsWidth = TDrawGrid::kColCount * kPitch;   // 231, lines included
constexpr int kCellsHeight = TDrawGrid::kRowCount * kPitch;  // 273

// The smallest rectangle of whole device pixels inside `rect` (device coordinates).
QRect InnerPixels(const QRectF& rect) {
  const int left = int(std::ceil(rect.left() - 1e-6)), top = int(std::ceil(rect.top() - 1e-6));
  const int right = int(std::floor(rect.right() + 1e-6)), bottom = int(std::floor(rect.bottom() + 1e-6));
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Where the widget's device pixels lie for a painter (or backing store) that maps its logical
// coordinates with `toDeviceAbsolute`: only whole pixels count, so that the grid's own
// coordinates are whole numbers there, and nothing is left to rounding.
struct DeviceFrame {
  QTransform toDevice;  // logical widget coordinates to the frame's device pixels
  QTransform paint;     // the painter's world transform for drawing in the frame's pixels
  QSize size;           // the whole device pixels the widget covers
};

DeviceFrame FrameFor(const QTransform& toDeviceAbsolute, QSize logicalSize) {
  const QRect inner = InnerPixels(toDeviceAbsolute.mapRect(QRectF(QPointF(0, 0), logicalSize)));
  DeviceFrame frame;
  frame.toDevice = toDeviceAbsolute * QTransform::fromTranslate(-inner.x(), -inner.y());
  frame.paint = QTransform::fromTranslate(inner.x(), inner.y()) * toDeviceAbsolute.inverted();
  frame.size = inner.size();
  return frame;
}

// The frame of the widget's pixels in its window's backing store.
DeviceFrame BackingFrame(const QWidget& widget) {
  const qreal ratio = widget.devicePixelRatioF();
  const QPointF corner = QPointF(widget.mapTo(widget.window(), QPoint(0, 0))) * ratio;
  return FrameFor(QTransform(ratio, 0, 0, ratio, corner.x(), corner.y()), widget.size());
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
  quarvel::TWheelSteps wheel;
  CellNameHandler onCellName;
};

TDrawGrid::TDrawGrid(QWidget* parent) : QWidget(parent), d(new Private) {
  setFixedSize(GridPainting::kWidth, GridPainting::kHeight);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  TActiveControlWatch::Instance();  // from the start, so that the grid is known as active
  InstallGridAccessibleFactory();
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

void TDrawGrid::SetOnCellName(CellNameHandler handler) { d->onCellName = std::move(handler); }

QString TDrawGrid::CellName(int ACol, int ARow) const { return d->onCellName ? d->onCellName(ACol, ARow) : QString(); }

int TDrawGrid::Col() const { return d->col; }

int TDrawGrid::Row() const { return d->row; }

void TDrawGrid::RepaintAll() { repaint(); }

QRect TDrawGrid::CellRect(int ACol, int ARow) const { return GridPainting::CellRect(ACol, ARow); }

bool TDrawGrid::IsActiveControl() const { return ActiveControl(window()) == this; }

QTimer* TDrawGrid::DragTimer() const { return d->dragTimer; }

bool TDrawGrid::IsDragging() const { return d->dragging; }

bool TDrawGrid::CellAt(QPoint Pos, int& ACol, int& ARow) const {
  const qreal ratio = devicePixelRatioF();
  if (ratio == 1.0) {
    const int x = Pos.x() - kBorder, y = Pos.y() - kBorder;
    if (x < 0 || y < 0 || x >= kCellsWidth || y >= kCellsHeight) return false;
    ACol = x / kPitch;
    ARow = y / kPitch;
    return true;
  }
  // The device pixel at the middle of the logical one, as drawn.
  const GridPainting::Geometry g(ratio);
  const QPointF at = BackingFrame(*this).toDevice.map(QPointF(Pos) + QPointF(0.5, 0.5));
  const int x = int(std::floor(at.x())) - g.origin, y = int(std::floor(at.y())) - g.origin;
  if (x < 0 || y < 0 || x >= kColCount * g.pitch || y >= kRowCount * g.pitch) return false;
  ACol = x / g.pitch;
  ARow = y / g.pitch;
  return true;
}

void TDrawGrid::UpdateCell(int ACol, int ARow) {
  const qreal ratio = devicePixelRatioF();
  if (ratio == std::floor(ratio)) {
    update(CellRect(ACol, ARow));
    return;
  }
  const DeviceFrame frame = BackingFrame(*this);
  update(frame.toDevice.inverted()
             .mapRect(QRectF(GridPainting::ToQRect(GridPainting::Geometry(ratio).Cell(ACol, ARow))))
             .toAlignedRect());
}

bool TDrawGrid::MoveTo(int ACol, int ARow) {
  bool canSelect = true;
  if (d->onSelectCell) d->onSelectCell(this, ACol, ARow, canSelect);
  if (!canSelect) return false;
  UpdateCell(d->col, d->row);
  d->col = ACol;
  d->row = ARow;
  UpdateCell(ACol, ARow);
  AnnounceCurrentCell();
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
  // Toward the pointer in each direction in which it lies outside the cells.
  const int x = d->pointer.x() - kBorder, y = d->pointer.y() - kBorder;
  auto outside = [](int at, int span) { return at < 0 ? -1 : (at >= span ? 1 : 0); };
  const quarvel::TGridCell next =
      quarvel::CellAfterDragStep({d->col, d->row}, outside(x, kCellsWidth), outside(y, kCellsHeight));
  if (next.Col != d->col || next.Row != d->row) MoveTo(next.Col, next.Row);
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
  // One row a notch, each a move of its own.
  const int rows = d->wheel.Add(delta);
  const quarvel::TGridKey key = rows < 0 ? quarvel::TGridKey::Up : quarvel::TGridKey::Down;
  for (int step = 0; step < std::abs(rows); ++step) {
    const quarvel::TGridCell next = quarvel::CellAfterKey({d->col, d->row}, key, false);
    if (next.Row != d->row) MoveTo(next.Col, next.Row);
  }
}

void TDrawGrid::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  const bool ctrl = mods == Qt::ControlModifier;
  if (mods != Qt::NoModifier && !ctrl) {
    QWidget::keyPressEvent(e);
    return;
  }
  static constexpr std::pair<int, quarvel::TGridKey> kKeys[] = {
      {Qt::Key_Up, quarvel::TGridKey::Up},         {Qt::Key_Down, quarvel::TGridKey::Down},
      {Qt::Key_Left, quarvel::TGridKey::Left},     {Qt::Key_Right, quarvel::TGridKey::Right},
      {Qt::Key_Home, quarvel::TGridKey::Home},     {Qt::Key_End, quarvel::TGridKey::End},
      {Qt::Key_PageUp, quarvel::TGridKey::PageUp}, {Qt::Key_PageDown, quarvel::TGridKey::PageDown}};
  const auto found = std::ranges::find(kKeys, e->key(), &std::pair<int, quarvel::TGridKey>::first);
  if (found == std::end(kKeys)) {
    QWidget::keyPressEvent(e);
    return;
  }
  e->accept();
  const quarvel::TGridCell next = quarvel::CellAfterKey({d->col, d->row}, found->second, ctrl);
  if (next.Col != d->col || next.Row != d->row) MoveTo(next.Col, next.Row);
}

// QWidget's own handlers would redraw the whole grid; only the current cell changes its look.
void TDrawGrid::focusInEvent(QFocusEvent*) {
  UpdateCell(d->col, d->row);
  AnnounceCurrentCell();
}

void TDrawGrid::focusOutEvent(QFocusEvent*) { UpdateCell(d->col, d->row); }

// Screen readers follow the focus: with the grid focused, its focus is on the current cell.
void TDrawGrid::AnnounceCurrentCell() {
  if (!QAccessible::isActive()) return;           // no assistive technology listens
  const int child = d->row * kColCount + d->col;  // the cell's index among the table's children
  QAccessibleEvent selection(this, QAccessible::Selection);
  selection.setChild(child);
  QAccessible::updateAccessibility(&selection);
  if (!hasFocus()) return;
  QAccessibleEvent focus(this, QAccessible::Focus);
  focus.setChild(child);
  QAccessible::updateAccessibility(&focus);
}

void TDrawGrid::PaintCell(QPainter& p, const QTransform& frame, qreal ratio, int ACol, int ARow) {
  const QRect rect = CellRect(ACol, ARow);
  const GridPainting::Geometry g(ratio);
  const QRect cell = GridPainting::ToQRect(g.Cell(ACol, ARow));
  // The owner draws in the 100 % cell; that square is stretched over the cell's device
  // pixels, whole pictures in whole pixels, with no smoothing.
  const qreal stretch = qreal(g.cell) / kCellSize;
  const QTransform ownerToCell =
      QTransform::fromTranslate(-rect.x(), -rect.y()) * QTransform::fromScale(stretch, stretch);
  TGridDrawState state;
  state.Selected = ACol == d->col && ARow == d->row;
  state.Focused = state.Selected && IsActiveControl();
  const QPalette& pal = palette();
  const QColor background =
      state.Selected && !state.Focused ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);

  if (!state.Focused) {
    p.setWorldTransform(frame);
    p.fillRect(cell, background);
    if (d->onDrawCell) {
      p.save();
      p.setWorldTransform(ownerToCell * QTransform::fromTranslate(cell.x(), cell.y()) * frame);
      d->onDrawCell(this, ACol, ARow, rect, state, p);
      p.restore();
    }
    return;
  }

  // The focused cell is composed off screen so that its focus mark can invert exactly the
  // pixels it covers, whatever the owner drew there: the core's pixels, painted through a
  // QImage that shares them (opaque, so premultiplied or not is alike).
  quarvel::Picture pixels(g.cell, g.cell, background.rgb());
  QImage image(reinterpret_cast<uchar*>(pixels.Pixels.data()), g.cell, g.cell, g.cell * int(sizeof(quarvel::Rgb)),
               QImage::Format_ARGB32_Premultiplied);
  if (d->onDrawCell) {
    QPainter canvas(&image);
    canvas.setWorldTransform(ownerToCell);
    d->onDrawCell(this, ACol, ARow, rect, state, canvas);
  }
  quarvel::InvertDottedOutline(pixels, {0, 0, g.cell, g.cell}, g.line);
  p.setWorldTransform(frame);
  p.drawImage(cell.topLeft(), image);
}

void TDrawGrid::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const QPalette& pal = palette();
  const qreal ratio = p.device()->devicePixelRatioF();
  const GridPainting::Geometry g(ratio);
  const DeviceFrame frame = FrameFor(p.deviceTransform(), size());

  if (ratio != std::floor(ratio)) {
    // Device pixels the widget covers only in part take the outer ring's colours.
    p.fillRect(QRect(0, 0, width(), 1), pal.color(QPalette::Dark));
    p.fillRect(QRect(0, 0, 1, height()), pal.color(QPalette::Dark));
    p.fillRect(QRect(0, height() - 1, width(), 1), pal.color(QPalette::Light));
    p.fillRect(QRect(width() - 1, 0, 1, height()), pal.color(QPalette::Light));
  }
  p.setWorldTransform(frame.paint);
  // The border, the lines and the strips; cells the repaint leaves out keep their pixels.
  GridPainting::PaintFrame(p, GridPainting::ColoursFromPalette(pal), g, frame.size);

  // The cells the repaint reaches with whole device pixels.
  QRegion dirty;
  for (const QRect& r : e->region()) dirty += InnerPixels(frame.toDevice.mapRect(QRectF(r)));
  for (int c = 0; c < kColCount; ++c) {
    for (int r = 0; r < kRowCount; ++r) {
      if (dirty.intersects(GridPainting::ToQRect(g.Cell(c, r)))) PaintCell(p, frame.paint, ratio, c, r);
    }
  }
}
