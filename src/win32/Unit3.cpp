#include "win32/Unit3.h"

#include <algorithm>

#include "editor/EditorTexts.h"
#include "win32/Controls.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(HWND owner) {
  // A tool window of fixed size with a caption only: no icon, no system menu, no close box.
  CreateForm(L"TForm3", win32::Widen(quarvel::kAboutCaption).c_str(), WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME,
             WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, kClientWidth, kClientHeight, owner);
  const HFONT font = win32::FormFont(dpi_);
  auto s = [this](int pixels) { return win32::Scaled(pixels, dpi_); };
  // In tab order: the Close button first.
  Button1 = win32::NewButton(hwnd_, kButton1, win32::Widen(quarvel::kCloseCaption).c_str(), s(80), s(200), s(75), s(25),
                             font);
  std::wstring text;
  for (const char* line : quarvel::kAboutLines) {
    if (!text.empty()) text += L"\r\n";
    text += win32::Widen(line);
  }
  // Read-only, lines centred, on the button face (a read-only edit box asks for the
  // colours of a static control).
  Memo1 = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_CENTER, s(8), s(8),
                            s(217), s(177), hwnd_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(Memo1, WM_SETFONT, WPARAM(font), FALSE);
}

TForm3::~TForm3() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

POINT TForm3::FirstPlace(HWND owner) {
  RECT frame, own;
  ::GetWindowRect(owner, &frame);
  ::GetWindowRect(hwnd_, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  const int left = frame.left + (frame.right - frame.left - width) / 2;
  const int top = frame.top + (frame.bottom - frame.top - height) / 2;
  return POINT{std::max(0, left), std::max(0, top)};
}

void TForm3::Button1Click(HWND) { EndModal(true); }

void TForm3::Execute(HWND owner) { ShowModal(owner); }

void TForm3::Clicked(int id) {
  if (id == kButton1) Button1Click(Button1);
}
