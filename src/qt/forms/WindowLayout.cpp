#include "qt/forms/WindowLayout.h"

#include <QLabel>
#include <QWidget>

namespace WindowLayout {

void Place(QWidget& control, const TControlPlace& place) {
  control.setObjectName(QString::fromLatin1(place.Name));
  control.setGeometry(place.Left, place.Top, place.Width, place.Height);
}

QLabel* NewLabel(QWidget* parent, const char* caption, const TControlPlace& place) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(QString::fromLatin1(place.Name));
  label->move(place.Left, place.Top);
  label->adjustSize();  // sized to its text
  return label;
}

void SetTabOrder(QWidget& parent, std::span<const TControlPlace> table) {
  QWidget* previous = nullptr;
  for (const TControlPlace& place : TabOrder(table)) {
    auto* control = parent.findChild<QWidget*>(QString::fromLatin1(place.Name), Qt::FindDirectChildrenOnly);
    if (previous) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace WindowLayout
