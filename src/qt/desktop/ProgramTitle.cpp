#include "qt/desktop/ProgramTitle.h"

namespace {
QString& Title() {
  static QString title;
  return title;
}
}  // namespace

void SetProgramTitle(const QString& title) { Title() = title; }

const QString& ProgramTitle() { return Title(); }

QString ProgramTitleFromPath(const QString& programPath) {
  QString name = programPath.mid(programPath.lastIndexOf(QLatin1Char('/')) + 1);
  const qsizetype stop = name.indexOf(QLatin1Char('.'));
  if (stop >= 0) name.truncate(stop);
  if (name.size() > 1) name = name.left(1) + name.mid(1).toLower();
  return name;
}
