#include "win32/DrawGrid.h"

#include <algorithm>
#include <iterator>

#include "editor/EditorTexts.h"
#include "editor/GridCells.h"
#include "win32/Dpi.h"
#include "win32/GridAccessible.h"
#include "win32/Text.h"

namespace {

using quarvel::TGridCell;
using quarvel::TGridKey;

constexpr UINT_PTR kDragTimer = 1;

// The grid's keys.
constexpr std::pair<WPARAM, TGridKey> kKeys[] = {
    {VK_UP, TGridKey::Up},     {VK_DOWN, TGridKey::Down}, {VK_LEFT, TGridKey::Left},    {VK_RIGHT, TGridKey::Right},
    {VK_HOME, TGridKey::Home}, {VK_END, TGridKey::End},   {VK_PRIOR, TGridKey::PageUp}, {VK_NEXT, TGridKey::PageDown},
};

quarvel::Rgb FromColorRef(COLORREF c) { return quarvel::OpaqueRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

RECT ToRect(const quarvel::PixelRect& r) { return RECT{r.X, r.Y, r.X + r.Width, r.Y + r.Height}; }

bool Meets(const quarvel::PixelRect& cell, const RECT& dirty) {
  const RECT square = ToRect(cell);
  RECT common;
  return ::IntersectRect(&common, &square, &dirty) != FALSE;
}

POINT PointOf(LPARAM lParam) { return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}; }

}  // namespace

quarvel::GridColours SystemGridColours() {
  quarvel::GridColours colours;
  colours.Base = FromColorRef(::GetSysColor(COLOR_WINDOW));
  colours.Lines = quarvel::GridLinesOn(colours.Base);
  colours.Highlight = FromColorRef(::GetSysColor(COLOR_HIGHLIGHT));
  colours.Dark = FromColorRef(::GetSysColor(COLOR_BTNSHADOW));
  colours.Light = FromColorRef(::GetSysColor(COLOR_BTNHIGHLIGHT));
  colours.Shadow = FromColorRef(::GetSysColor(COLOR_3DDKSHADOW));
  colours.Midlight = FromColorRef(::GetSysColor(COLOR_3DLIGHT));
  return colours;
}

TDrawGrid::TDrawGrid(HWND parent) {
  RegisterClassOnce(L"TDrawGrid", CS_DBLCLKS, nullptr);
  // Its text is its name for screen readers.
  Create(0, L"TDrawGrid", win32::Widen(quarvel::kGridName).c_str(),
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, quarvel::kGridWidth, quarvel::kGridHeight, parent,
         nullptr);
  if (const UINT dpi = win32::WindowDpi(hwnd_)) dpi_ = dpi;
  FitToCells();
}

