#include "win32/Unit2.h"

#include "editor/EditorTexts.h"
#include "editor/FieldRanges.h"
#include "win32/Controls.h"
#include "win32/Text.h"

TForm2* Form2 = nullptr;

namespace {
using WindowLayout::At;
using WindowLayout::kLevelsCopy;
}  // namespace

TForm2::TForm2(HWND owner) : TModalForm(WindowLayout::kForm2) {
  // A dialog frame of fixed size with no icon, no system menu and no close box.
  CreateForm(L"TForm2", win32::Widen(quarvel::kLevelsCopyCaption).c_str(), WS_EX_DLGMODALFRAME,
             WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, owner);
  TSpinEdit* TForm2::*const fields[] = {&TForm2::SpinEdit1, &TForm2::SpinEdit2, &TForm2::SpinEdit3};
  HWND TForm2::*const labels[] = {&TForm2::Label1, &TForm2::Label2, &TForm2::Label3};
  using Names = std::array<std::string_view, 3>;
  constexpr auto fieldPlaces = WindowLayout::AtEach(kLevelsCopy, Names{"SpinEdit1", "SpinEdit2", "SpinEdit3"});
  constexpr auto labelPlaces = WindowLayout::AtEach(kLevelsCopy, Names{"Label1", "Label2", "Label3"});
  for (std::size_t i = 0; i < 3; ++i) {
    const std::wstring caption = win32::Widen(quarvel::kLevelsCopyLabels[i]);
    TSpinEdit* field = this->*fields[i] = new TSpinEdit(hwnd_, L"1");
    field->SetRange(quarvel::kLevelFieldRange.Min, quarvel::kLevelFieldRange.Max);
    field->SetName(caption);
    Place(fieldPlaces[i], field->Handle());
    this->*labels[i] = Place(labelPlaces[i], win32::NewLabel(hwnd_, caption.c_str()));
  }
  Button1 =
      Place(At(kLevelsCopy, "Button1"), win32::NewButton(hwnd_, kButton1, win32::Widen(quarvel::kOkCaption).c_str()));
  Button2 = Place(At(kLevelsCopy, "Button2"),
                  win32::NewButton(hwnd_, kButton2, win32::Widen(quarvel::kCancelCaption).c_str()));
  SetTabOrder(kLevelsCopy);
}

TForm2::~TForm2() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  delete SpinEdit1;
  delete SpinEdit2;
  delete SpinEdit3;
}

void TForm2::Clicked(int id) {
  if (id == kButton1) EndModal(true);
  if (id == kButton2) EndModal(false);
}
