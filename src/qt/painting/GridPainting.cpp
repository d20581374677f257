#include "qt/painting/GridPainting.h"

#include <QColor>
#include <QPainter>

namespace GridPainting {

quarvel::GridColours ColoursFromPalette(const QPalette& palette) {
  quarvel::GridColours c;
  c.Base = palette.color(QPalette::Base).rgb();
  c.Lines = quarvel::GridLinesOn(c.Base);
  c.Highlight = palette.color(QPalette::Highlight).rgb();
  c.Dark = palette.color(QPalette::Dark).rgb();
  c.Light = palette.color(QPalette::Light).rgb();
  c.Shadow = palette.color(QPalette::Shadow).rgb();
  c.Midlight = palette.color(QPalette::Midlight).rgb();
  return c;
}

void PaintFrame(QPainter& p, const quarvel::GridColours& colours, const Geometry& g, QSize size) {
  for (const quarvel::ColouredRect& fill : quarvel::GridFrame(colours, {g, size.width(), size.height()}))
    p.fillRect(ToQRect(fill.rect), QColor::fromRgb(fill.colour));
}

}  // namespace GridPainting
