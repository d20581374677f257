#include "qt/desktop/FormFont.h"

QFont FormFont() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}
