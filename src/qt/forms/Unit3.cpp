#include "qt/forms/Unit3.h"

#include <QIcon>
#include <QTextEdit>

#include "editor/EditorTexts.h"
#include "qt/desktop/FormFont.h"
#include "qt/desktop/ModalExec.h"
#include "qt/desktop/ScreenPlace.h"
#include "qt/forms/WindowLayout.h"
#include "qt/widgets/Button.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() {
  setObjectName(QStringLiteral("Form3"));
  // A tool window of fixed size with a caption only: no icon, no system menu, no close box.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(QString::fromUtf8(quarvel::kAboutCaption));
  setWindowIcon(QIcon());
  setFont(FormFont());
  setFixedSize(WindowLayout::kForm3.ClientWidth, WindowLayout::kForm3.ClientHeight);
  setModal(true);

  Memo1 = new QTextEdit(this);
  WindowLayout::Place(*Memo1, WindowLayout::At(WindowLayout::kAbout, "Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setBackgroundRole(QPalette::Button);
  QPalette memoPalette = Memo1->palette();
  memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
  Memo1->setPalette(memoPalette);
  for (const char* line : quarvel::kAboutLines) {
    Memo1->append(QString::fromUtf8(line));
    Memo1->setAlignment(Qt::AlignHCenter);
  }
  Memo1->moveCursor(QTextCursor::Start);

  Button1 = WindowLayout::Placed(new TButton(QString::fromUtf8(quarvel::kCloseCaption), this),
                                 WindowLayout::At(WindowLayout::kAbout, "Button1"));
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });

  WindowLayout::SetTabOrder(*this, WindowLayout::kAbout);
  Button1->setFocus();
}

void TForm3::Button1Click(QObject* /*Sender*/) { accept(); }

void TForm3::Execute(QWidget* owner) {
  if (!placed_ && owner) {
    PlaceOnScreen(*this, CentredOver(*owner, size()));
    placed_ = true;
  }
  ExecModal(*this);
}
