// The main window's editing handlers: palette, grid, number fields, Level field, Check Level.
#include <QPainter>

#include "editor/Palette.h"
#include "qt/forms/Unit1.h"
#include "qt/painting/TilePictures.h"
#include "qt/widgets/SpinEdit.h"

using quarvel::LevelNumber;
using quarvel::PaletteTile;
using Unit1::Editor;

void TForm1::DrawGrid1DrawCell(QObject* /*Sender*/, int ACol, int ARow, const QRect& Rect, TGridDrawState /*State*/,
                               QPainter& Canvas) {
  TilePictures::Draw(Canvas, Rect.topLeft(), Editor.Cell(ACol, ARow));
}

void TForm1::DrawGrid1SelectCell(QObject* /*Sender*/, int ACol, int ARow, bool& /*CanSelect*/) {
  Editor.Paint(ACol, ARow);
}

void TForm1::BitBtn1Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn1")); }
void TForm1::BitBtn2Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn2")); }
void TForm1::BitBtn3Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn3")); }
void TForm1::BitBtn4Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn4")); }
void TForm1::BitBtn5Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn5")); }
void TForm1::BitBtn6Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn6")); }
void TForm1::BitBtn7Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn7")); }
void TForm1::BitBtn8Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn8")); }
void TForm1::BitBtn9Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn9")); }
void TForm1::BitBtn10Click(QObject*) { Editor.ChooseBrush(PaletteTile("BitBtn10")); }

void TForm1::SpinEdit1Change(QObject*) { Editor.SetNumber(LevelNumber::Rubies, SpinEdit1->Value()); }
void TForm1::SpinEdit2Change(QObject*) { Editor.SetNumber(LevelNumber::Emeralds, SpinEdit2->Value()); }
void TForm1::SpinEdit3Change(QObject*) { Editor.SetNumber(LevelNumber::Sapphires, SpinEdit3->Value()); }
void TForm1::SpinEdit4Change(QObject*) { Editor.SetNumber(LevelNumber::Bombs, SpinEdit4->Value()); }
void TForm1::SpinEdit5Change(QObject*) { Editor.SetNumber(LevelNumber::Time, SpinEdit5->Value()); }

void TForm1::SpinEdit6Change(QObject*) { Editor.ShowLevel(*this, SpinEdit6->Value()); }

void TForm1::Button1Click(QObject*) { Editor.CheckLevel(*this); }
