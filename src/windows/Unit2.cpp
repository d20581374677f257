#include "windows/Unit2.h"

#include <QIcon>
#include <QLabel>

#include "widgets/Button.h"
#include "desktop/FormFont.h"
#include "widgets/GridAccessible.h"
#include "desktop/ScreenPlace.h"
#include "widgets/SpinEdit.h"

TForm2* Form2 = nullptr;

namespace {

QLabel* NewLabel(QWidget* parent, const char* caption, int top, const char* name) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->move(8, top);
  label->adjustSize();
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

TSpinEdit* NewField(QWidget* parent, int top, const char* name) {
  auto* field = new TSpinEdit(parent);
  field->setGeometry(8, top, 65, 22);
  field->SetRange(1, 256);
  field->SetText(QStringLiteral("1"));
  field->setObjectName(QString::fromLatin1(name));
  return field;
}

}  // namespace

TForm2::TForm2() {
  setObjectName(QStringLiteral("Form2"));
  // A fixed dialog frame with a caption only: no icon, no system menu, no close box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(QStringLiteral("Levels Copy"));
  setWindowIcon(QIcon());
  setFont(FormFont());
  setFixedSize(198, 202);
  setModal(true);

  Label1 = NewLabel(this, "Start from", 24, "Label1");
  SpinEdit1 = NewField(this, 40, "SpinEdit1");
  Label2 = NewLabel(this, "Quantity", 80, "Label2");
  SpinEdit2 = NewField(this, 96, "SpinEdit2");
  Label3 = NewLabel(this, "Insert after", 136, "Label3");
  SpinEdit3 = NewField(this, 152, "SpinEdit3");
  SetFieldName(SpinEdit1, Label1->text());  // for screen readers
  SetFieldName(SpinEdit2, Label2->text());
  SetFieldName(SpinEdit3, Label3->text());
  Button1 = new TButton(QStringLiteral("OK"), this);
  Button1->setGeometry(104, 40, 75, 25);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new TButton(QStringLiteral("Cancel"), this);
  Button2->setGeometry(104, 96, 75, 25);
  Button2->setObjectName(QStringLiteral("Button2"));
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

  QWidget::setTabOrder(SpinEdit1, SpinEdit2);
  QWidget::setTabOrder(SpinEdit2, SpinEdit3);
  QWidget::setTabOrder(SpinEdit3, Button1);
  QWidget::setTabOrder(Button1, Button2);
  SpinEdit1->setFocus();
}

void TForm2::showEvent(QShowEvent* event) {
  // Opens here the first time; afterwards wherever the user left it.
  if (!placed_) {
    placed_ = true;
    PlaceOnScreen(*this, QPoint(436, 396));
  }
  TNoCancelDialog::showEvent(event);
}
