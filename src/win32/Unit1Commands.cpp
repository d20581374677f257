// The main window's menu commands (New Set, Open Set, Save Set, Copy, Exit, About), and
// what the editor's session needs of this window.
#include "win32/MessageBox.h"
#include "win32/Text.h"
#include "win32/Unit1.h"
#include "win32/Unit2.h"
#include "win32/Unit3.h"

using Unit1::Editor;

void TForm1::SetNumberField(quarvel::LevelNumber which, std::int32_t value) {
  TSpinEdit* const fields[] = {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5};
  fields[static_cast<int>(which)]->SetValue(value);
}

void TForm1::SetLevelField(std::int32_t value) { SpinEdit6->SetValue(value); }

void TForm1::RepaintGrid() { DrawGrid1->RepaintAll(); }

void TForm1::ShowPlainBox(std::string_view text, std::string_view caption) {
  win32::ShowMessageBox(hwnd_, win32::Widen(text), win32::Widen(caption), win32::TMessageBoxStyle::Plain);
}

std::optional<std::string> TForm1::ChooseFileToOpen() {
  if (!OpenDialog1.Execute(hwnd_)) return std::nullopt;
  return win32::Narrow(OpenDialog1.FileName());
}

std::optional<std::string> TForm1::ChooseFileToSave() {
  if (!SaveDialog1.Execute(hwnd_)) return std::nullopt;
  return win32::Narrow(SaveDialog1.FileName());
}

std::optional<quarvel::CopyRange> TForm1::AskCopyRange() {
  if (!Form2->ShowModal(hwnd_)) return std::nullopt;
  return quarvel::CopyRange{Form2->SpinEdit1->Value(), Form2->SpinEdit2->Value(), Form2->SpinEdit3->Value()};
}

void TForm1::N1Click(HMENU) { Editor.NewSet(*this); }

void TForm1::N2Click(HMENU) { Editor.OpenSet(*this); }

void TForm1::N3Click(HMENU) { Editor.SaveSet(*this); }

void TForm1::N5Click(HMENU) { ::SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

void TForm1::N7Click(HMENU) { Editor.CopyFromFile(*this); }

void TForm1::About2Click(HMENU) { Form3->Execute(hwnd_); }
