#include "win32/Unit1.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <iterator>
#include <string>

#include "editor/EditorTexts.h"
#include "editor/FieldRanges.h"
#include "editor/Layout.h"
#include "editor/Palette.h"
#include "model/Tiles.h"
#include "win32/Application.h"
#include "win32/Controls.h"
#include "win32/Dpi.h"
#include "win32/FormFont.h"
#include "win32/ReportError.h"
#include "win32/ScreenPlace.h"
#include "win32/Text.h"

namespace Unit1 {
quarvel::EditorSession Editor;
}  // namespace Unit1

TForm1* Form1 = nullptr;

namespace {

using WindowLayout::At;
using WindowLayout::kMainWindow;
using WindowLayout::TControlPlace;

// A fixed single frame: the system menu, minimise and close; no maximise, no resizing.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

// Each palette button (in the palette's order, editor/Palette.h) and its click handler.
struct TPaletteSlot {
  HWND TForm1::*Button;
  void (TForm1::*Click)(HWND);
};
constexpr TPaletteSlot kPaletteSlots[] = {
    {&TForm1::BitBtn1, &TForm1::BitBtn1Click}, {&TForm1::BitBtn2, &TForm1::BitBtn2Click},
    {&TForm1::BitBtn3, &TForm1::BitBtn3Click}, {&TForm1::BitBtn4, &TForm1::BitBtn4Click},
    {&TForm1::BitBtn5, &TForm1::BitBtn5Click}, {&TForm1::BitBtn6, &TForm1::BitBtn6Click},
    {&TForm1::BitBtn7, &TForm1::BitBtn7Click}, {&TForm1::BitBtn8, &TForm1::BitBtn8Click},
    {&TForm1::BitBtn9, &TForm1::BitBtn9Click}, {&TForm1::BitBtn10, &TForm1::BitBtn10Click},
};
static_assert(std::size(kPaletteSlots) == std::size(quarvel::kPalette));

// Each integer field with its label: the five numbers, then the Level field.
struct TFieldSlot {
  TSpinEdit* TForm1::*Field;
  HWND TForm1::*Label;
  TControlPlace FieldPlace;
  TControlPlace LabelPlace;
  const char* Caption;
  const wchar_t* Text;  // its text at start
};
constexpr TFieldSlot kFieldSlots[] = {
    {&TForm1::SpinEdit1, &TForm1::Label1, At(kMainWindow, "SpinEdit1"), At(kMainWindow, "Label1"),
     quarvel::kNumberLabels[0], L"0"},
    {&TForm1::SpinEdit2, &TForm1::Label2, At(kMainWindow, "SpinEdit2"), At(kMainWindow, "Label2"),
     quarvel::kNumberLabels[1], L"0"},
    {&TForm1::SpinEdit3, &TForm1::Label3, At(kMainWindow, "SpinEdit3"), At(kMainWindow, "Label3"),
     quarvel::kNumberLabels[2], L"0"},
    {&TForm1::SpinEdit4, &TForm1::Label4, At(kMainWindow, "SpinEdit4"), At(kMainWindow, "Label4"),
     quarvel::kNumberLabels[3], L"0"},
    {&TForm1::SpinEdit5, &TForm1::Label5, At(kMainWindow, "SpinEdit5"), At(kMainWindow, "Label5"),
     quarvel::kNumberLabels[4], L"0"},
    {&TForm1::SpinEdit6, &TForm1::Label6, At(kMainWindow, "SpinEdit6"), At(kMainWindow, "Label6"), quarvel::kLevelLabel,
     L"1"},
};

}  // namespace

