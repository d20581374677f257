#include "windows/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>

#include "desktop/FormFont.h"
#include "desktop/ReportError.h"
#include "desktop/ScreenPlace.h"
#include "desktop/x11/WindowDestroyed.h"
#include "editor/EditorTexts.h"
#include "painting/TilePictures.h"
#include "widgets/Button.h"
#include "widgets/FileDialog.h"
#include "widgets/PaletteButton.h"
#include "widgets/SpinEdit.h"
#include "windows/WindowLayout.h"

namespace Unit1 {
quarvel::LevelSet LevelSet;
quarvel::TCurrentLevel CurrentLevel = 0;
quarvel::TCurrentBrush CurrentBrush = 0;
}  // namespace Unit1

TForm1* Form1 = nullptr;

namespace {

using WindowLayout::At;
using WindowLayout::kMainWindow;
using WindowLayout::NewLabel;
using WindowLayout::Placed;
using WindowLayout::TControlPlace;

TSpinEdit* NewField(QWidget* parent, const TControlPlace& place, const char* text) {
  auto* field = Placed(new TSpinEdit(parent), place);
  field->SetText(QString::fromLatin1(text));
  return field;
}

TButton* NewPaletteButton(QWidget* parent, int tile, const TControlPlace& place) {
  return Placed(new TPaletteButton(tile, parent), place);
}

}  // namespace

TForm1::TForm1() {
  setObjectName(QStringLiteral("Form1"));
  // A fixed single frame: minimise and close, no maximise, no resizing.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  setWindowTitle(QString::fromLatin1(quarvel::kMainCaption));
  setFont(FormFont());
  CreateMenu();
  CreateControls();
  SetTabOrder();
  OpenDialog1 = new TFileDialog(this, TFileDialog::TKind::Open);
  SaveDialog1 = new TFileDialog(this, TFileDialog::TKind::Save);
  FormCreate(this);
  ConnectHandlers();  // only now: no change handler runs while the window is created
  qApp->installEventFilter(this);
  QuitWhenDestroyed(*this);  // destroyed from outside, the window is closed all the same
  // Fixed at the menu bar's height as the window's look draws it, plus the client area,
  // whenever either changes.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TForm1::~TForm1() {
  delete OpenDialog1;
  delete SaveDialog1;
}

void TForm1::CreateMenu() {
  MainMenu1 = new TMainMenu(this);
  setMenuBar(MainMenu1);
  auto text = [](const char* caption) { return QString::fromLatin1(caption); };
  File1 = MainMenu1->addMenu(text(quarvel::kLevelsMenu));
  N1 = File1->addAction(text(quarvel::kNewSetItem));
  N2 = File1->addAction(text(quarvel::kOpenSetItem));
  N3 = File1->addAction(text(quarvel::kSaveSetItem));
  N4 = File1->addSeparator();
  N7 = File1->addAction(text(quarvel::kCopyItem));
  N6 = File1->addSeparator();
  N5 = File1->addAction(text(quarvel::kExitItem));
  About1 = MainMenu1->addMenu(text(quarvel::kHelpMenu));
  About2 = About1->addAction(text(quarvel::kAboutItem));
}

void TForm1::CreateControls() {
  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  DrawGrid1 = new TDrawGrid(client);  // sized by its cells
  DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
  DrawGrid1->move(At(kMainWindow, "DrawGrid1").Left, At(kMainWindow, "DrawGrid1").Top);

  BitBtn1 = NewPaletteButton(client, quarvel::Empty, At(kMainWindow, "BitBtn1"));
  BitBtn2 = NewPaletteButton(client, quarvel::RedBlock, At(kMainWindow, "BitBtn2"));
  BitBtn3 = NewPaletteButton(client, quarvel::GreenBlock, At(kMainWindow, "BitBtn3"));
  BitBtn4 = NewPaletteButton(client, quarvel::BlueBlock, At(kMainWindow, "BitBtn4"));
  BitBtn5 = NewPaletteButton(client, quarvel::YellowBlock, At(kMainWindow, "BitBtn5"));
  BitBtn6 = NewPaletteButton(client, quarvel::GrayBlock, At(kMainWindow, "BitBtn6"));
  BitBtn10 = NewPaletteButton(client, quarvel::CannonUp, At(kMainWindow, "BitBtn10"));
  BitBtn9 = NewPaletteButton(client, quarvel::CannonRight, At(kMainWindow, "BitBtn9"));
  BitBtn8 = NewPaletteButton(client, quarvel::CannonDown, At(kMainWindow, "BitBtn8"));
  BitBtn7 = NewPaletteButton(client, quarvel::CannonLeft, At(kMainWindow, "BitBtn7"));

  Label4 = NewLabel(client, "Bombs", At(kMainWindow, "Label4"));
  SpinEdit4 = NewField(client, At(kMainWindow, "SpinEdit4"), "0");
  Label5 = NewLabel(client, "Time", At(kMainWindow, "Label5"));
  SpinEdit5 = NewField(client, At(kMainWindow, "SpinEdit5"), "0");
  Label1 = NewLabel(client, "Rubies", At(kMainWindow, "Label1"));
  Label2 = NewLabel(client, "Emeralds", At(kMainWindow, "Label2"));
  Label3 = NewLabel(client, "Sapphires", At(kMainWindow, "Label3"));
  SpinEdit1 = NewField(client, At(kMainWindow, "SpinEdit1"), "0");
  SpinEdit2 = NewField(client, At(kMainWindow, "SpinEdit2"), "0");
  SpinEdit3 = NewField(client, At(kMainWindow, "SpinEdit3"), "0");
  Label6 = NewLabel(client, "Level", At(kMainWindow, "Label6"));
  Button1 = Placed(new TButton(QStringLiteral("Check Level"), client), At(kMainWindow, "Button1"));
  SpinEdit6 = NewField(client, At(kMainWindow, "SpinEdit6"), "1");
  SpinEdit6->SetRange(1, 256);

  // The menu's names, as in the layout, for tests and for finding them.
  const std::pair<QObject*, const char*> names[] = {{MainMenu1, "MainMenu1"},
                                                    {File1, "File1"},
                                                    {About1, "About1"},
                                                    {N1, "N1"},
                                                    {N2, "N2"},
                                                    {N3, "N3"},
                                                    {N5, "N5"},
                                                    {N7, "N7"},
                                                    {About2, "About2"}};
  for (const auto& [object, name] : names) object->setObjectName(QString::fromLatin1(name));

  // Names for screen readers: the grid, and each field after its label (a palette button
  // names itself after its tile).
  DrawGrid1->setAccessibleName(QStringLiteral("Level grid"));
  const std::pair<TSpinEdit*, QLabel*> fields[] = {{SpinEdit1, Label1}, {SpinEdit2, Label2}, {SpinEdit3, Label3},
                                                   {SpinEdit4, Label4}, {SpinEdit5, Label5}, {SpinEdit6, Label6}};
  for (const auto& [field, label] : fields) SetFieldName(field, label->text());
}

