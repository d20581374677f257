// Build tool: writes the program icon, or the icon of the editor's files, at the sizes
// desktops ask for, all made from the one 32 x 32 picture in ProgramIcon.xpm.
//   MakeProgramIcons [--document] OUTPUT-DIR NAME SIZE...
// writes OUTPUT-DIR/SIZExSIZE/apps/NAME.png for each SIZE (the hicolor theme's layout);
// with --document, the files' icon as OUTPUT-DIR/SIZExSIZE/mimetypes/NAME.png.
// Plain QImage work: no application object and no display.
#include <QDir>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "picture/ProgramIcon.xpm"

namespace {

int Overlap(int begin1, int end1, int begin2, int end2) {
  return std::max(0, std::min(end1, end2) - std::max(begin1, begin2));
}

// Box filter: each target pixel is the mean of the source area it covers, each source
// pixel weighted by how much of it lies inside. Measured in units of 1 / (n * size) of
// the picture's side, source pixel i spans [i * size, (i + 1) * size) and target pixel
// x spans [x * n, (x + 1) * n), so the weights are whole numbers. At whole multiples
// every target pixel lies inside one source pixel: a plain nearest-neighbour copy that
// keeps the pixel art's hard edges. Smaller sizes blend the pixels they merge, so thin
// lines fade rather than vanish.
QImage Resample(const QImage& source, int size) {
  const int n = source.width();
  QImage target(size, size, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < size; ++y) {
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
    const int y0 = y * n / size, y1 = ((y + 1) * n + size - 1) / size;
    for (int x = 0; x < size; ++x) {
      const int x0 = x * n / size, x1 = ((x + 1) * n + size - 1) / size;
      long long a = 0, r = 0, g = 0, b = 0;
      for (int sy = y0; sy < y1; ++sy) {
        const int wy = Overlap(sy * size, (sy + 1) * size, y * n, (y + 1) * n);
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        for (int sx = x0; sx < x1; ++sx) {
          const long long w = static_cast<long long>(wy) * Overlap(sx * size, (sx + 1) * size, x * n, (x + 1) * n);
          a += w * qAlpha(in[sx]);
          r += w * qRed(in[sx]);
          g += w * qGreen(in[sx]);
          b += w * qBlue(in[sx]);
        }
      }
      const long long total = static_cast<long long>(n) * n;
      auto mean = [total](long long sum) { return static_cast<int>((sum + total / 2) / total); };
      out[x] = qRgba(mean(r), mean(g), mean(b), mean(a));
    }
  }
  return target.convertToFormat(QImage::Format_ARGB32);
}

// The program icon with its top right corner folded down, as a page's is: a file of the
// editor's, not the editor.
QImage DogEared(const QImage& icon) {
  QImage page = icon.convertToFormat(QImage::Format_ARGB32);
  const int n = page.width(), fold = n / 4;
  for (int v = 0; v < fold; ++v) {
    auto* line = reinterpret_cast<QRgb*>(page.scanLine(v)) + n - fold;
    for (int u = 0; u < fold; ++u) {
      if (u > v)
        line[u] = qRgba(0, 0, 0, 0);  // the corner turned over
      else if (u == v || u == 0 || v == fold - 1)
        line[u] = qRgb(0, 0, 0);  // the fold and the flap's edges
      else
        line[u] = qRgb(0xFF, 0xFF, 0xFF);
    }
  }
  return page.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

int main(int argc, char** argv) {
  const bool document = argc > 1 && std::strcmp(argv[1], "--document") == 0;
  const int first = document ? 2 : 1;
  if (argc < first + 3) {
    std::fprintf(stderr, "usage: %s [--document] OUTPUT-DIR NAME SIZE...\n", argv[0]);
    return 2;
  }
  QImage picture = QImage(program_icon_xpm).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull() || picture.width() != picture.height()) {
    std::fprintf(stderr, "%s: the program icon is not a square picture\n", argv[0]);
    return 1;
  }
  if (document) picture = DogEared(picture);
  const QString outputDir = QString::fromLocal8Bit(argv[first]);
  const QString name = QString::fromLocal8Bit(argv[first + 1]);
  const QString context = document ? QStringLiteral("mimetypes") : QStringLiteral("apps");
  for (int i = first + 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < 1 || size > 1024) {
      std::fprintf(stderr, "%s: bad icon size %s\n", argv[0], argv[i]);
      return 2;
    }
    const QString folder = QStringLiteral("%1/%2x%2/%3").arg(outputDir).arg(size).arg(context);
    const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
    if (!QDir().mkpath(folder) || !Resample(picture, size).save(file, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
      return 1;
    }
  }
  return 0;
}
