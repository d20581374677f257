#pragma once
// The Levels Copy dialog in the page, TForm2: three integer fields and OK and Cancel.

#include <memory>
#include <optional>
#include <string_view>

#include "editor/EditorWindow.h"
#include "web/SpinEdit.h"
#include "web/WindowFocus.h"

namespace web {

class TForm2 {
 public:
  TForm2();
  TSpinEdit *SpinEdit1, *SpinEdit2, *SpinEdit3;

  TSpinEdit* Field(std::string_view name);
  void ControlFocused(std::string_view name);
  // Modally; the three values when it closed with OK.
  std::optional<quarvel::CopyRange> ShowModal();

 private:
  TWindowFocus focus_;
};

}  // namespace web
