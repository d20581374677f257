#pragma once
// The main window: the level grid, the palette, the five number fields, the Level field,
// Check Level and the menu; with the level data it edits.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>

#include "editor/EditorSession.h"
#include "model/LevelSet.h"
#include "win32/DrawGrid.h"
#include "win32/FileDialog.h"
#include "win32/Form.h"
#include "win32/SpinEdit.h"

// The editor, with the level data and its state, lives for the whole run, outside the window.
namespace Unit1 {
extern quarvel::EditorSession Editor;
inline quarvel::LevelSet& LevelSet = Editor.Set;
inline quarvel::TCurrentLevel& CurrentLevel = Editor.Level;
inline quarvel::TCurrentBrush& CurrentBrush = Editor.Brush;
}  // namespace Unit1

class TForm1 : public win32::TForm, private quarvel::EditorWindow {
 public:
  // Menu items and buttons, by their command numbers (none is IDOK or IDCANCEL, which the
  // dialog manager sends for Enter and Escape).
  enum : int {
    kN1 = 201,       // Levels > New Set
    kN2,             // Levels > Open Set
    kN3,             // Levels > Save Set
    kN7,             // Levels > Copy
    kN5,             // Levels > Exit
    kAbout2,         // Help > About
    kBitBtn1 = 301,  // to BitBtn10, in the palette's order
    kButton1 = 311,
  };

  TForm1();
  ~TForm1() override;

  // Shows the window as the desktop asked the program to show itself.
  void Show(int showCommand);

  // Controls, by their layout names.
  TDrawGrid* DrawGrid1;  // the level grid, 11 x 13 cells
  HWND BitBtn1;          // palette: Empty (tile 0)
  HWND BitBtn2;          // palette: red block (1)
  HWND BitBtn3;          // palette: green block (2)
  HWND BitBtn4;          // palette: blue block (3)
  HWND BitBtn5;          // palette: yellow block (4)
  HWND BitBtn6;          // palette: grey block (5)
  HWND BitBtn7;          // palette: cannon left (9)
  HWND BitBtn8;          // palette: cannon down (8)
  HWND BitBtn9;          // palette: cannon right (7)
  HWND BitBtn10;         // palette: cannon up (6)
  HWND Label1;           // "Rubies"
  HWND Label2;           // "Emeralds"
  HWND Label3;           // "Sapphires"
  HWND Label4;           // "Bombs"
  HWND Label5;           // "Time"
  HWND Label6;           // "Level"
  TSpinEdit* SpinEdit1;  // Rubies
  TSpinEdit* SpinEdit2;  // Emeralds
  TSpinEdit* SpinEdit3;  // Sapphires
  TSpinEdit* SpinEdit4;  // Bombs
  TSpinEdit* SpinEdit5;  // Time
  TSpinEdit* SpinEdit6;  // Level, 1..256
  HWND Button1;          // "Check Level"
  HMENU MainMenu1;
  HMENU File1;                                        // "Levels"
  HMENU About1;                                       // "Help"
  HIMAGELIST ImageList1 = nullptr;                    // the palette buttons' pictures
  TFileDialog OpenDialog1{TFileDialog::TKind::Open};  // Open Set and Copy
  TFileDialog SaveDialog1{TFileDialog::TKind::Save};  // Save Set

  // Handlers. Editing (grid, palette, fields, Check Level) is in Unit1Editing.cpp,
  // the menu commands in Unit1Commands.cpp.
  void FormCreate(TForm1* Sender);
  void DrawGrid1DrawCell(TDrawGrid* Sender, int ACol, int ARow, const quarvel::PixelRect& Rect, TGridDrawState State,
                         quarvel::Picture& Canvas);
  void DrawGrid1SelectCell(TDrawGrid* Sender, int ACol, int ARow, bool& CanSelect);
  void BitBtn1Click(HWND Sender);
  void BitBtn2Click(HWND Sender);
  void BitBtn3Click(HWND Sender);
  void BitBtn4Click(HWND Sender);
  void BitBtn5Click(HWND Sender);
  void BitBtn6Click(HWND Sender);
  void BitBtn7Click(HWND Sender);
  void BitBtn8Click(HWND Sender);
  void BitBtn9Click(HWND Sender);
  void BitBtn10Click(HWND Sender);
  void SpinEdit1Change(TSpinEdit* Sender);
  void SpinEdit2Change(TSpinEdit* Sender);
  void SpinEdit3Change(TSpinEdit* Sender);
  void SpinEdit4Change(TSpinEdit* Sender);
  void SpinEdit5Change(TSpinEdit* Sender);
  void SpinEdit6Change(TSpinEdit* Sender);
  void Button1Click(HWND Sender);
  void N1Click(HMENU Sender);
  void N2Click(HMENU Sender);
  void N3Click(HMENU Sender);
  void N5Click(HMENU Sender);
  void N7Click(HMENU Sender);
  void About2Click(HMENU Sender);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateMenu();
  void CreateControls();
  void ConnectHandlers();
  void MakeTilePictures();
  void DpiChanged() override;
  void Command(int id, HWND control);

  // What the editor's session needs of this window; in Unit1Commands.cpp.
  void SetNumberField(quarvel::LevelNumber which, std::int32_t value) override;
  void SetLevelField(std::int32_t value) override;
  void RepaintGrid() override;
  void ShowPlainBox(std::string_view text, std::string_view caption) override;
  std::optional<std::string> ChooseFileToOpen() override;
  std::optional<std::string> ChooseFileToSave() override;
  std::optional<quarvel::CopyRange> AskCopyRange() override;
};

extern TForm1* Form1;
