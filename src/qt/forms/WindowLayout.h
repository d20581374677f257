#pragma once
// Placing the controls of the Qt windows by the layout's table (editor/Layout.h).

#include <span>

#include "editor/Layout.h"

class QLabel;
class QWidget;

namespace WindowLayout {

// Gives `control` the name and the place (corner and size) of its row; Placed returns it.
void Place(QWidget& control, const TControlPlace& place);
template <typename Control>
Control* Placed(Control* control, const TControlPlace& place) {
  Place(*control, place);
  return control;
}

// A label with `caption` at the corner of its row, sized to its text.
QLabel* NewLabel(QWidget* parent, const char* caption, const TControlPlace& place);

// Chains the tab order of the controls of `table`, children of `parent` by name.
void SetTabOrder(QWidget& parent, std::span<const TControlPlace> table);

}  // namespace WindowLayout
