// The main window's editing handlers: palette, grid, number fields, Level field, Check Level.
#include "editor/Palette.h"
#include "picture/TilePixels.h"
#include "win32/Unit1.h"

using quarvel::LevelNumber;
using quarvel::PaletteTile;
using Unit1::Editor;

void TForm1::DrawGrid1DrawCell(TDrawGrid* /*Sender*/, int ACol, int ARow, const quarvel::PixelRect& Rect,
                               TGridDrawState /*State*/, quarvel::Picture& Canvas) {
  quarvel::DrawTile(Canvas, Rect, Editor.Cell(ACol, ARow));
}

void TForm1::DrawGrid1SelectCell(TDrawGrid* /*Sender*/, int ACol, int ARow, bool& /*CanSelect*/) {
  Editor.Paint(ACol, ARow);
}

void TForm1::BitBtn1Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn1")); }
void TForm1::BitBtn2Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn2")); }
void TForm1::BitBtn3Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn3")); }
void TForm1::BitBtn4Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn4")); }
void TForm1::BitBtn5Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn5")); }
void TForm1::BitBtn6Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn6")); }
void TForm1::BitBtn7Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn7")); }
void TForm1::BitBtn8Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn8")); }
void TForm1::BitBtn9Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn9")); }
void TForm1::BitBtn10Click(HWND) { Editor.ChooseBrush(PaletteTile("BitBtn10")); }

void TForm1::SpinEdit1Change(TSpinEdit*) { Editor.SetNumber(LevelNumber::Rubies, SpinEdit1->Value()); }
void TForm1::SpinEdit2Change(TSpinEdit*) { Editor.SetNumber(LevelNumber::Emeralds, SpinEdit2->Value()); }
void TForm1::SpinEdit3Change(TSpinEdit*) { Editor.SetNumber(LevelNumber::Sapphires, SpinEdit3->Value()); }
void TForm1::SpinEdit4Change(TSpinEdit*) { Editor.SetNumber(LevelNumber::Bombs, SpinEdit4->Value()); }
void TForm1::SpinEdit5Change(TSpinEdit*) { Editor.SetNumber(LevelNumber::Time, SpinEdit5->Value()); }

void TForm1::SpinEdit6Change(TSpinEdit*) { Editor.ShowLevel(*this, SpinEdit6->Value()); }

void TForm1::Button1Click(HWND) { Editor.CheckLevel(*this); }
