#include "web/Unit1.h"

#include <exception>

#include "editor/EditorTexts.h"
#include "editor/ErrorReport.h"
#include "editor/FieldRanges.h"
#include "editor/Layout.h"
#include "editor/Palette.h"
#include "model/Tiles.h"
#include "picture/TilePixels.h"
#include "web/BrowserFailures.h"
#include "web/Page.h"
#include "web/Unit2.h"
#include "web/Unit3.h"

namespace Unit1 {
// The editor, module-level as in the main window's unit of the desktop editors.
quarvel::EditorSession Editor;
}  // namespace Unit1

namespace web {
namespace {

constexpr const char* kFieldNames[6] = {"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4", "SpinEdit5", "SpinEdit6"};
using Unit1::Editor;

int PaletteIndex(std::string_view name) {
  for (int i = 0; i < quarvel::kPaletteSize; ++i)
    if (name == quarvel::kPalette[i].Name) return i;
  return -1;
}

// The caption of Label1 .. Label6, which also names its field.
std::string LabelText(int field) { return field < 5 ? quarvel::kNumberLabels[field] : quarvel::kLevelLabel; }

void MakeControls() {
  for (const WindowLayout::TControlPlace& place : WindowLayout::TabOrder(WindowLayout::kMainWindow)) {
    const std::string_view name = place.Name;
    if (name == "DrawGrid1") {
      MakeControl("Form1", place.Name, "grid", place.Left, place.Top, place.Width, place.Height, "",
                  quarvel::kGridName);
    } else if (const int button = PaletteIndex(name); button >= 0) {
      MakeControl("Form1", place.Name, "palette", place.Left, place.Top, place.Width, place.Height, "",
                  std::string(quarvel::kTiles[quarvel::kPalette[button].Code].Label), button);
    } else if (name.starts_with("SpinEdit")) {
      const int field = name.back() - '1';
      MakeControl("Form1", place.Name, "spin", place.Left, place.Top, place.Width, place.Height, field == 5 ? "1" : "0",
                  LabelText(field));
    } else {
      MakeControl("Form1", place.Name, "button", place.Left, place.Top, place.Width, place.Height,
                  quarvel::kCheckLevelCaption, quarvel::kCheckLevelCaption, TForm1::kButton1);
    }
  }
  for (const WindowLayout::TControlPlace& place : WindowLayout::kMainWindow)
    if (place.Tab < 0)
      MakeControl("Form1", place.Name, "label", place.Left, place.Top, -1, -1, LabelText(place.Name[5] - '1'),
                  "SpinEdit" + std::string(1, place.Name[5]));
  for (int i = 0; i < quarvel::kPaletteSize; ++i) {
    const quarvel::Picture& tile = quarvel::TilePicture(quarvel::kPalette[i].Code);
    std::uint8_t rgba[20 * 20 * 4] = {};
    for (int p = 0; p < 20 * 20 && !tile.IsNull(); ++p) {
      const quarvel::Rgb pixel = tile.Pixels[std::size_t(p)];
      rgba[p * 4] = std::uint8_t(pixel >> 16);
      rgba[p * 4 + 1] = std::uint8_t(pixel >> 8);
      rgba[p * 4 + 2] = std::uint8_t(pixel);
      rgba[p * 4 + 3] = std::uint8_t(pixel >> 24);
    }
    SetButtonPicture(quarvel::kPalette[i].Name, rgba);
  }
}

void MakeMenus() {
  MakeMenu("File1", quarvel::kLevelsMenu);
  MakeMenuItem("File1", "N1", quarvel::kNewSetItem, TForm1::kN1);
  MakeMenuItem("File1", "N2", quarvel::kOpenSetItem, TForm1::kN2);
  MakeMenuItem("File1", "N3", quarvel::kSaveSetItem, TForm1::kN3);
  MakeMenuItem("File1", "N4", "");
  MakeMenuItem("File1", "N7", quarvel::kCopyItem, TForm1::kN7);
  MakeMenuItem("File1", "N6", "");
  MakeMenuItem("File1", "N5", quarvel::kExitItem, TForm1::kN5);
  MakeMenu("About1", quarvel::kHelpMenu);
  MakeMenuItem("About1", "About2", quarvel::kAboutItem, TForm1::kAbout2);
}

}  // namespace

TForm1::TForm1(TForm2& levelsCopy, TForm3& about) : levelsCopy_(levelsCopy), about_(about) {
  Editor.Start();  // FormCreate
  MakeForm("Form1", quarvel::kMainCaption, WindowLayout::kForm1.ClientWidth, WindowLayout::kForm1.ClientHeight);
  MakeMenus();
  MakeControls();
  SetFileType(quarvel::kLevelSetFilterName, quarvel::kLevelSetExtension);
  grid_ = std::make_unique<TDrawGrid>(Editor);
  DrawGrid1 = grid_.get();
  DrawGrid1->OnSelectCell = [this](int ACol, int ARow) { Dispatch([&] { DrawGrid1SelectCell(ACol, ARow); }); };
  constexpr quarvel::TFieldRange kNumber = quarvel::kNumberFieldRange, kLevel = quarvel::kLevelFieldRange;
  TSpinEdit** fields[6] = {&SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4, &SpinEdit5, &SpinEdit6};
  for (int i = 0; i < 6; ++i)
    *fields[i] = focus_.AddField(std::make_unique<TSpinEdit>("Form1", kFieldNames[i], (i == 5 ? kLevel : kNumber).Min,
                                                             (i == 5 ? kLevel : kNumber).Max, i == 5));
  for (int i = 0; i < 5; ++i) {
    TSpinEdit* field = *fields[i];
    field->OnChange = [this, i, field] { Dispatch([&] { NumberFieldChange(quarvel::LevelNumber(i), field); }); };
  }
  SpinEdit6->OnChange = [this] { Dispatch([&] { SpinEdit6Change(); }); };
}

bool TForm1::SetChanged() const { return !ended_ && (Editor.Changed() || unsaved_); }

// An error that escapes a handler ends it and is shown, as the desktop's event dispatch
// shows it, in an error box captioned with the program title.
template <class Handler>
void TForm1::Dispatch(Handler handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowBox(quarvel::ErrorReportText(error), quarvel::kProgramTitle, true);
  }
}

