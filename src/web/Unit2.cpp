#include "web/Unit2.h"

#include "editor/EditorTexts.h"
#include "editor/FieldRanges.h"
#include "editor/Layout.h"
#include "web/Page.h"

namespace web {

TForm2::TForm2() {
  MakeForm("Form2", quarvel::kLevelsCopyCaption, WindowLayout::kForm2.ClientWidth, WindowLayout::kForm2.ClientHeight);
  for (const WindowLayout::TControlPlace& place : WindowLayout::TabOrder(WindowLayout::kLevelsCopy)) {
    const std::string_view name = place.Name;
    const int index = name.back() - '1';
    if (name.starts_with("SpinEdit")) {
      MakeControl("Form2", place.Name, "spin", place.Left, place.Top, place.Width, place.Height, "1",
                  quarvel::kLevelsCopyLabels[index]);
      focus_.AddField(std::make_unique<TSpinEdit>("Form2", place.Name, quarvel::kLevelFieldRange.Min,
                                                  quarvel::kLevelFieldRange.Max, 1));
    } else {
      const char* caption = index == 0 ? quarvel::kOkCaption : quarvel::kCancelCaption;
      MakeControl("Form2", place.Name, "button", place.Left, place.Top, place.Width, place.Height, caption, caption);
    }
  }
  for (const WindowLayout::TControlPlace& place : WindowLayout::kLevelsCopy)
    if (place.Tab < 0)
      MakeControl("Form2", place.Name, "label", place.Left, place.Top, -1, -1,
                  quarvel::kLevelsCopyLabels[place.Name[5] - '1'], "SpinEdit" + std::string(1, place.Name[5]));
  SpinEdit1 = Field("SpinEdit1");
  SpinEdit2 = Field("SpinEdit2");
  SpinEdit3 = Field("SpinEdit3");
}

TSpinEdit* TForm2::Field(std::string_view name) { return focus_.Field(name); }

void TForm2::ControlFocused(std::string_view name) { focus_.Focused(name); }

std::optional<quarvel::CopyRange> TForm2::ShowModal() {
  if (!ShowDialog("Form2")) return std::nullopt;
  return quarvel::CopyRange{SpinEdit1->Value(), SpinEdit2->Value(), SpinEdit3->Value()};
}

}  // namespace web
