#include "web/Page.h"

#include <emscripten.h>

#include <cstdlib>

// Each function hands its arguments to the page's script: QuarvelPage (site/page.js: the
// windows, boxes and dialogs), QuarvelControls (site/controls.js), QuarvelMenus
// (site/menus.js) or QuarvelFiles (site/files.js: the files).
// clang-format off
EM_JS(void, page_make_form, (const char* id, const char* caption, int w, int h), {
  QuarvelPage.makeForm(UTF8ToString(id), UTF8ToString(caption), w, h);
});
EM_JS(void, page_make_control, (const char* form, const char* name, const char* kind, int l, int t, int w, int h,
                                const char* text, const char* label, int command), {
  QuarvelPage.makeControl(UTF8ToString(form), UTF8ToString(name), UTF8ToString(kind), l, t, w, h,
                          UTF8ToString(text), UTF8ToString(label), command);
});
EM_JS(void, page_make_menu, (const char* name, const char* caption), {
  QuarvelMenus.makeMenu(UTF8ToString(name), UTF8ToString(caption));
});
EM_JS(void, page_make_menu_item, (const char* menu, const char* name, const char* caption, int command), {
  QuarvelMenus.makeMenuItem(UTF8ToString(menu), UTF8ToString(name), UTF8ToString(caption), command);
});
EM_JS(void, page_set_field_text, (const char* form, const char* name, const char16_t* text), {
  QuarvelControls.setFieldText(UTF8ToString(form), UTF8ToString(name), UTF16ToString(text));
});
EM_JS(void, page_set_button_picture, (const char* name, const std::uint8_t* rgba), {
  QuarvelControls.setButtonPicture(UTF8ToString(name), HEAPU8.slice(rgba, rgba + 20 * 20 * 4));
});
EM_JS(void, page_size_grid, (int w, int h), { QuarvelControls.sizeGrid(w, h); });
EM_JS(void, page_put_grid, (const std::uint8_t* rgba, int stride, int x, int y, int w, int h), {
  QuarvelControls.putGrid(HEAPU8, rgba, stride, x, y, w, h);
});
EM_JS(void, page_describe_cell, (int col, int row, const char* place), {
  QuarvelControls.describeCell(col, row, UTF8ToString(place));
});
EM_JS(void, page_set_cell_name, (int col, int row, const char* name), {
  QuarvelControls.setCellName(col, row, UTF8ToString(name));
});
EM_JS(void, page_set_current_cell, (int col, int row), { QuarvelControls.setCurrentCell(col, row); });
EM_ASYNC_JS(void, page_show_box, (const char* text, const char* caption, int error), {
  await QuarvelPage.wait(() => QuarvelPage.showBox(UTF8ToString(text), UTF8ToString(caption), !!error));
});
EM_ASYNC_JS(int, page_show_dialog, (const char* id), {
  return await QuarvelPage.wait(() => QuarvelPage.showDialog(UTF8ToString(id)));
});
EM_JS(void, page_beep, (), { QuarvelPage.beep(); });
EM_JS(void, page_end, (), { QuarvelPage.end(); });
EM_JS(void, page_set_file_type, (const char* description, const char* extension), {
  QuarvelFiles.setType(UTF8ToString(description), UTF8ToString(extension));
});
// A picked file comes back as one text: "" cancelled, "!" and the error's name, or the
// path in memory, a line end and the file's own name.
EM_ASYNC_JS(char*, page_choose_open, (), {
  return allocateUTF8(await QuarvelPage.wait(() => QuarvelFiles.chooseFileToOpen()));
});
EM_ASYNC_JS(char*, page_choose_save, (const char* suggested), {
  return allocateUTF8(await QuarvelPage.wait(() => QuarvelFiles.chooseFileToSave(UTF8ToString(suggested))));
});
EM_ASYNC_JS(char*, page_commit_save, (const char* path), {
  return allocateUTF8(await QuarvelPage.wait(() => QuarvelFiles.commitSave(UTF8ToString(path))));
});
// clang-format on

namespace web {
namespace {

std::string Take(char* text) {
  std::string s = text ? text : "";
  std::free(text);
  return s;
}

PickedFile Picked(const std::string& answer) {
  PickedFile picked;
  if (answer.empty()) return picked;
  if (answer[0] == '!') {
    picked.Failure = answer.substr(1);
    return picked;
  }
  const std::size_t line = answer.find('\n');
  picked.Path = answer.substr(0, line);
  if (line != std::string::npos) picked.Name = answer.substr(line + 1);
  return picked;
}

}  // namespace

void MakeForm(const char* id, const char* caption, int width, int height) {
  page_make_form(id, caption, width, height);
}
void MakeControl(const char* form, const char* name, const char* kind, int left, int top, int width, int height,
                 const std::string& text, const std::string& accessibleName, int command) {
  page_make_control(form, name, kind, left, top, width, height, text.c_str(), accessibleName.c_str(), command);
}
void MakeMenu(const char* name, const char* caption) { page_make_menu(name, caption); }
void MakeMenuItem(const char* menu, const char* name, const char* caption, int command) {
  page_make_menu_item(menu, name, caption, command);
}
void SetFieldText(const char* form, const char* name, const std::u16string& text) {
  page_set_field_text(form, name, text.c_str());
}
void SetButtonPicture(const char* name, const std::uint8_t* rgba) { page_set_button_picture(name, rgba); }
void SizeGrid(int width, int height) { page_size_grid(width, height); }
void PutGrid(const std::uint8_t* rgba, int stride, int x, int y, int width, int height) {
  page_put_grid(rgba, stride, x, y, width, height);
}
void DescribeCell(int col, int row, const std::string& place) { page_describe_cell(col, row, place.c_str()); }
void SetCellName(int col, int row, const std::string& name) { page_set_cell_name(col, row, name.c_str()); }
void SetCurrentCell(int col, int row) { page_set_current_cell(col, row); }
void ShowBox(const std::string& text, const std::string& caption, bool error) {
  page_show_box(text.c_str(), caption.c_str(), error ? 1 : 0);
}
bool ShowDialog(const char* id) { return page_show_dialog(id) != 0; }
void Beep() { page_beep(); }
void End() { page_end(); }
void SetFileType(const char* description, const char* extension) { page_set_file_type(description, extension); }
PickedFile ChooseFileToOpen() { return Picked(Take(page_choose_open())); }
PickedFile ChooseFileToSave(const std::string& suggestedName) {
  return Picked(Take(page_choose_save(suggestedName.c_str())));
}
std::string CommitSave(const std::string& path) {
  const std::string answer = Take(page_commit_save(path.c_str()));
  return answer.empty() ? answer : answer.substr(1);
}

}  // namespace web
