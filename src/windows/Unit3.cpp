#include "windows/Unit3.h"

#include <QIcon>
#include <QTextEdit>

#include "desktop/FormFont.h"
#include "desktop/ModalExec.h"
#include "desktop/ScreenPlace.h"
#include "editor/EditorTexts.h"
#include "widgets/Button.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() {
  setObjectName(QStringLiteral("Form3"));
  // A tool window of fixed size with a caption only: no icon, no system menu, no close box.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(QStringLiteral("About"));
  setWindowIcon(QIcon());
  setFont(FormFont());
  setFixedSize(232, 243);
  setModal(true);

  Memo1 = new QTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(8, 8, 217, 177);
  Memo1->setReadOnly(true);
  Memo1->setBackgroundRole(QPalette::Button);
  QPalette memoPalette = Memo1->palette();
  memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
  Memo1->setPalette(memoPalette);
  for (const char* line : quarvel::kAboutLines) {
    Memo1->append(QString::fromLatin1(line));
    Memo1->setAlignment(Qt::AlignHCenter);
  }
  Memo1->moveCursor(QTextCursor::Start);

  Button1 = new TButton(QStringLiteral("Close"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(80, 200, 75, 25);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });

  QWidget::setTabOrder(Button1, Memo1);
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
