// The main window's editing handlers: palette, grid, number fields, Level field, Check Level.
#include <QPainter>

#include "painting/TilePictures.h"
#include "widgets/SpinEdit.h"
#include "windows/Unit1.h"

using namespace Unit1;
using quarvel::LevelNumber;

void TForm1::DrawGrid1DrawCell(QObject* /*Sender*/, int ACol, int ARow, const QRect& Rect, TGridDrawState /*State*/,
                               QPainter& Canvas) {
  TilePictures::Draw(Canvas, Rect.topLeft(), quarvel::ReadCell(LevelSet, CurrentLevel, ACol, ARow));
}

void TForm1::DrawGrid1SelectCell(QObject* /*Sender*/, int ACol, int ARow, bool& /*CanSelect*/) {
  quarvel::WriteCell(LevelSet, CurrentLevel, ACol, ARow, quarvel::Low16(CurrentBrush));
}

void TForm1::BitBtn1Click(QObject*) { CurrentBrush = quarvel::Empty; }
void TForm1::BitBtn2Click(QObject*) { CurrentBrush = quarvel::RedBlock; }
void TForm1::BitBtn3Click(QObject*) { CurrentBrush = quarvel::GreenBlock; }
void TForm1::BitBtn4Click(QObject*) { CurrentBrush = quarvel::BlueBlock; }
void TForm1::BitBtn5Click(QObject*) { CurrentBrush = quarvel::YellowBlock; }
void TForm1::BitBtn6Click(QObject*) { CurrentBrush = quarvel::GrayBlock; }
void TForm1::BitBtn7Click(QObject*) { CurrentBrush = quarvel::CannonLeft; }
void TForm1::BitBtn8Click(QObject*) { CurrentBrush = quarvel::CannonDown; }
void TForm1::BitBtn9Click(QObject*) { CurrentBrush = quarvel::CannonRight; }
void TForm1::BitBtn10Click(QObject*) { CurrentBrush = quarvel::CannonUp; }

void TForm1::SpinEdit1Change(QObject*) { WriteNumber(LevelSet, CurrentLevel, LevelNumber::Rubies, SpinEdit1->Value()); }
void TForm1::SpinEdit2Change(QObject*) {
  WriteNumber(LevelSet, CurrentLevel, LevelNumber::Emeralds, SpinEdit2->Value());
}
void TForm1::SpinEdit3Change(QObject*) {
  WriteNumber(LevelSet, CurrentLevel, LevelNumber::Sapphires, SpinEdit3->Value());
}
void TForm1::SpinEdit4Change(QObject*) { WriteNumber(LevelSet, CurrentLevel, LevelNumber::Bombs, SpinEdit4->Value()); }
void TForm1::SpinEdit5Change(QObject*) { WriteNumber(LevelSet, CurrentLevel, LevelNumber::Time, SpinEdit5->Value()); }

void TForm1::SpinEdit6Change(QObject*) { quarvel::ChangeLevelShown(State(), *this, SpinEdit6->Value()); }

void TForm1::Button1Click(QObject*) { quarvel::CheckLevel(State(), *this); }
