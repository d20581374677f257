#include "web/Unit3.h"

#include <string>

#include "editor/EditorTexts.h"
#include "editor/Layout.h"
#include "web/Page.h"

namespace web {

TForm3::TForm3() {
  MakeForm("Form3", quarvel::kAboutCaption, WindowLayout::kForm3.ClientWidth, WindowLayout::kForm3.ClientHeight);
  std::string memo;
  for (const char* line : quarvel::kAboutLines) memo += std::string(memo.empty() ? "" : "\n") + line;
  for (const WindowLayout::TControlPlace& place : WindowLayout::TabOrder(WindowLayout::kAbout)) {
    const bool isMemo = std::string_view(place.Name) == "Memo1";
    MakeControl("Form3", place.Name, isMemo ? "memo" : "button", place.Left, place.Top, place.Width, place.Height,
                isMemo ? memo : quarvel::kCloseCaption, isMemo ? quarvel::kAboutCaption : quarvel::kCloseCaption);
  }
}

void TForm3::ShowModal() { ShowDialog("Form3"); }

}  // namespace web
