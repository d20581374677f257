#include "win32/Unit2.h"

#include "editor/EditorTexts.h"
#include "editor/Layout.h"
#include "win32/Controls.h"

TForm2* Form2 = nullptr;

namespace {
using WindowLayout::At;
using WindowLayout::kLevelsCopy;
}  // namespace

TForm2::TForm2(HWND owner) {
  // A dialog frame of fixed size with no icon, no system menu and no close box.
  CreateForm(L"TForm2", win32::Widen(quarvel::kLevelsCopyCaption).c_str(), WS_EX_DLGMODALFRAME,
             WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, kClientWidth, kClientHeight, owner);
  const HFONT font = win32::FormFont(dpi_);
  auto s = [this](int pixels) { return win32::Scaled(pixels, dpi_); };
  auto newField = [&](const WindowLayout::TControlPlace& place) {
    auto* field = new TSpinEdit(hwnd_, s(place.Left), s(place.Top), s(place.Width), s(place.Height), L"1");
    field->SetRange(1, 256);
    field->SetFont(font);
    return field;
  };
  // In tab order.
  SpinEdit1 = newField(At(kLevelsCopy, "SpinEdit1"));
  SpinEdit2 = newField(At(kLevelsCopy, "SpinEdit2"));
  SpinEdit3 = newField(At(kLevelsCopy, "SpinEdit3"));
  constexpr auto ok = At(kLevelsCopy, "Button1");
  constexpr auto cancel = At(kLevelsCopy, "Button2");
  Button1 = win32::NewButton(hwnd_, kButton1, win32::Widen(quarvel::kOkCaption).c_str(), s(ok.Left), s(ok.Top),
                             s(ok.Width), s(ok.Height), font);
  Button2 = win32::NewButton(hwnd_, kButton2, win32::Widen(quarvel::kCancelCaption).c_str(), s(cancel.Left),
                             s(cancel.Top), s(cancel.Width), s(cancel.Height), font);
  HWND* labels[] = {&Label1, &Label2, &Label3};
  constexpr WindowLayout::TControlPlace places[] = {At(kLevelsCopy, "Label1"), At(kLevelsCopy, "Label2"),
                                                    At(kLevelsCopy, "Label3")};
  TSpinEdit* fields[] = {SpinEdit1, SpinEdit2, SpinEdit3};
  for (int i = 0; i < 3; ++i) {
    const std::wstring caption = win32::Widen(quarvel::kLevelsCopyLabels[i]);
    *labels[i] = win32::NewLabel(hwnd_, caption.c_str(), s(places[i].Left), s(places[i].Top), font, s(13));
    fields[i]->SetName(caption);
  }
}

TForm2::~TForm2() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  delete SpinEdit1;
  delete SpinEdit2;
  delete SpinEdit3;
}

POINT TForm2::FirstPlace(HWND) { return POINT{win32::Scaled(kLeft, dpi_), win32::Scaled(kTop, dpi_)}; }

void TForm2::Clicked(int id) {
  if (id == kButton1) EndModal(true);
  if (id == kButton2) EndModal(false);
}
