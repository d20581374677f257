#pragma once
// The page: what the C++ windows ask of the browser, each a call into the page's script
// (site/*.js) that builds the controls, shows boxes and dialogs, and reaches the files.
// The calls marked "waits" return only once the page has its answer: the editor's code
// waits in them as a desktop program waits in a modal loop, while the page goes on.

#include <cstdint>
#include <optional>
#include <string>

namespace web {

// A window (#Form1, #Form2, #Form3) of client size width x height; dialogs start hidden.
void MakeForm(const char* id, const char* caption, int width, int height);
// A control inside a window, by kind: "grid", "palette", "spin", "label", "button", "memo".
// A button of the main window runs its command (a number) when pressed.
void MakeControl(const char* form, const char* name, const char* kind, int left, int top, int width, int height,
                 const std::string& text, const std::string& accessibleName, int command = -1);
// The menu bar: a menu, and an item of it with its command (a separator has no caption).
void MakeMenu(const char* name, const char* caption);
void MakeMenuItem(const char* menu, const char* name, const char* caption, int command = -1);

// An integer field's text, as the field's rules set it.
void SetFieldText(const char* form, const char* name, const std::u16string& text);
// A palette button's picture: 20 x 20 pixels, RGBA.
void SetButtonPicture(const char* name, const std::uint8_t* rgba);
// The grid's backing store: its size in device pixels, and a rectangle of it from `rgba`
// (rows of `stride` pixels).
void SizeGrid(int width, int height);
void PutGrid(const std::uint8_t* rgba, int stride, int x, int y, int width, int height);
// The grid as a screen reader knows it: one cell's place and name, and the current cell.
void DescribeCell(int col, int row, const std::string& place);
void SetCellName(int col, int row, const std::string& name);
void SetCurrentCell(int col, int row);

// A message box with an OK button, as an alertdialog; waits until it is dismissed.
void ShowBox(const std::string& text, const std::string& caption, bool error);
// A dialog (#Form2, #Form3), modally; waits until it closes; true for OK.
bool ShowDialog(const char* id);
void Beep();
// The editor has ended: the page says so.
void End();

// Files. A picked file's bytes are put into the program's own file system in memory, and
// its name there is returned; a failure is the name of the browser's error ("NotFoundError").
struct PickedFile {
  std::optional<std::string> Path;  // nothing when the picker was cancelled
  std::string Failure;              // empty on success
  std::string Name;                 // the file's own name, as the user knows it
};
// The pickers' one type of file: its description and its extension (no dot).
void SetFileType(const char* description, const char* extension);
// Waits for the open picker (or the file dropped or launched).
PickedFile ChooseFileToOpen();
// Waits for the save picker, offered `suggestedName`; the chosen name, and where to write.
PickedFile ChooseFileToSave(const std::string& suggestedName);
// Waits while the bytes written to `path` go to the file chosen for it: through its handle,
// or as a download. The browser's error name, or empty.
std::string CommitSave(const std::string& path);

}  // namespace web
