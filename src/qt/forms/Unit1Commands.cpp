// The main window's menu commands (New Set, Open Set, Save Set, Copy, Exit, About), and
// what the editor's commands need of this window.

#include "qt/desktop/MessageBox.h"
#include "qt/desktop/ModalExec.h"
#include "qt/forms/Unit1.h"
#include "qt/forms/Unit2.h"
#include "qt/forms/Unit3.h"
#include "qt/widgets/FileDialog.h"
#include "qt/widgets/SpinEdit.h"

using Unit1::Editor;

namespace {
// The core takes names as UTF-8 on every system; it turns them into the system's own form.
std::string FileNameForCore(const QString& name) { return name.toStdString(); }
QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
}  // namespace

void TForm1::SetNumberField(quarvel::LevelNumber which, std::int32_t value) {
  TSpinEdit* const fields[] = {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5};
  fields[static_cast<int>(which)]->SetValue(value);
}

void TForm1::SetLevelField(std::int32_t value) { SpinEdit6->SetValue(value); }

void TForm1::RepaintGrid() { DrawGrid1->RepaintAll(); }

void TForm1::ShowPlainBox(std::string_view text, std::string_view caption) {
  ShowMessageBox(FromUtf8(text), FromUtf8(caption), TMessageBoxStyle::Plain);
}

std::optional<std::string> TForm1::ChooseFileToOpen() {
  if (!OpenDialog1->Execute()) return std::nullopt;
  return FileNameForCore(OpenDialog1->FileName());
}

std::optional<std::string> TForm1::ChooseFileToSave() {
  if (!SaveDialog1->Execute()) return std::nullopt;
  return FileNameForCore(SaveDialog1->FileName());
}

std::optional<quarvel::CopyRange> TForm1::AskCopyRange() {
  if (ExecModal(*Form2) != QDialog::Accepted) return std::nullopt;
  return quarvel::CopyRange{Form2->SpinEdit1->Value(), Form2->SpinEdit2->Value(), Form2->SpinEdit3->Value()};
}

void TForm1::N1Click(QObject*) { Editor.NewSet(*this); }

void TForm1::N2Click(QObject*) { Editor.OpenSet(*this); }

void TForm1::N3Click(QObject*) { Editor.SaveSet(*this); }

void TForm1::N5Click(QObject*) { close(); }

void TForm1::N7Click(QObject*) { Editor.CopyFromFile(*this); }

void TForm1::About2Click(QObject*) { Form3->Execute(this); }