TForm1::TForm1() : TForm(WindowLayout::kForm1) {
  dpi_ = win32::SystemDpi();
  HICON icon = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  RegisterClassOnce(L"TForm1", 0, ::GetSysColorBrush(COLOR_BTNFACE), icon);
  CreateMenu();
  Create(kExStyle, L"TForm1", win32::Widen(quarvel::kMainCaption).c_str(), kStyle,
         win32::Scaled(WindowLayout::kForm1.Left, dpi_), win32::Scaled(WindowLayout::kForm1.Top, dpi_), 0, 0,
         Application ? Application->Handle() : nullptr, MainMenu1);
  dpi_ = win32::WindowDpi(hwnd_) ? win32::WindowDpi(hwnd_) : dpi_;
  FitClientArea();
  CreateControls();
  FormCreate(this);
  ConnectHandlers();  // only now: no change handler runs while the window is created
}

TForm1::~TForm1() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  delete DrawGrid1;
  for (TSpinEdit* field : {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5, SpinEdit6}) delete field;
  if (ImageList1) ::ImageList_Destroy(ImageList1);
}

void TForm1::CreateMenu() {
  // No shortcuts and no access letters.
  MainMenu1 = ::CreateMenu();
  File1 = ::CreatePopupMenu();
  ::AppendMenuW(File1, MF_STRING, kN1, win32::Widen(quarvel::kNewSetItem).c_str());
  ::AppendMenuW(File1, MF_STRING, kN2, win32::Widen(quarvel::kOpenSetItem).c_str());
  ::AppendMenuW(File1, MF_STRING, kN3, win32::Widen(quarvel::kSaveSetItem).c_str());
  ::AppendMenuW(File1, MF_SEPARATOR, 0, nullptr);  // N4
  ::AppendMenuW(File1, MF_STRING, kN7, win32::Widen(quarvel::kCopyItem).c_str());
  ::AppendMenuW(File1, MF_SEPARATOR, 0, nullptr);  // N6
  ::AppendMenuW(File1, MF_STRING, kN5, win32::Widen(quarvel::kExitItem).c_str());
  About1 = ::CreatePopupMenu();
  ::AppendMenuW(About1, MF_STRING, kAbout2, win32::Widen(quarvel::kAboutItem).c_str());
  ::AppendMenuW(MainMenu1, MF_POPUP, UINT_PTR(File1), win32::Widen(quarvel::kLevelsMenu).c_str());
  ::AppendMenuW(MainMenu1, MF_POPUP, UINT_PTR(About1), win32::Widen(quarvel::kHelpMenu).c_str());
}

void TForm1::MakeTilePictures() {
  // As large as the grid's cells at the window's dpi.
  if (ImageList1) ::ImageList_Destroy(ImageList1);
  ImageList1 = win32::NewTileImageList(quarvel::GridAtRatio(dpi_ / 96.0).geometry.cell);
}

void TForm1::DpiChanged() { MakeTilePictures(); }

void TForm1::CreateControls() {
  MakeTilePictures();
  DrawGrid1 = new TDrawGrid(hwnd_);
  Place(At(kMainWindow, "DrawGrid1"), DrawGrid1->Handle(), TSizing::Own);

  constexpr auto palettePlaces = WindowLayout::AtEach(kMainWindow, quarvel::kPaletteNames);
  for (std::size_t i = 0; i < palettePlaces.size(); ++i) {
    // The tile's name as the button's text: screen readers say it; the face shows the picture.
    const std::wstring name = win32::Widen(quarvel::kTiles[quarvel::kPalette[i].Code].Label);
    this->*kPaletteSlots[i].Button =
        Place(palettePlaces[i], win32::NewButton(hwnd_, kBitBtn1 + int(i), name.c_str(), true));
  }

  for (const TFieldSlot& slot : kFieldSlots) {
    const std::wstring caption = win32::Widen(slot.Caption);
    TSpinEdit* field = this->*slot.Field = new TSpinEdit(hwnd_, slot.Text);
    field->SetName(caption);  // for screen readers
    Place(slot.FieldPlace, field->Handle());
    this->*slot.Label = Place(slot.LabelPlace, win32::NewLabel(hwnd_, caption.c_str()));
  }
  SpinEdit6->SetRange(quarvel::kLevelFieldRange.Min, quarvel::kLevelFieldRange.Max);
  Button1 = Place(At(kMainWindow, "Button1"),
                  win32::NewButton(hwnd_, kButton1, win32::Widen(quarvel::kCheckLevelCaption).c_str()));
  SetTabOrder(kMainWindow);
}

