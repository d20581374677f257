#include "qt/desktop/ProgramLook.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include "qt/desktop/CrispIcon.h"
#include "qt/desktop/FormFont.h"

namespace {

class TProgramStyle : public QProxyStyle {
 public:
  TProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    // An OK button is a caption alone, as on every other button of the program.
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    // The menu bar's face without the line under it: the menu bar draws that itself, the
    // whole width and in whole device pixels at every scale.
    if (element == CE_MenuBarEmptyArea) {
      painter->fillRect(option->rect, option->palette.button());
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override {
    // The message boxes' pictures, enlarged as crisply as the rest of the program.
    switch (icon) {
      case SP_MessageBoxInformation:
      case SP_MessageBoxWarning:
      case SP_MessageBoxCritical:
      case SP_MessageBoxQuestion: {
        const int size = QProxyStyle::pixelMetric(PM_MessageBoxIconSize, option, widget);
        return CrispIcon(QProxyStyle::standardIcon(icon, option, widget).pixmap(QSize(size, size), 1.0).toImage());
      }
      default:
        return QProxyStyle::standardIcon(icon, option, widget);
    }
  }
};

}  // namespace

QStyle* NewProgramStyle() { return new TProgramStyle; }

void ApplyProgramLook() {
  QStyle* style = NewProgramStyle();
  QApplication::setStyle(style);  // the application owns it from here
  QApplication::setPalette(style->standardPalette());
  QApplication::setFont(FormFont());
}
