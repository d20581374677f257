#include "win32/SpinEdit.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "editor/IntegerText.h"
#include "win32/Beep.h"
#include "win32/Dpi.h"
#include "win32/FormFont.h"
#include "win32/ReportError.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr int kFrame = 2;  // the sunken edge around edit box and buttons

std::u16string_view View(const std::wstring& text) {
  return std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

std::wstring FromU16(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// The locale's decimal separator.
std::wstring DecimalSeparator() {
  wchar_t buffer[8] = {};
  if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) <= 1) return L".";
  return buffer;
}

}  // namespace

TSpinEdit::TSpinEdit(HWND parent, const wchar_t* text) {
  RegisterClassOnce(L"TSpinEdit", 0, nullptr);
  // The field holds its edit box for the dialog manager: Tab goes into it.
  Create(WS_EX_CONTROLPARENT, L"TSpinEdit", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
         parent, nullptr);
  edit_ = ::CreateWindowExW(0, L"EDIT", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, 0, 0, 0, 0,
                            hwnd_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SetWindowSubclass(edit_, EditProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
  if (const UINT dpi = win32::WindowDpi(hwnd_)) dpi_ = dpi;
}

TSpinEdit::~TSpinEdit() {
  // The edit box goes first, while what its messages reach is still alive.
  if (edit_) {
    ::RemoveWindowSubclass(edit_, EditProcedure, 1);
    ::DestroyWindow(edit_);
  }
}

void TSpinEdit::SetName(const std::wstring& name) {
  ::SetWindowTextW(hwnd_, name.c_str());
  HWND label = ::CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, hwnd_,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SetWindowPos(label, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSpinEdit::SetRange(std::int32_t minValue, std::int32_t maxValue) {
  minValue_ = minValue;
  maxValue_ = maxValue;
}

std::wstring TSpinEdit::Text() const {
  const int length = ::GetWindowTextLengthW(edit_);
  std::wstring text(std::size_t(length) + 1, L'\0');
  text.resize(std::size_t(::GetWindowTextW(edit_, text.data(), length + 1)));
  return text;
}

void TSpinEdit::SetText(const std::wstring& text) {
  settingText_ = true;
  ::SetWindowTextW(edit_, text.c_str());
  settingText_ = false;
  // A field not being typed into shows the start of a text too long for it.
  if (::GetFocus() != edit_) ::SendMessageW(edit_, EM_SETSEL, 0, 0);
}

std::int32_t TSpinEdit::Value() const { return quarvel::FieldValue(View(Text()), minValue_); }

void TSpinEdit::SetValue(std::int32_t v) {
  const std::wstring text = FromU16(quarvel::IntegerText(quarvel::ClampToField(v, minValue_, maxValue_)));
  if (text == Text()) return;
  SetText(text);
  Changed();
}

void TSpinEdit::Changed() {
  if (onChange_) onChange_(this);
}

void TSpinEdit::Step(int delta) { SetValue(quarvel::StepValue(Value(), delta)); }

void TSpinEdit::LayoutParts() {
  RECT client;
  ::GetClientRect(hwnd_, &client);
  const UINT dpi = dpi_;
  const int frame = win32::Scaled(kFrame, dpi);
  const int buttons = win32::Scaled(kButtonWidth, dpi);
  // The text sits one pixel in from the edge, as in a bordered edit box.
  ::MoveWindow(edit_, frame + 1, frame + 1, client.right - 2 * frame - buttons - 1, client.bottom - 2 * frame - 1,
               TRUE);
}

RECT TSpinEdit::PartRect(Part part) const {
  RECT client;
  ::GetClientRect(hwnd_, &client);
  const UINT dpi = dpi_;
  const int frame = win32::Scaled(kFrame, dpi);
  const int buttons = win32::Scaled(kButtonWidth, dpi);
  const int innerTop = frame, innerBottom = client.bottom - frame;
  const int upHeight = (innerBottom - innerTop) / 2;
  RECT r{client.right - frame - buttons, innerTop, client.right - frame, innerTop + upHeight};
  if (part == Part::Down) {
    r.top = innerTop + upHeight;
    r.bottom = innerBottom;
  }
  return r;
}

TSpinEdit::Part TSpinEdit::PartAt(POINT point) const {
  for (Part part : {Part::Up, Part::Down}) {
    const RECT r = PartRect(part);
    if (::PtInRect(&r, point)) return part;
  }
  return Part::None;
}

void TSpinEdit::Paint(HDC dc, const RECT& /*dirty*/) {
  RECT client;
  ::GetClientRect(hwnd_, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  ::DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
  const UINT dpi = dpi_;
  const int unit = win32::Scaled(1, dpi);
  for (Part part : {Part::Up, Part::Down}) {
    RECT r = PartRect(part);
    const bool pressed = held_ == part && heldDown_;
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    // The glyph: three rows of 5, 3 and 1 pixels, centred, nudged by one when pressed.
    const int shift = pressed ? unit : 0;
    const int cx = (r.left + r.right) / 2 + shift;
    const int top = r.top + ((r.bottom - r.top) - 3 * unit) / 2 + shift;
    HBRUSH text = ::GetSysColorBrush(COLOR_BTNTEXT);
    for (int row = 0; row < 3; ++row) {
      const int half = part == Part::Up ? row : 2 - row;
      RECT line{cx - half * unit - unit / 2, top + row * unit, cx + half * unit + (unit + 1) / 2,
                top + (row + 1) * unit};
      if (unit == 1) line = RECT{cx - half, top + row, cx + half + 1, top + row + 1};
      ::FillRect(dc, &line, text);
    }
  }
}

LRESULT TSpinEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return PaintNow();
    case WM_SIZE:
      LayoutParts();
      return 0;
    case WM_DPICHANGED_AFTERPARENT:
      // Its window tells the new dpi; the system, which tells none, has it at the window.
      dpi_ = wParam ? UINT(wParam) : win32::WindowDpi(hwnd_);
      LayoutParts();
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_SETFONT:
      // The field's font is its edit box's.
      ::SendMessageW(edit_, WM_SETFONT, wParam, TRUE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_COMMAND:
      if (HWND(lParam) == edit_ && HIWORD(wParam) == EN_CHANGE && !settingText_) Changed();
      return 0;
    case WM_CTLCOLOREDIT:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const Part part = PartAt(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
      if (part == Part::None) return 0;
      // Pressing a button gives the field the focus (the whole text selected).
      if (::GetFocus() != edit_) ::SetFocus(edit_);
      held_ = part;
      heldDown_ = true;
      ::SetCapture(hwnd_);
      ::SetTimer(hwnd_, kRepeatTimer, kRepeatDelayMs, nullptr);
      ::InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (held_ != Part::None) {
        const bool over = PartAt(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}) == held_;
        if (over != heldDown_) {
          heldDown_ = over;
          ::InvalidateRect(hwnd_, nullptr, FALSE);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (held_ != Part::None) {
        const Part part = held_;
        const bool over = PartAt(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}) == part;
        ::ReleaseCapture();  // WM_CAPTURECHANGED lets the button go
        if (over) Step(part == Part::Up ? 1 : -1);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (held_ != Part::None) {
        held_ = Part::None;
        heldDown_ = false;
        ::KillTimer(hwnd_, kRepeatTimer);
        ::InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimer) {
        ::SetTimer(hwnd_, kRepeatTimer, kRepeatIntervalMs, nullptr);
        if (held_ != Part::None && heldDown_) Step(held_ == Part::Up ? 1 : -1);
      }
      return 0;
    case WM_MOUSEWHEEL:
      return 0;  // the wheel does not step the field, and goes no further
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT CALLBACK TSpinEdit::EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  auto* field = reinterpret_cast<TSpinEdit*>(data);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, EditProcedure, 1);
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
  }
  try {
    return field->EditMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    win32::ReportError(error);
    return 0;
  }
}

LRESULT TSpinEdit::EditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter comes to the field, which refuses it, rather than to a default button.
      LRESULT code = ::DefSubclassProc(edit_, message, wParam, lParam);
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_UP || wParam == VK_DOWN) {
        Step(wParam == VK_UP ? 1 : -1);
        return 0;
      }
      break;
    case WM_CHAR: {
      const bool shortcut = (::GetKeyState(VK_CONTROL) & 0x8000) && !(::GetKeyState(VK_MENU) & 0x8000);
      const wchar_t c = wchar_t(wParam);
      const std::wstring typed(1, c);
      if (c == L'\r' || (!shortcut && !quarvel::TypedTextAllowed(View(typed), View(DecimalSeparator())))) {
        win32::SystemBeep();
        return 0;
      }
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      clicking_ = true;
      const LRESULT result = ::DefSubclassProc(edit_, message, wParam, lParam);
      clicking_ = false;
      return result;
    }
    case WM_SETFOCUS: {
      const LRESULT result = ::DefSubclassProc(edit_, message, wParam, lParam);
      // A click into the text places the caret; coming back from another window keeps the
      // selection; any other way in selects the whole text.
      const HWND from = HWND(wParam);
      const bool fromThisWindow = from && ::GetAncestor(from, GA_ROOT) == ::GetAncestor(edit_, GA_ROOT);
      if (!clicking_ && fromThisWindow) ::SendMessageW(edit_, EM_SETSEL, 0, -1);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = ::DefSubclassProc(edit_, message, wParam, lParam);
      // Leaving for another control of the same window clamps a typed value.
      const HWND to = HWND(wParam);
      if (to && to != edit_ && ::GetAncestor(to, GA_ROOT) == ::GetAncestor(edit_, GA_ROOT) &&
          to != ::GetAncestor(edit_, GA_ROOT) && quarvel::LeavingClamps(View(Text()), minValue_, maxValue_))
        SetValue(Value());
      return result;
    }
    case WM_MOUSEWHEEL:
      return 0;
    default:
      break;
  }
  return ::DefSubclassProc(edit_, message, wParam, lParam);
}
