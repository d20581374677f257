// The editor in the browser: the three windows made at start, as the desktop's start-up
// makes them, and the page's events handed to them. The page (site/page.js) calls these
// functions by name.

#include <emscripten.h>

#include <string>
#include <string_view>

#include "files/DagFormat.h"
#include "web/Page.h"
#include "web/Unit1.h"
#include "web/Unit2.h"
#include "web/Unit3.h"

namespace {

web::TForm2* Form2 = nullptr;
web::TForm3* Form3 = nullptr;
web::TForm1* Form1 = nullptr;

web::TSpinEdit* FieldOf(std::string_view form, std::string_view name) {
  if (form == "Form1") return Form1->Field(name);
  if (form == "Form2") return Form2->Field(name);
  return nullptr;
}

}  // namespace

int main() {
  // The Levels Copy dialog and the About box are made hidden; the main window shows them.
  static web::TForm2 levelsCopy;
  static web::TForm3 about;
  Form2 = &levelsCopy;
  Form3 = &about;
  static web::TForm1 mainWindow(levelsCopy, about);
  Form1 = &mainWindow;
  return 0;
}

extern "C" {

// The page's look: device pixel ratio and the system colours of the window and of the
// highlight (0xAARRGGBB).
EMSCRIPTEN_KEEPALIVE void web_look(double ratio, unsigned window, unsigned highlight) {
  Form1->DrawGrid1->SetLook(ratio, window, highlight);
}

// The most bytes of a file that the reader looks at, and one more: enough to tell that a
// file is longer.
EMSCRIPTEN_KEEPALIVE int web_file_limit() { return int(quarvel::kMaxLevelSetFileSize) + 1; }

EMSCRIPTEN_KEEPALIVE void web_focus(const char* form, const char* name) {
  if (std::string_view(form) == "Form1") Form1->ControlFocused(name);
  if (std::string_view(form) == "Form2") Form2->ControlFocused(name);
}

// A command of the main window: a button or a menu item, by the number it was made with.
// Numbers only: a command may wait in a box or a picker, and must not hold the caller's
// stack.
EMSCRIPTEN_KEEPALIVE void web_command(int command) { Form1->Command(command); }

EMSCRIPTEN_KEEPALIVE int web_may_type(const char* form, const char* name, const char16_t* text,
                                      const char16_t* separator) {
  web::TSpinEdit* field = FieldOf(form, name);
  return field && field->MayType(text, separator);
}

EMSCRIPTEN_KEEPALIVE void web_edited(const char* form, const char* name, const char16_t* text) {
  if (web::TSpinEdit* field = FieldOf(form, name)) field->TextEdited(text);
}

EMSCRIPTEN_KEEPALIVE void web_step(const char* form, const char* name, int delta) {
  if (web::TSpinEdit* field = FieldOf(form, name)) field->Step(delta);
}

// An up or down button: pressed (0, with its step), the pointer over it or not (1), and
// released over it or not (2).
EMSCRIPTEN_KEEPALIVE void web_spin_button(const char* form, const char* name, int action, int value) {
  web::TSpinEdit* field = FieldOf(form, name);
  if (!field) return;
  if (action == 0) field->ButtonDown(value);
  if (action == 1) field->ButtonOver(value != 0);
  if (action == 2) field->ButtonUp(value != 0);
}

// The grid's mouse: pressed (0), moved (1), released (2), in CSS pixels.
EMSCRIPTEN_KEEPALIVE void web_grid_mouse(int action, double x, double y, int button, int clicks) {
  if (action == 0) Form1->DrawGrid1->MouseDown(x, y, button, clicks);
  if (action == 1) Form1->DrawGrid1->MouseMove(x, y);
  if (action == 2) Form1->DrawGrid1->MouseUp(x, y);
}

EMSCRIPTEN_KEEPALIVE void web_grid_wheel(int units) { Form1->DrawGrid1->Wheel(units); }

// A key on the grid, by its place in TGridKey; Ctrl held or not.
EMSCRIPTEN_KEEPALIVE void web_grid_key(int key, int ctrl) {
  Form1->DrawGrid1->KeyDown(quarvel::TGridKey(key), ctrl != 0);
}

EMSCRIPTEN_KEEPALIVE int web_changed() { return Form1 && Form1->SetChanged(); }

}  // extern "C"
