#include "ui/ProgramLook.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

#include "ui/FormFont.h"

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
};

}  // namespace

QStyle* NewProgramStyle() { return new TProgramStyle; }

void ApplyProgramLook() {
  QStyle* style = NewProgramStyle();
  QApplication::setStyle(style);  // the application owns it from here
  QApplication::setPalette(style->standardPalette());
  QApplication::setFont(FormFont());
}
