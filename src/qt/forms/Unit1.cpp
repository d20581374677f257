#include "qt/forms/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <algorithm>
#include <numeric>

#include "editor/EditorTexts.h"
#include "editor/FieldRanges.h"
#include "editor/Palette.h"
#include "qt/desktop/FormFont.h"
#include "qt/desktop/ReportError.h"
#include "qt/desktop/ScreenPlace.h"
#include "qt/desktop/x11/WindowDestroyed.h"
#include "qt/forms/WindowLayout.h"
#include "qt/painting/TilePictures.h"
#include "qt/widgets/Button.h"
#include "qt/widgets/FileDialog.h"
#include "qt/widgets/PaletteButton.h"
#include "qt/widgets/SpinEdit.h"

namespace Unit1 {
quarvel::EditorSession Editor;
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

QString Text(const char* text) { return QString::fromUtf8(text); }

}  // namespace

TForm1::TForm1() {
  setObjectName(QStringLiteral("Form1"));
  // A fixed single frame: minimise and close, no maximise, no resizing.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  setWindowTitle(Text(quarvel::kMainCaption));
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
  auto text = Text;
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
  client->setFixedSize(WindowLayout::kForm1.ClientWidth, WindowLayout::kForm1.ClientHeight);
  setCentralWidget(client);

  DrawGrid1 = new TDrawGrid(client);  // sized by its cells
  DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
  DrawGrid1->move(At(kMainWindow, "DrawGrid1").Left, At(kMainWindow, "DrawGrid1").Top);

  TButton* TForm1::*const palette[] = {&TForm1::BitBtn1, &TForm1::BitBtn2, &TForm1::BitBtn3, &TForm1::BitBtn4,
                                       &TForm1::BitBtn5, &TForm1::BitBtn6, &TForm1::BitBtn7, &TForm1::BitBtn8,
                                       &TForm1::BitBtn9, &TForm1::BitBtn10};
  static_assert(std::size(palette) == std::size(quarvel::kPalette));
  constexpr auto palettePlaces = WindowLayout::AtEach(kMainWindow, quarvel::kPaletteNames);
  // Neighbouring buttons share their edge: made row by row, left to right, each one's left
  // edge lies under the one made after it.
  std::array<std::size_t, palettePlaces.size()> order;
  std::iota(order.begin(), order.end(), 0);
  std::ranges::sort(order, {}, [&](std::size_t i) { return std::pair(palettePlaces[i].Top, palettePlaces[i].Left); });
  for (std::size_t i : order)
    this->*palette[i] = Placed(new TPaletteButton(quarvel::kPalette[i].Code, client), palettePlaces[i]);

  QLabel* TForm1::*const labels[] = {&TForm1::Label1, &TForm1::Label2, &TForm1::Label3,
                                     &TForm1::Label4, &TForm1::Label5, &TForm1::Label6};
  TSpinEdit* TForm1::*const fields[] = {&TForm1::SpinEdit1, &TForm1::SpinEdit2, &TForm1::SpinEdit3,
                                        &TForm1::SpinEdit4, &TForm1::SpinEdit5, &TForm1::SpinEdit6};
  using Names = std::array<std::string_view, 6>;
  constexpr auto labelPlaces =
      WindowLayout::AtEach(kMainWindow, Names{"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"});
  constexpr auto fieldPlaces = WindowLayout::AtEach(
      kMainWindow, Names{"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4", "SpinEdit5", "SpinEdit6"});
  for (int i = 0; i < 6; ++i) {
    const char* caption = i < 5 ? quarvel::kNumberLabels[i] : quarvel::kLevelLabel;
    this->*labels[i] = NewLabel(client, caption, labelPlaces[i]);
    this->*fields[i] = NewField(client, fieldPlaces[i], i < 5 ? "0" : "1");
  }
  Button1 = Placed(new TButton(Text(quarvel::kCheckLevelCaption), client), At(kMainWindow, "Button1"));
  SpinEdit6->SetRange(quarvel::kLevelFieldRange.Min, quarvel::kLevelFieldRange.Max);

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
  DrawGrid1->setAccessibleName(Text(quarvel::kGridName));
  for (int i = 0; i < 6; ++i) SetFieldName(this->*fields[i], (this->*labels[i])->text());
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
  DrawGrid1->SetOnCellName([](int ACol, int ARow) { return Text(Unit1::Editor.CellName(ACol, ARow).c_str()); });

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

void TForm1::FormCreate(QObject* /*Sender*/) { Unit1::Editor.Start(); }

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
    PlaceOnScreen(*this,
                  QPoint(WindowLayout::kForm1.Left, WindowLayout::kForm1.Top));  // now that the window has its size
  }
  QMainWindow::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Closing the main window by any route ends the program, with no question.
  event->accept();
  QApplication::quit();
}
