// The main window's menu commands: New Set, Open Set, Save Set, Copy, Exit, About.
#include <QFile>
#include <algorithm>
#include <memory>

#include "desktop/MessageBox.h"
#include "desktop/ModalExec.h"
#include "files/LevelSetFile.h"
#include "model/LevelCopy.h"
#include "widgets/FileDialog.h"
#include "widgets/SpinEdit.h"
#include "windows/Unit1.h"
#include "windows/Unit2.h"
#include "windows/Unit3.h"

using namespace Unit1;

namespace {
std::string LocalFileName(const QString& name) { return QFile::encodeName(name).toStdString(); }
}  // namespace

void TForm1::N1Click(QObject*) {
  quarvel::ClearLevelSet(LevelSet);
  for (TSpinEdit* field : {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5}) field->SetValue(0);
  SpinEdit6->SetValue(0);  // its range makes this 1
  CurrentLevel = 0;
  DrawGrid1->RepaintAll();
}

void TForm1::N2Click(QObject*) {
  if (!OpenDialog1->Execute()) return;
  // The reader changes the set only when the whole file was read; a failure leaves the
  // set, the level shown and the fields as they were.
  quarvel::ReadLevelSetFile(LocalFileName(OpenDialog1->FileName()), LevelSet);
  CurrentLevel = 0;
  ShowCurrentLevel();
}

void TForm1::N3Click(QObject*) {
  ShowMessageBox(QStringLiteral("All incorrect levels will be deleted from the set"), QStringLiteral("Warning!"),
                 TMessageBoxStyle::Plain);
  if (!SaveDialog1->Execute()) return;
  quarvel::WriteLevelSetFile(LocalFileName(SaveDialog1->FileName()), LevelSet);
}

void TForm1::N5Click(QObject*) { close(); }

void TForm1::N7Click(QObject*) {
  if (!OpenDialog1->Execute()) return;
  // The source set starts empty and only the levels the file supplied are copied from it.
  auto source = std::make_unique<quarvel::LevelSet>();
  quarvel::ClearLevelSet(*source);
  const int sourceLevels = quarvel::ReadLevelSetFile(LocalFileName(OpenDialog1->FileName()), *source);
  if (ExecModal(*Form2) != QDialog::Accepted) return;
  // Leaving a field clamps it, so these lie in 1..256; clamped again to be sure.
  auto number = [](TSpinEdit* field) { return std::clamp(field->Value(), 1, quarvel::kLevelCount); };
  quarvel::CopyLevels(LevelSet, *source, sourceLevels, number(Form2->SpinEdit1), number(Form2->SpinEdit2),
                      number(Form2->SpinEdit3), CurrentLevel);
  ShowCurrentLevel();
}

void TForm1::About2Click(QObject*) { Form3->Execute(this); }
