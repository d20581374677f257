#include "win32/Unit3.h"

#include "editor/EditorTexts.h"
#include "win32/Controls.h"
#include "win32/Text.h"

TForm3* Form3 = nullptr;

namespace {
using WindowLayout::At;
using WindowLayout::kAbout;
}  // namespace

TForm3::TForm3(HWND owner) : TModalForm(WindowLayout::kForm3) {
  // A tool window of fixed size with a caption only: no icon, no system menu, no close box.
  CreateForm(L"TForm3", win32::Widen(quarvel::kAboutCaption).c_str(), WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME,
             WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, owner);
  std::wstring text;
  for (const char* line : quarvel::kAboutLines) {
    if (!text.empty()) text += L"\r\n";
    text += win32::Widen(line);
  }
  Button1 =
      Place(At(kAbout, "Button1"), win32::NewButton(hwnd_, kButton1, win32::Widen(quarvel::kCloseCaption).c_str()));
  // Read-only, lines centred, on the button face (a read-only edit box asks for the
  // colours of a static control).
  Memo1 = Place(At(kAbout, "Memo1"),
                ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_CENTER, 0, 0, 0,
                                  0, hwnd_, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  SetTabOrder(kAbout);
}

TForm3::~TForm3() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

void TForm3::Button1Click(HWND) { EndModal(true); }

void TForm3::Execute(HWND owner) { ShowModal(owner); }

void TForm3::Clicked(int id) {
  if (id == kButton1) Button1Click(Button1);
}
