#include "windows/WindowLayout.h"

#include <QWidget>

namespace WindowLayout {

void SetTabOrder(QWidget& parent, std::span<const TControlPlace> table) {
  QWidget* previous = nullptr;
  for (const TControlPlace& place : TabOrder(table)) {
    auto* control = parent.findChild<QWidget*>(QString::fromLatin1(place.Name), Qt::FindDirectChildrenOnly);
    if (previous) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace WindowLayout
