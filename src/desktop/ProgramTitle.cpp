#include "desktop/ProgramTitle.h"

namespace {
QString& Title() {
  static QString title;
  return title;
}
}  // namespace

void SetProgramTitle(const QString& title) { Title() = title; }

const QString& ProgramTitle() { return Title(); }
