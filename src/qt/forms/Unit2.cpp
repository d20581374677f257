#include "qt/forms/Unit2.h"

#include <QIcon>
#include <QLabel>

#include "editor/EditorTexts.h"
#include "editor/FieldRanges.h"
#include "qt/desktop/FormFont.h"
#include "qt/desktop/ScreenPlace.h"
#include "qt/forms/WindowLayout.h"
#include "qt/widgets/Button.h"
#include "qt/widgets/SpinEdit.h"

TForm2* Form2 = nullptr;

namespace {

using WindowLayout::At;
using WindowLayout::kLevelsCopy;
using WindowLayout::NewLabel;
using WindowLayout::Placed;
using WindowLayout::TControlPlace;

TSpinEdit* NewField(QWidget* parent, const TControlPlace& place) {
  auto* field = Placed(new TSpinEdit(parent), place);
  field->SetRange(quarvel::kLevelFieldRange.Min, quarvel::kLevelFieldRange.Max);
  field->SetText(QStringLiteral("1"));
  return field;
}

}  // namespace

TForm2::TForm2() {
  setObjectName(QStringLiteral("Form2"));
  // A fixed dialog frame with a caption only: no icon, no system menu, no close box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(QString::fromUtf8(quarvel::kLevelsCopyCaption));
  setWindowIcon(QIcon());
  setFont(FormFont());
  setFixedSize(WindowLayout::kForm2.ClientWidth, WindowLayout::kForm2.ClientHeight);
  setModal(true);

  Label1 = NewLabel(this, quarvel::kLevelsCopyLabels[0], At(kLevelsCopy, "Label1"));
  SpinEdit1 = NewField(this, At(kLevelsCopy, "SpinEdit1"));
  Label2 = NewLabel(this, quarvel::kLevelsCopyLabels[1], At(kLevelsCopy, "Label2"));
  SpinEdit2 = NewField(this, At(kLevelsCopy, "SpinEdit2"));
  Label3 = NewLabel(this, quarvel::kLevelsCopyLabels[2], At(kLevelsCopy, "Label3"));
  SpinEdit3 = NewField(this, At(kLevelsCopy, "SpinEdit3"));
  SetFieldName(SpinEdit1, Label1->text());  // for screen readers
  SetFieldName(SpinEdit2, Label2->text());
  SetFieldName(SpinEdit3, Label3->text());
  Button1 = Placed(new TButton(QString::fromUtf8(quarvel::kOkCaption), this), At(kLevelsCopy, "Button1"));
  Button2 = Placed(new TButton(QString::fromUtf8(quarvel::kCancelCaption), this), At(kLevelsCopy, "Button2"));
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

  WindowLayout::SetTabOrder(*this, kLevelsCopy);
  SpinEdit1->setFocus();
}

void TForm2::showEvent(QShowEvent* event) {
  // Opens here the first time; afterwards wherever the user left it.
  if (!placed_) {
    placed_ = true;
    PlaceOnScreen(*this, QPoint(WindowLayout::kForm2.Left, WindowLayout::kForm2.Top));
  }
  TNoCancelDialog::showEvent(event);
}
