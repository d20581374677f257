#include "win32/Form.h"

#include <string>
#include <string_view>

#include "win32/Dpi.h"
#include "win32/FormFont.h"

namespace win32 {

namespace {

// A label's height: a line of the form font at 96 dpi.
constexpr int kLabelHeight = 13;

SIZE TextSize(HWND control, HFONT font) {
  const int length = ::GetWindowTextLengthW(control);
  std::wstring text(std::size_t(length) + 1, L'\0');
  text.resize(std::size_t(::GetWindowTextW(control, text.data(), length + 1)));
  HDC dc = ::GetDC(control);
  HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return size;
}

}  // namespace

HWND TForm::Place(const WindowLayout::TControlPlace& place, HWND control, TSizing sizing) {
  placed_.push_back({place, control, sizing});
  Move(placed_.back());
  return control;
}

void TForm::Move(const TPlaced& placed) const {
  const HFONT font = FormFont(dpi_);
  ::SendMessageW(placed.Control, WM_SETFONT, WPARAM(font), FALSE);
  const WindowLayout::TControlPlace& place = placed.Place;
  const int left = Scaled(place.Left, dpi_), top = Scaled(place.Top, dpi_);
  if (placed.Sizing == TSizing::Own) {
    ::SetWindowPos(placed.Control, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  const bool label = place.Width < 0;
  const int width = label ? TextSize(placed.Control, font).cx : Scaled(place.Width, dpi_);
  const int height = Scaled(label ? kLabelHeight : place.Height, dpi_);
  ::SetWindowPos(placed.Control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::FitClientArea() {
  const int width = Scaled(form_.ClientWidth, dpi_), height = Scaled(form_.ClientHeight, dpi_);
  RECT frame{0, 0, width, height};
  AdjustWindowRectForDpi(&frame, DWORD(::GetWindowLongPtrW(hwnd_, GWL_STYLE)), ::GetMenu(hwnd_) != nullptr,
                         DWORD(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
  ::SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  ::GetClientRect(hwnd_, &client);
  if (client.right != width || client.bottom != height) {
    RECT window;
    ::GetWindowRect(hwnd_, &window);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + width - client.right,
                   window.bottom - window.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm::ChangeDpi(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea();
  for (const TPlaced& placed : placed_) {
    // The dpi first, so that a control of ours lays out its parts for it when it is sized.
    ::SendMessageW(placed.Control, WM_DPICHANGED_AFTERPARENT, dpi_, 0);
    Move(placed);
  }
  DpiChanged();
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TForm::SetTabOrder(std::span<const WindowLayout::TControlPlace> table) {
  HWND previous = HWND_TOP;
  for (const WindowLayout::TControlPlace& place : WindowLayout::TabOrder(table)) {
    for (const TPlaced& placed : placed_) {
      if (std::string_view(placed.Place.Name) != place.Name) continue;
      ::SetWindowPos(placed.Control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = placed.Control;
    }
  }
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      // Labels, and the read-only About text, on the button face in the window-text colour.
      HDC dc = HDC(wParam);
      ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
      ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
      return LRESULT(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ACTIVATE:
      // The window's active control keeps its place while another window is in front.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) activeControl_ = focus;
        return 0;
      }
      if (activeControl_ && ::IsWindow(activeControl_) && !::IsIconic(hwnd_)) {
        ::SetFocus(activeControl_);
        return 0;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace win32
