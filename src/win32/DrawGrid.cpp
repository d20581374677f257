#include "win32/DrawGrid.h"

#include <algorithm>

#include "win32/Dpi.h"
#include "win32/GridAccessible.h"

namespace {

constexpr UINT_PTR kDragTimer = 1;
constexpr int kLastCol = TDrawGrid::kColCount - 1;
constexpr int kLastRow = TDrawGrid::kRowCount - 1;

quarvel::Rgb FromColorRef(COLORREF c) { return quarvel::OpaqueRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

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

TDrawGrid::TDrawGrid(HWND parent, int left, int top) {
  RegisterClassOnce(L"TDrawGrid", CS_DBLCLKS, nullptr);
  // Its text is its name for screen readers.
  Create(0, L"TDrawGrid", L"Level grid", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, left, top,
         quarvel::kGridWidth, quarvel::kGridHeight, parent, nullptr);
  const quarvel::GridLayout layout = CurrentLayout();
  ::SetWindowPos(hwnd_, nullptr, 0, 0, layout.width, layout.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TDrawGrid::~TDrawGrid() {
  if (!accessible_) return;
  accessible_->Disconnect();
  accessible_->Release();
}

IAccessible* TDrawGrid::Accessible() {
  if (!accessible_) accessible_ = new TGridAccessible(this);
  accessible_->AddRef();
  return accessible_;
}

quarvel::GridLayout TDrawGrid::CurrentLayout() const {
  const UINT dpi = win32::WindowDpi(hwnd_);
  return quarvel::GridAtRatio((dpi ? dpi : 96) / 96.0);
}

void TDrawGrid::RepaintAll() {
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  ::UpdateWindow(hwnd_);
}

void TDrawGrid::InvalidateCell(int ACol, int ARow) {
  const quarvel::PixelRect cell = CurrentLayout().geometry.Cell(ACol, ARow);
  const RECT r{cell.X, cell.Y, cell.X + cell.Width, cell.Y + cell.Height};
  ::InvalidateRect(hwnd_, &r, FALSE);
}

bool TDrawGrid::CellAt(POINT point, int& ACol, int& ARow) const {
  const quarvel::GridGeometry g = CurrentLayout().geometry;
  const int x = point.x - g.origin, y = point.y - g.origin;
  if (x < 0 || y < 0 || x >= kColCount * g.pitch || y >= kRowCount * g.pitch) return false;
  ACol = x / g.pitch;
  ARow = y / g.pitch;
  return true;
}

bool TDrawGrid::MoveTo(int ACol, int ARow) {
  bool canSelect = true;
  if (onSelectCell_) onSelectCell_(this, ACol, ARow, canSelect);
  if (!canSelect) return false;
  InvalidateCell(col_, row_);
  col_ = ACol;
  row_ = ARow;
  InvalidateCell(col_, row_);
  ::NotifyWinEvent(EVENT_OBJECT_SELECTION, hwnd_, OBJID_CLIENT, row_ * kColCount + col_ + 1);
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
  const int x = pointer.x - g.origin, y = pointer.y - g.origin;
  const int dc = x < 0 ? -1 : (x >= kColCount * g.pitch ? 1 : 0);
  const int dr = y < 0 ? -1 : (y >= kRowCount * g.pitch ? 1 : 0);
  const int c = std::clamp(col_ + dc, 0, kLastCol);
  const int r = std::clamp(row_ + dr, 0, kLastRow);
  if (c != col_ || r != row_) MoveTo(c, r);
}

void TDrawGrid::KeyDown(WPARAM key) {
  const bool ctrl = ::GetKeyState(VK_CONTROL) & 0x8000;
  int c = col_, r = row_;
  switch (key) {
    case VK_UP:
      if (!ctrl) r = std::clamp(r - 1, 0, kLastRow);
      break;
    case VK_DOWN:
      if (!ctrl) r = std::clamp(r + 1, 0, kLastRow);
      break;
    case VK_LEFT:
      c = ctrl ? 0 : std::clamp(c - 1, 0, kLastCol);
      break;
    case VK_RIGHT:
      c = ctrl ? kLastCol : std::clamp(c + 1, 0, kLastCol);
      break;
    case VK_HOME:
      c = 0;
      if (ctrl) r = 0;
      break;
    case VK_END:
      c = kLastCol;
      if (ctrl) r = kLastRow;
      break;
    case VK_PRIOR:
      r = std::clamp(r - kLastRow, 0, kLastRow);
      break;
    case VK_NEXT:
      r = std::clamp(r + kLastRow, 0, kLastRow);
      break;
    default:
      return;
  }
  if (c != col_ || r != row_) MoveTo(c, r);
}

quarvel::Picture TDrawGrid::Compose() const {
  const quarvel::GridLayout layout = CurrentLayout();
  const quarvel::GridColours colours = SystemGridColours();
  quarvel::Picture canvas(layout.width, layout.height, colours.Base);
  for (const quarvel::ColouredRect& fill : quarvel::GridFrame(colours, layout)) canvas.Fill(fill.rect, fill.colour);
  const quarvel::GridGeometry& g = layout.geometry;
  for (int c = 0; c < kColCount; ++c) {
    for (int r = 0; r < kRowCount; ++r) {
      const quarvel::PixelRect cell = g.Cell(c, r);
      TGridDrawState state;
      state.Selected = c == col_ && r == row_;
      state.Focused = state.Selected && active_;
      canvas.Fill(cell, state.Selected && !state.Focused ? colours.Highlight : colours.Base);
      if (onDrawCell_) onDrawCell_(const_cast<TDrawGrid*>(this), c, r, cell, state, canvas);
      if (state.Focused) quarvel::InvertDottedOutline(canvas, cell, g.line);
    }
  }
  return canvas;
}

void TDrawGrid::Paint(HDC dc) {
  const quarvel::Picture picture = Compose();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.Width;
  info.bmiHeader.biHeight = -picture.Height;  // top-down, as the picture's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // 0xAARRGGBB in memory is B, G, R, A: a 32-bit DIB's own order.
  ::SetDIBitsToDevice(dc, 0, 0, DWORD(picture.Width), DWORD(picture.Height), 0, 0, 0, UINT(picture.Height),
                      picture.Pixels.data(), &info, DIB_RGB_COLORS);
}

LRESULT TDrawGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return PaintNow();
    case WM_ERASEBKGND:
      return 1;
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
      InvalidateCell(col_, row_);
      ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, row_ * kColCount + col_ + 1);
      return 0;
    case WM_KILLFOCUS: {
      // Still the window's active control while another window (a box, a dialog) or the
      // window itself holds the focus; no longer once another control of it takes it.
      const HWND to = HWND(wParam);
      const HWND root = ::GetAncestor(hwnd_, GA_ROOT);
      if (to && to != root && ::GetAncestor(to, GA_ROOT) == root) {
        active_ = false;
        InvalidateCell(col_, row_);
      }
      return 0;
    }
    case WM_LBUTTONDOWN: {
      // The focus comes first, so that the control losing it finishes its work before a
      // cell is painted.
      ::SetFocus(hwnd_);
      if (dragging_) return 0;
      int c, r;
      if (!CellAt(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}, c, r)) return 0;
      dragging_ = true;
      ::SetCapture(hwnd_);
      MoveTo(c, r);
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
      int c, r;
      if (CellAt(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}, c, r)) {
        SetStepping(false);
        if (c != col_ || r != row_) MoveTo(c, r);
      } else {
        SetStepping(true);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!dragging_) return 0;
      ::ReleaseCapture();  // WM_CAPTURECHANGED ends the drag
      int c, r;
      if (CellAt(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}, c, r) && (c != col_ || r != row_)) MoveTo(c, r);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (dragging_) EndDrag();
      return 0;
    case WM_TIMER:
      if (wParam == kDragTimer) DragStep();
      return 0;
    case WM_MOUSEWHEEL: {
      if (::GetFocus() != hwnd_) return 0;
      // Turns add up with their signs: a part turn back takes away from what was collected.
      wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
      while (wheelRemainder_ >= kWheelNotch) {  // turned up
        wheelRemainder_ -= kWheelNotch;
        if (row_ > 0) MoveTo(col_, row_ - 1);
      }
      while (wheelRemainder_ <= -kWheelNotch) {  // turned down
        wheelRemainder_ += kWheelNotch;
        if (row_ < kLastRow) MoveTo(col_, row_ + 1);
      }
      return 0;
    }
    case WM_KEYDOWN:
      KeyDown(wParam);
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}
