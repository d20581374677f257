#pragma once
// The main window: the level grid, the palette, the five number fields, the Level field,
// Check Level and the menu; with the level data it edits.

#include <QMainWindow>
#include <array>

#include "model/LevelSet.h"
#include "ui/DrawGrid.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class TButton;
class TFileDialog;
class TSpinEdit;

// The level data and the editor state live for the whole run, outside the window.
namespace Unit1 {
extern quarvel::LevelSet LevelSet;
extern quarvel::TCurrentLevel CurrentLevel;
extern quarvel::TCurrentBrush CurrentBrush;
}  // namespace Unit1

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 256;
  static constexpr int kClientHeight = 477;

  TForm1();
  ~TForm1() override;

  // Controls, by their layout names.
  TDrawGrid* DrawGrid1;
  TButton* BitBtn1;
  TButton* BitBtn2;
  TButton* BitBtn3;
  TButton* BitBtn4;
  TButton* BitBtn5;
  TButton* BitBtn6;
  TButton* BitBtn7;
  TButton* BitBtn8;
  TButton* BitBtn9;
  TButton* BitBtn10;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  TSpinEdit* SpinEdit1;
  TSpinEdit* SpinEdit2;
  TSpinEdit* SpinEdit3;
  TSpinEdit* SpinEdit4;
  TSpinEdit* SpinEdit5;
  TSpinEdit* SpinEdit6;
  TButton* Button1;
  QMenuBar* MainMenu1;
  QMenu* File1;
  QMenu* About1;
  QAction* N1;
  QAction* N2;
  QAction* N3;
  QAction* N4;
  QAction* N7;
  QAction* N6;
  QAction* N5;
  QAction* About2;
  TFileDialog* OpenDialog1;
  TFileDialog* SaveDialog1;

  // Handlers.
  void FormCreate(QObject* Sender);
  void DrawGrid1DrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State,
                         QPainter& Canvas);
  void DrawGrid1SelectCell(QObject* Sender, int ACol, int ARow, bool& CanSelect);
  void BitBtn1Click(QObject* Sender);
  void BitBtn2Click(QObject* Sender);
  void BitBtn3Click(QObject* Sender);
  void BitBtn4Click(QObject* Sender);
  void BitBtn5Click(QObject* Sender);
  void BitBtn6Click(QObject* Sender);
  void BitBtn7Click(QObject* Sender);
  void BitBtn8Click(QObject* Sender);
  void BitBtn9Click(QObject* Sender);
  void BitBtn10Click(QObject* Sender);
  void SpinEdit1Change(QObject* Sender);
  void SpinEdit2Change(QObject* Sender);
  void SpinEdit3Change(QObject* Sender);
  void SpinEdit4Change(QObject* Sender);
  void SpinEdit5Change(QObject* Sender);
  void SpinEdit6Change(QObject* Sender);
  void Button1Click(QObject* Sender);
  void N1Click(QObject* Sender);
  void N2Click(QObject* Sender);
  void N3Click(QObject* Sender);
  void N5Click(QObject* Sender);
  void N7Click(QObject* Sender);
  void About2Click(QObject* Sender);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  void ConnectHandlers();
  void SetTabOrder();
  // Sets the five number fields, in order, from level CurrentLevel.
  void LoadNumberFields();
  // Shows level CurrentLevel: the five number fields, then the Level field, then the grid.
  void ShowCurrentLevel();
};

extern TForm1* Form1;