void TForm1::ConnectHandlers() {
  DrawGrid1->SetOnDrawCell(
      [this](TDrawGrid* Sender, int ACol, int ARow, const quarvel::PixelRect& Rect, TGridDrawState State,
             quarvel::Picture& Canvas) { DrawGrid1DrawCell(Sender, ACol, ARow, Rect, State, Canvas); });
  DrawGrid1->SetOnCellName([](int ACol, int ARow) { return Unit1::Editor.CellName(ACol, ARow); });
  DrawGrid1->SetOnSelectCell([this](TDrawGrid* Sender, int ACol, int ARow, bool& CanSelect) {
    win32::Dispatch([&] { DrawGrid1SelectCell(Sender, ACol, ARow, CanSelect); });
  });
  const std::pair<TSpinEdit*, void (TForm1::*)(TSpinEdit*)> fields[] = {
      {SpinEdit1, &TForm1::SpinEdit1Change}, {SpinEdit2, &TForm1::SpinEdit2Change},
      {SpinEdit3, &TForm1::SpinEdit3Change}, {SpinEdit4, &TForm1::SpinEdit4Change},
      {SpinEdit5, &TForm1::SpinEdit5Change}, {SpinEdit6, &TForm1::SpinEdit6Change}};
  for (const auto& [field, handler] : fields) {
    field->SetOnChange([this, handler](TSpinEdit* Sender) { win32::Dispatch([&] { (this->*handler)(Sender); }); });
  }
}

void TForm1::Show(int showCommand) {
  // A window that would run off its screen's work area moves onto it, as far as it fits.
  win32::MoveOntoWorkArea(hwnd_);
  activeControl_ = DrawGrid1->Handle();
  if (Application)
    Application->Show(showCommand);
  else
    ::ShowWindow(hwnd_, showCommand);
  if (!::IsWindowVisible(hwnd_)) return;
  ::UpdateWindow(hwnd_);
  // The first control in the focus order, the grid, takes the focus.
  if (::GetActiveWindow() == hwnd_) ::SetFocus(DrawGrid1->Handle());
}

void TForm1::Command(int id, HWND control) {
  if (id >= kBitBtn1 && id < kBitBtn1 + int(std::size(kPaletteSlots))) {
    (this->*kPaletteSlots[id - kBitBtn1].Click)(control);
    return;
  }
  switch (id) {
    case kButton1:
      Button1Click(control);
      break;
    case kN1:
      N1Click(File1);
      break;
    case kN2:
      N2Click(File1);
      break;
    case kN3:
      N3Click(File1);
      break;
    case kN7:
      N7Click(File1);
      break;
    case kN5:
      N5Click(File1);
      break;
    case kAbout2:
      About2Click(About1);
      break;
    default:
      break;  // IDOK and IDCANCEL (Enter and Escape): the window has no default button
  }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) Command(LOWORD(wParam), HWND(lParam));
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int index = int(item.CtlID) - kBitBtn1;
      if (index < 0 || index >= quarvel::kPaletteSize) return FALSE;
      win32::DrawPaletteButton(item, ImageList1, quarvel::kPalette[index].Code, dpi_);
      return TRUE;
    }
    case WM_SYSCOMMAND:
      // Minimised, the program is its taskbar button alone (Application).
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application) {
        Application->Minimize();
        return 0;
      }
      break;
    case WM_QUERYENDSESSION:
      return TRUE;  // logging off or shutting down: yes, at once
    case WM_CLOSE:
      // Closing ends the program, with no question.
      ::DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return TForm::HandleMessage(message, wParam, lParam);
}

void TForm1::FormCreate(TForm1* /*Sender*/) { Unit1::Editor.Start(); }