void TForm1::SetTabOrder() {
  WindowLayout::SetTabOrder(*centralWidget(), kMainWindow);
  DrawGrid1->setFocus();
}

void TForm1::ConnectHandlers() {
  DrawGrid1->SetOnDrawCell([this](TDrawGrid* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State,
                                  QPainter& Canvas) { DrawGrid1DrawCell(Sender, ACol, ARow, Rect, State, Canvas); });
  DrawGrid1->SetOnSelectCell([this](TDrawGrid* Sender, int ACol, int ARow, bool& CanSelect) {
    Dispatch([&] { DrawGrid1SelectCell(Sender, ACol, ARow, CanSelect); });
  });
  DrawGrid1->SetOnCellName(
      [](int ACol, int ARow) { return TileName(quarvel::ReadCell(Unit1::LevelSet, Unit1::CurrentLevel, ACol, ARow)); });

  const std::pair<TButton*, void (TForm1::*)(QObject*)> buttons[] = {
      {BitBtn1, &TForm1::BitBtn1Click},   {BitBtn2, &TForm1::BitBtn2Click}, {BitBtn3, &TForm1::BitBtn3Click},
      {BitBtn4, &TForm1::BitBtn4Click},   {BitBtn5, &TForm1::BitBtn5Click}, {BitBtn6, &TForm1::BitBtn6Click},
      {BitBtn7, &TForm1::BitBtn7Click},   {BitBtn8, &TForm1::BitBtn8Click}, {BitBtn9, &TForm1::BitBtn9Click},
      {BitBtn10, &TForm1::BitBtn10Click}, {Button1, &TForm1::Button1Click}};
  for (const auto& [button, handler] : buttons) {
    connect(button, &QPushButton::clicked, this,
            [this, button, handler] { Dispatch([&] { (this->*handler)(button); }); });
  }

  const std::pair<TSpinEdit*, void (TForm1::*)(QObject*)> fields[] = {
      {SpinEdit1, &TForm1::SpinEdit1Change}, {SpinEdit2, &TForm1::SpinEdit2Change},
      {SpinEdit3, &TForm1::SpinEdit3Change}, {SpinEdit4, &TForm1::SpinEdit4Change},
      {SpinEdit5, &TForm1::SpinEdit5Change}, {SpinEdit6, &TForm1::SpinEdit6Change}};
  for (const auto& [field, handler] : fields) {
    field->SetOnChange([this, handler](TSpinEdit* Sender) { Dispatch([&] { (this->*handler)(Sender); }); });
  }

  const std::pair<QAction*, void (TForm1::*)(QObject*)> items[] = {
      {N1, &TForm1::N1Click}, {N2, &TForm1::N2Click}, {N3, &TForm1::N3Click},
      {N5, &TForm1::N5Click}, {N7, &TForm1::N7Click}, {About2, &TForm1::About2Click}};
  for (const auto& [item, handler] : items) {
    connect(item, &QAction::triggered, this, [this, item, handler] { Dispatch([&] { (this->*handler)(item); }); });
  }
}

void TForm1::FormCreate(QObject* /*Sender*/) {
  quarvel::ClearLevelSet(Unit1::LevelSet);
  Unit1::CurrentLevel = 0;
  Unit1::CurrentBrush = 0;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // The wheel belongs to the window's active control wherever the pointer is: turned over
  // any other control of this window it still steps the grid while the grid has the focus.
  if (event->type() == QEvent::Wheel && watched != DrawGrid1 && DrawGrid1->hasFocus()) {
    const auto* over = qobject_cast<const QWidget*>(watched);
    if (over && over->window() == this) {
      QCoreApplication::sendEvent(DrawGrid1, event);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    PlaceOnScreen(*this, kPlace);  // now that the window has its size
  }
  QMainWindow::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Closing the main window by any route ends the program, with no question.
  event->accept();
  QApplication::quit();
}
