#include "ui/ModalExec.h"

namespace {
TModalHandler& Handler() {
  static TModalHandler handler;
  return handler;
}
}  // namespace

void SetModalHandler(TModalHandler handler) { Handler() = std::move(handler); }

int ExecModal(QDialog& dialog) { return Handler() ? Handler()(dialog) : dialog.exec(); }
