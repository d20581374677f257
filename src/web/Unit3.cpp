#include "web/Unit3.h"

#include <string>

#include "editor/EditorTexts.h"
#include "web/Page.h"
#include "web/PendingEditorRules.h"

namespace web {

TForm3::TForm3() {
  MakeForm("Form3", quarvel::kAboutCaption, quarvel::pending::kAboutClient.Width,
           quarvel::pending::kAboutClient.Height);
  std::string memo;
  for (const char* line : quarvel::kAboutLines) memo += std::string(memo.empty() ? "" : "\n") + line;
  for (const auto& place : quarvel::pending::kAboutBox) {
    const bool isMemo = std::string_view(place.Name) == "Memo1";
    MakeControl("Form3", place.Name, isMemo ? "memo" : "button", place.Left, place.Top, place.Width, place.Height,
                isMemo ? memo : quarvel::kCloseCaption, isMemo ? quarvel::kAboutCaption : quarvel::kCloseCaption);
  }
}

void TForm3::ShowModal() { ShowDialog("Form3"); }

}  // namespace web
