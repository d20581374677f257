#pragma once
// The main window: the level grid, the palette, the five number fields, the Level field,
// Check Level and the menu; with the level data it edits.

#include <QMainWindow>
#include <array>

#include "editor/EditorSession.h"
#include "model/LevelSet.h"
#include "qt/widgets/DrawGrid.h"
#include "qt/widgets/MainMenu.h"

class QAction;
class QLabel;
class QMenu;
class TButton;
class TFileDialog;
class TSpinEdit;

// The editor, with the level data and its state, lives for the whole run, outside the window.
namespace Unit1 {
extern quarvel::EditorSession Editor;
inline quarvel::LevelSet& LevelSet = Editor.Set;
inline quarvel::TCurrentLevel& CurrentLevel = Editor.Level;
inline quarvel::TCurrentBrush& CurrentBrush = Editor.Brush;
}  // namespace Unit1

class TForm1 : public QMainWindow, private quarvel::EditorWindow {
  Q_OBJECT
 public:
  TForm1();
  ~TForm1() override;

  // Controls, by their layout names.
  TDrawGrid* DrawGrid1;  // the level grid, 11 x 13 cells
  TButton* BitBtn1;      // palette: Empty (tile 0)
  TButton* BitBtn2;      // palette: red block (1)
  TButton* BitBtn3;      // palette: green block (2)
  TButton* BitBtn4;      // palette: blue block (3)
  TButton* BitBtn5;      // palette: yellow block (4)
  TButton* BitBtn6;      // palette: grey block (5)
  TButton* BitBtn7;      // palette: cannon left (9)
  TButton* BitBtn8;      // palette: cannon down (8)
  TButton* BitBtn9;      // palette: cannon right (7)
  TButton* BitBtn10;     // palette: cannon up (6)
  QLabel* Label1;        // "Rubies"
  QLabel* Label2;        // "Emeralds"
  QLabel* Label3;        // "Sapphires"
  QLabel* Label4;        // "Bombs"
  QLabel* Label5;        // "Time"
  QLabel* Label6;        // "Level"
  TSpinEdit* SpinEdit1;  // Rubies
  TSpinEdit* SpinEdit2;  // Emeralds
  TSpinEdit* SpinEdit3;  // Sapphires
  TSpinEdit* SpinEdit4;  // Bombs
  TSpinEdit* SpinEdit5;  // Time
  TSpinEdit* SpinEdit6;  // Level, 1..256
  TButton* Button1;      // "Check Level"
  TMainMenu* MainMenu1;
  QMenu* File1;              // "Levels"
  QMenu* About1;             // "Help"
  QAction* N1;               // Levels > New Set
  QAction* N2;               // Levels > Open Set
  QAction* N3;               // Levels > Save Set
  QAction* N4;               // Levels > separator
  QAction* N7;               // Levels > Copy
  QAction* N6;               // Levels > separator
  QAction* N5;               // Levels > Exit
  QAction* About2;           // Help > About
  TFileDialog* OpenDialog1;  // Open Set and Copy
  TFileDialog* SaveDialog1;  // Save Set

  // Handlers. Editing (grid, palette, fields, Check Level) is in Unit1Editing.cpp,
  // the menu commands in Unit1Commands.cpp.
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
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  void ConnectHandlers();
  void SetTabOrder();
  // What the editor's session needs of this window; in Unit1Commands.cpp.
  void SetNumberField(quarvel::LevelNumber which, std::int32_t value) override;
  void SetLevelField(std::int32_t value) override;
  void RepaintGrid() override;
  void ShowPlainBox(std::string_view text, std::string_view caption) override;
  std::optional<std::string> ChooseFileToOpen() override;
  std::optional<std::string> ChooseFileToSave() override;
  std::optional<quarvel::CopyRange> AskCopyRange() override;

  bool placed_ = false;
};

extern TForm1* Form1;