TSpinEdit* TForm1::Field(std::string_view name) { return focus_.Field(name); }

void TForm1::ControlFocused(std::string_view name) {
  if (focus_.Focused(name)) DrawGrid1->SetFocused(name == "DrawGrid1");
}

void TForm1::Command(int command) {
  if (ended_) return;
  if (command >= 0 && command < 10) return PaletteClick(command);
  using Handler = void (TForm1::*)();
  static constexpr Handler handlers[] = {&TForm1::Button1Click, &TForm1::N1Click, &TForm1::N2Click,    &TForm1::N3Click,
                                         &TForm1::N7Click,      &TForm1::N5Click, &TForm1::About2Click};
  if (command >= kButton1 && command <= kAbout2) Dispatch([&] { (this->*handlers[command - kButton1])(); });
}

void TForm1::PaletteClick(int button) { Editor.ChooseBrush(quarvel::kPalette[button].Code); }

void TForm1::DrawGrid1SelectCell(int ACol, int ARow) { Editor.Paint(ACol, ARow); }

void TForm1::NumberFieldChange(quarvel::LevelNumber which, TSpinEdit* Sender) {
  Editor.SetNumber(which, Sender->Value());
}

void TForm1::SpinEdit6Change() { Editor.ShowLevel(*this, SpinEdit6->Value()); }

void TForm1::Button1Click() { Editor.CheckLevel(*this); }

void TForm1::N1Click() {
  Editor.NewSet(*this);
  unsaved_ = false;
}

void TForm1::N2Click() {
  pickedName_.clear();
  Editor.OpenSet(*this);
  if (pickedName_.empty()) return;  // cancelled
  openedName_ = pickedName_;
  unsaved_ = false;
}

// The editor writes the set into the program's own memory; the bytes then go to the file
// the browser gave. Until they are there, the set is not saved.
void TForm1::N3Click() {
  pendingSave_.reset();
  const bool changed = SetChanged();
  Editor.SaveSet(*this);
  if (!pendingSave_) return;  // cancelled
  const std::string failure = CommitSave(*pendingSave_);
  pendingSave_.reset();
  unsaved_ = !failure.empty() && changed;
  if (!failure.empty()) throw FromBrowser(failure);
}

void TForm1::N7Click() { Editor.CopyFromFile(*this); }

// A page cannot close its tab: Exit ends the editor, and the page says so.
void TForm1::N5Click() {
  ended_ = true;
  End();
}

void TForm1::About2Click() { about_.ShowModal(); }

void TForm1::SetNumberField(quarvel::LevelNumber which, std::int32_t value) {
  TSpinEdit* const numbers[5] = {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5};
  numbers[int(which)]->SetValue(value);
}

void TForm1::SetLevelField(std::int32_t value) { SpinEdit6->SetValue(value); }

void TForm1::RepaintGrid() { DrawGrid1->Repaint(); }

void TForm1::ShowPlainBox(std::string_view text, std::string_view caption) {
  ShowBox(std::string(text), std::string(caption), false);
}

std::optional<std::string> TForm1::ChooseFileToOpen() {
  const PickedFile picked = web::ChooseFileToOpen();
  if (!picked.Failure.empty()) throw FromBrowser(picked.Failure);
  if (picked.Path) pickedName_ = picked.Name;
  return picked.Path;
}

// A browser's picker has no folder to offer a remembered name in: it suggests the name
// last confirmed in it, or before any save the name of the set last opened.
std::optional<std::string> TForm1::ChooseFileToSave() {
  const PickedFile picked = web::ChooseFileToSave(savedName_.empty() ? openedName_ : savedName_);
  if (!picked.Failure.empty()) throw FromBrowser(picked.Failure);
  if (!picked.Path) return std::nullopt;
  savedName_ = picked.Name;
  pendingSave_ = picked.Path;
  return picked.Path;
}

std::optional<quarvel::CopyRange> TForm1::AskCopyRange() { return levelsCopy_.ShowModal(); }

}  // namespace web
