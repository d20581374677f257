#include "ui/FileDialogs.h"

#include <QFileDialog>

#include "ui/ModalExec.h"

TFileDialog::TFileDialog(QWidget* owner, TKind kind) : dialog_(new QFileDialog(owner)) {
  dialog_->setNameFilter(QStringLiteral(".dag files (*.dag)"));
  dialog_->setOption(QFileDialog::HideNameFilterDetails);  // the filter reads ".dag files"
  if (kind == TKind::Open) {
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name is taken unchanged, whether such a file exists or not.
    dialog_->setFileMode(QFileDialog::AnyFile);
  } else {
    dialog_->setAcceptMode(QFileDialog::AcceptSave);
    dialog_->setFileMode(QFileDialog::AnyFile);
    dialog_->setDefaultSuffix(QStringLiteral("dag"));
    // An existing file is replaced without a question.
    dialog_->setOption(QFileDialog::DontConfirmOverwrite);
  }
}

TFileDialog::~TFileDialog() = default;  // the dialog belongs to its owner window

bool TFileDialog::Execute() {
  if (!fileName_.isEmpty()) dialog_->selectFile(fileName_);
  if (ExecModal(*dialog_) != QDialog::Accepted) return false;
  const QStringList chosen = dialog_->selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return false;
  fileName_ = chosen.first();
  return true;
}