void TDrawGrid::FitToCells() {
  const quarvel::GridLayout layout = CurrentLayout();
  ::SetWindowPos(hwnd_, nullptr, 0, 0, layout.width, layout.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TDrawGrid::~TDrawGrid() {
  if (!accessible_) return;
  accessible_->Disconnect();
  accessible_->Release();
}

IAccessible* TDrawGrid::Accessible() {
  if (!accessible_) accessible_ = new TGridAccessible(*this);
  accessible_->AddRef();
  return accessible_;
}

quarvel::GridLayout TDrawGrid::CurrentLayout() const { return quarvel::GridAtRatio(dpi_ / 96.0); }

void TDrawGrid::RepaintAll() {
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  ::UpdateWindow(hwnd_);
}

RECT TDrawGrid::CellRect(TGridCell cell) const { return ToRect(CurrentLayout().geometry.Cell(cell.Col, cell.Row)); }

void TDrawGrid::InvalidateCell(TGridCell cell) {
  const RECT r = CellRect(cell);
  ::InvalidateRect(hwnd_, &r, FALSE);
}

std::string TDrawGrid::CellName(TGridCell cell) const {
  return onCellName_ ? onCellName_(cell.Col, cell.Row) : std::string();
}

std::optional<TGridCell> TDrawGrid::CellAt(POINT point) const {
  const quarvel::GridGeometry g = CurrentLayout().geometry;
  const int x = point.x - g.origin, y = point.y - g.origin;
  if (x < 0 || y < 0 || x >= quarvel::kColumns * g.pitch || y >= quarvel::kRows * g.pitch) return std::nullopt;
  return TGridCell{x / g.pitch, y / g.pitch};
}

bool TDrawGrid::MoveTo(TGridCell cell) {
  bool canSelect = true;
  if (onSelectCell_) onSelectCell_(this, cell.Col, cell.Row, canSelect);
  if (!canSelect) return false;
  InvalidateCell(cell_);
  cell_ = cell;
  InvalidateCell(cell_);
  ::NotifyWinEvent(EVENT_OBJECT_SELECTION, hwnd_, OBJID_CLIENT, TGridAccessible::ChildId(cell_));
  return true;
}

void TDrawGrid::EndDrag() {
  dragging_ = false;
  SetStepping(false);
}

void TDrawGrid::SetStepping(bool on) {
  if (on == stepping_) return;
  stepping_ = on;
  if (on)
    ::SetTimer(hwnd_, kDragTimer, kDragStepMs, nullptr);
  else
    ::KillTimer(hwnd_, kDragTimer);
}

void TDrawGrid::DragStep() {
  if (!dragging_) {
    SetStepping(false);
    return;
  }
  POINT pointer;
  ::GetCursorPos(&pointer);
  ::ScreenToClient(hwnd_, &pointer);
  const quarvel::GridGeometry g = CurrentLayout().geometry;
  // -1 before the first cell, 1 past the last, 0 within the cells' span.
  auto outside = [&g](int at, int cells) { return at < g.origin ? -1 : (at >= g.origin + cells * g.pitch ? 1 : 0); };
  const TGridCell next =
      quarvel::CellAfterDragStep(cell_, outside(pointer.x, quarvel::kColumns), outside(pointer.y, quarvel::kRows));
  if (next != cell_) MoveTo(next);
}

void TDrawGrid::KeyDown(WPARAM key) {
  const auto found = std::ranges::find(kKeys, key, &std::pair<WPARAM, TGridKey>::first);
  if (found == std::end(kKeys)) return;
  const bool ctrl = ::GetKeyState(VK_CONTROL) & 0x8000;
  const TGridCell next = quarvel::CellAfterKey(cell_, found->second, ctrl);
  if (next != cell_) MoveTo(next);
}

void TDrawGrid::Wheel(int delta) {
  // One row a notch, each row a move of its own; none past the grid's edge.
  const int rows = wheel_.Add(delta);
  const TGridKey key = rows < 0 ? TGridKey::Up : TGridKey::Down;
  for (int step = 0; step < std::abs(rows); ++step) {
    const TGridCell next = quarvel::CellAfterKey(cell_, key, false);
    if (next != cell_) MoveTo(next);
  }
}

quarvel::Picture TDrawGrid::Compose() const {
  const quarvel::GridLayout layout = CurrentLayout();
  return Compose(RECT{0, 0, layout.width, layout.height});
}

quarvel::Picture TDrawGrid::Compose(const RECT& dirty) const {
  const quarvel::GridLayout layout = CurrentLayout();
  const quarvel::GridColours colours = SystemGridColours();
  quarvel::Picture canvas(layout.width, layout.height, colours.Base);
  for (const quarvel::ColouredRect& fill : quarvel::GridFrame(colours, layout)) canvas.Fill(fill.rect, fill.colour);
  const quarvel::GridGeometry& g = layout.geometry;
  for (int c = 0; c < quarvel::kColumns; ++c) {
    for (int r = 0; r < quarvel::kRows; ++r) {
      const quarvel::PixelRect cell = g.Cell(c, r);
      if (!Meets(cell, dirty)) continue;
      TGridDrawState state;
      state.Selected = TGridCell{c, r} == cell_;
      state.Focused = state.Selected && active_;
      canvas.Fill(cell, state.Selected && !state.Focused ? colours.Highlight : colours.Base);
      if (onDrawCell_) onDrawCell_(const_cast<TDrawGrid*>(this), c, r, cell, state, canvas);
      if (state.Focused) quarvel::InvertDottedOutline(canvas, cell, g.line);
    }
  }
  return canvas;
}

void TDrawGrid::Paint(HDC dc, const RECT& dirty) {
  const quarvel::Picture whole = Compose(dirty);
  // Only the part asked for goes to the screen: outside it, cells were not drawn.
  const RECT part{std::max(0L, dirty.left), std::max(0L, dirty.top), std::min(LONG(whole.Width), dirty.right),
                  std::min(LONG(whole.Height), dirty.bottom)};
  if (part.left >= part.right || part.top >= part.bottom) return;
  quarvel::Picture picture(int(part.right - part.left), int(part.bottom - part.top));
  for (int y = 0; y < picture.Height; ++y) {
    const auto row = whole.Pixels.begin() + (part.top + y) * whole.Width + part.left;
    std::copy(row, row + picture.Width, picture.Pixels.begin() + y * picture.Width);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.Width;
  info.bmiHeader.biHeight = -picture.Height;  // top-down, as the picture's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // 0xAARRGGBB in memory is B, G, R, A: a 32-bit DIB's own order.
  ::SetDIBitsToDevice(dc, part.left, part.top, DWORD(picture.Width), DWORD(picture.Height), 0, 0, 0,
                      UINT(picture.Height), picture.Pixels.data(), &info, DIB_RGB_COLORS);
}

LRESULT TDrawGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return PaintNow();
    case WM_ERASEBKGND:
      return 1;
    case WM_DPICHANGED_AFTERPARENT:
      // Its window tells the new dpi; the system, which tells none, has it at the window.
      dpi_ = wParam ? UINT(wParam) : win32::WindowDpi(hwnd_);
      FitToCells();
      ::InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETOBJECT:
      if (DWORD(lParam) == DWORD(OBJID_CLIENT)) {
        IAccessible* accessible = Accessible();
        const LRESULT result = TGridAccessible::HandOver(accessible, wParam);
        accessible->Release();
        return result;
      }
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_SETFOCUS:
      active_ = true;
      InvalidateCell(cell_);
      ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, TGridAccessible::ChildId(cell_));
      return 0;
    case WM_KILLFOCUS: {
      // Still the window's active control while another window (a box, a dialog) or the
      // window itself holds the focus; no longer once another control of it takes it.
      const HWND to = HWND(wParam);
      const HWND root = ::GetAncestor(hwnd_, GA_ROOT);
      if (to && to != root && ::GetAncestor(to, GA_ROOT) == root) {
        active_ = false;
        InvalidateCell(cell_);
      }
      return 0;
    }
    case WM_LBUTTONDOWN: {
      // The focus comes first, so that the control losing it finishes its work before a
      // cell is painted.
      ::SetFocus(hwnd_);
      if (dragging_) return 0;
      const std::optional<TGridCell> cell = CellAt(PointOf(lParam));
      if (!cell) return 0;
      dragging_ = true;
      ::SetCapture(hwnd_);
      MoveTo(*cell);
      return 0;
    }
    case WM_LBUTTONDBLCLK:  // the second press of a double click neither moves nor drags
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      ::SetFocus(hwnd_);
      return 0;
    case WM_MOUSEMOVE: {
      if (!dragging_) return 0;
      if (!(wParam & MK_LBUTTON)) {  // the release went elsewhere
        ::ReleaseCapture();
        return 0;
      }
      if (const std::optional<TGridCell> cell = CellAt(PointOf(lParam))) {
        SetStepping(false);
        if (*cell != cell_) MoveTo(*cell);
      } else {
        SetStepping(true);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!dragging_) return 0;
      ::ReleaseCapture();  // WM_CAPTURECHANGED ends the drag
      const std::optional<TGridCell> cell = CellAt(PointOf(lParam));
      if (cell && *cell != cell_) MoveTo(*cell);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (dragging_) EndDrag();
      return 0;
    case WM_TIMER:
      if (wParam == kDragTimer) DragStep();
      return 0;
    case WM_MOUSEWHEEL:
      if (::GetFocus() == hwnd_) Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      KeyDown(wParam);
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}
