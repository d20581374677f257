#include "qt/widgets/FileDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>

#include "editor/EditorTexts.h"
#include "qt/desktop/ModalExec.h"
#include "qt/desktop/ScreenPlace.h"

TFileDialog::TFileDialog(QWidget* owner, TKind kind) : owner_(owner), kind_(kind) {}

QFileDialog& TFileDialog::Dialog() {
  if (dialog_) return *dialog_;
  dialog_ = new QFileDialog(owner_);
  dialog_->setNameFilter(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(quarvel::kLevelSetFilterName),
                                                       QString::fromUtf8(quarvel::kLevelSetFilterPattern)));
  dialog_->setOption(QFileDialog::HideNameFilterDetails);  // the filter reads ".dag files"
  if (kind_ == TKind::Open) {
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name is taken unchanged, whether such a file exists or not.
    dialog_->setFileMode(QFileDialog::AnyFile);
  } else {
    dialog_->setAcceptMode(QFileDialog::AcceptSave);
    dialog_->setFileMode(QFileDialog::AnyFile);
    dialog_->setDefaultSuffix(QString::fromUtf8(quarvel::kLevelSetExtension));
    // An existing file is replaced without a question.
    dialog_->setOption(QFileDialog::DontConfirmOverwrite);
  }
  return *dialog_;
}

TFileDialog::~TFileDialog() = default;  // the dialog belongs to its owner window

bool TFileDialog::Execute() {
  QFileDialog& dialog = Dialog();
  if (!fileName_.isEmpty()) dialog.selectFile(fileName_);
  // Sized and placed onto the screen at every showing: the first time centred over its
  // owner, later where it was left, shrunk where the screen is too small for it (at 200 %
  // Qt's own size would put its buttons off a 1024 x 768 screen).
  const bool centre = !placed_ && owner_;
  FitOnScreen(dialog, centre ? CentredOver(*owner_, dialog.size()) : dialog.geometry().topLeft());
  placed_ = true;
  const int result = ExecModal(dialog);
  // The name box's suggestion list can outlive the dialog when Return confirms a name
  // while it is open; it would stay on screen over the main window.
  for (QCompleter* completer : dialog.findChildren<QCompleter*>()) {
    if (completer->popup()) completer->popup()->hide();
  }
  if (result != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return false;
  fileName_ = chosen.first();
  return true;
}
