#pragma once
// The main window in the page, TForm1: the grid, the palette, the fields and Check Level,
// and the menu's commands. Its handlers hand every step to the editor's session
// (editor/EditorSession.h) and its rules; what stays here is the page's own: the
// controls, the boxes and dialogs, and the files as a browser gives them.

#include <memory>
#include <optional>
#include <string>

#include "editor/EditorSession.h"
#include "editor/EditorWindow.h"
#include "web/DrawGrid.h"
#include "web/SpinEdit.h"
#include "web/WindowFocus.h"

namespace web {

class TForm2;
class TForm3;

class TForm1 : public quarvel::EditorWindow {
 public:
  TForm1(TForm2& levelsCopy, TForm3& about);

  TDrawGrid* DrawGrid1;
  TSpinEdit *SpinEdit1, *SpinEdit2, *SpinEdit3, *SpinEdit4, *SpinEdit5, *SpinEdit6;

  TSpinEdit* Field(std::string_view name);
  // The control `name` of this window took the focus.
  void ControlFocused(std::string_view name);
  // A button or a menu item was chosen, by its command: 0 .. 9 the palette (BitBtn1 ..
  // BitBtn10), then Button1, N1, N2, N3, N7, N5, About2.
  enum Commands { kButton1 = 10, kN1, kN2, kN3, kN7, kN5, kAbout2 };
  void Command(int command);
  // Whether the set has changed since the last New Set, Open Set or Save Set: the page's
  // leave-page question.
  bool SetChanged() const;

  // Handlers, by their controls.
  void PaletteClick(int button);  // BitBtn1Click .. BitBtn10Click
  void DrawGrid1SelectCell(int ACol, int ARow);
  void NumberFieldChange(quarvel::LevelNumber which, TSpinEdit* Sender);  // SpinEdit1Change .. 5
  void SpinEdit6Change();
  void Button1Click();
  void N1Click();
  void N2Click();
  void N3Click();
  void N7Click();
  void N5Click();
  void About2Click();

  // EditorWindow
  void SetNumberField(quarvel::LevelNumber which, std::int32_t value) override;
  void SetLevelField(std::int32_t value) override;
  void RepaintGrid() override;
  void ShowPlainBox(std::string_view text, std::string_view caption) override;
  std::optional<std::string> ChooseFileToOpen() override;
  std::optional<std::string> ChooseFileToSave() override;
  std::optional<quarvel::CopyRange> AskCopyRange() override;

 private:
  template <class Handler>
  void Dispatch(Handler handler);

  TForm2& levelsCopy_;
  TForm3& about_;
  std::unique_ptr<TDrawGrid> grid_;
  TWindowFocus focus_;
  bool ended_ = false;
  bool unsaved_ = false;    // a save that failed in the browser after the editor wrote it
  std::string pickedName_;  // the file's own name, of the last file picked to open
  std::string openedName_;  // of the set last opened by Open Set
  std::string savedName_;   // last confirmed in the save picker
  std::optional<std::string> pendingSave_;
};

}  // namespace web
