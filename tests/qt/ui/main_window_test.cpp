// The main window as it first appears: layout, captions, menu, focus order, grid colours.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "WindowsFixture.h"
#include "qt/forms/WindowLayout.h"
#include "qt/painting/TilePictures.h"

using namespace Unit1;

namespace {

QImage GrabGrid() { return Form1->DrawGrid1->grab().toImage().convertToFormat(QImage::Format_RGB32); }

int CountPixels(const QImage& image, QRect area, QColor colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y) == colour) ++count;
  return count;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    // The places come from the layout's table; labels (width -1) size to their text, so
    // only their place is fixed.
    const QHash<QString, QString> captions = {{"SpinEdit1", "0"},         {"SpinEdit2", "0"},   {"SpinEdit3", "0"},
                                              {"SpinEdit4", "0"},         {"SpinEdit5", "0"},   {"SpinEdit6", "1"},
                                              {"Button1", "Check Level"}, {"Label1", "Rubies"}, {"Label2", "Emeralds"},
                                              {"Label3", "Sapphires"},    {"Label4", "Bombs"},  {"Label5", "Time"},
                                              {"Label6", "Level"}};
    for (const auto& place : WindowLayout::kMainWindow) {
      QTest::newRow(place.Name) << QString(place.Name) << QRect(place.Left, place.Top, place.Width, place.Height)
                                << captions.value(place.Name);
    }
  }
  void layout() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    ProgramWindows windows;
    auto* control = Form1->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), Form1->centralWidget());
    if (geometry.width() < 0) {
      QCOMPARE(control->pos(), geometry.topLeft());
      auto* label = qobject_cast<QLabel*>(control);
      QCOMPARE(label->text(), caption);
      // Every caption fits its label.
      QVERIFY(label->fontMetrics().horizontalAdvance(caption) <= label->width());
      QVERIFY(label->geometry().bottom() < 477);
    } else {
      QCOMPARE(control->geometry(), geometry);
      if (auto* field = qobject_cast<TSpinEdit*>(control)) QCOMPARE(field->Text(), caption);
      if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), caption);
        QVERIFY(button->fontMetrics().horizontalAdvance(caption) < button->width() - 8);
        QVERIFY(!button->isDefault() && !button->autoDefault());
      }
    }
  }

  void windowFrame() {
    ProgramWindows windows;
    QCOMPARE(Form1->windowTitle(), QString("Quarvel Levels Editor"));
    QCOMPARE(Form1->centralWidget()->geometry(), QRect(0, Form1->menuBar()->height(), 256, 477));
    QCOMPARE(Form1->size(), QSize(256, 477 + Form1->menuBar()->height()));
    QCOMPARE(Form1->minimumSize(), Form1->maximumSize());
    // Every control of the client area has its row in the layout's table.
    QStringList named;
    for (const auto& place : WindowLayout::kMainWindow) named << place.Name;
    for (QWidget* control : Form1->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      QVERIFY2(named.contains(control->objectName()), qPrintable(control->objectName()));
    QVERIFY(!(Form1->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(Form1->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(Form1->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(Form1->font().pixelSize(), 11);
    QCOMPARE(Form1->SpinEdit6->MinValue(), 1);
    QCOMPARE(Form1->SpinEdit6->MaxValue(), 256);
    for (TSpinEdit* field :
         {Form1->SpinEdit1, Form1->SpinEdit2, Form1->SpinEdit3, Form1->SpinEdit4, Form1->SpinEdit5}) {
      QCOMPARE(field->MinValue(), 0);
      QCOMPARE(field->MaxValue(), 0);
    }
  }

  void firstPlace() {
    ProgramWindows windows;
    QCOMPARE(Form1->pos(), QPoint(204, 129));
  }

  void menu() {
    ProgramWindows windows;
    const QList<QAction*> menus = Form1->menuBar()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), QString("Levels"));
    QCOMPARE(menus[1]->text(), QString("Help"));
    QStringList items;
    for (QAction* item : Form1->File1->actions()) {
      items << (item->isSeparator() ? "-" : item->text());
      QVERIFY(item->shortcut().isEmpty());
    }
    QCOMPARE(items, QStringList({"New Set", "Open Set", "Save Set", "-", "Copy", "-", "Exit"}));
    QCOMPARE(Form1->About1->actions().size(), 1);
    QCOMPARE(Form1->About2->text(), QString("About"));
  }

  void palettePictures() {
    ProgramWindows windows;
    const std::pair<QPushButton*, int> buttons[] = {
        {Form1->BitBtn1, 0}, {Form1->BitBtn2, 1}, {Form1->BitBtn3, 2}, {Form1->BitBtn4, 3}, {Form1->BitBtn5, 4},
        {Form1->BitBtn6, 5}, {Form1->BitBtn7, 9}, {Form1->BitBtn8, 8}, {Form1->BitBtn9, 7}, {Form1->BitBtn10, 6}};
    for (const auto& [button, tile] : buttons) {
      QCOMPARE(button->iconSize(), QSize(20, 20));
      QCOMPARE(button->icon().pixmap(20, 20).toImage().convertToFormat(QImage::Format_ARGB32),
               TilePictures::Image(tile).convertToFormat(QImage::Format_ARGB32));
    }
  }

  void focusOrder() {
    ProgramWindows windows;
    QCOMPARE(FocusedControl(), QString("DrawGrid1"));
    // The layout's tab order from the grid, round to the grid again.
    QStringList expected;
    for (const auto& place : WindowLayout::TabOrder(WindowLayout::kMainWindow)) expected << place.Name;
    QCOMPARE(expected.size(), 18);
    expected << expected.takeFirst();
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << FocusedControl();
    }
    QCOMPARE(visited, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(FocusedControl(), QString("Button1"));
    // Tab moved the focus only: nothing was painted.
    for (int c = 0; c < 11; ++c)
      for (int r = 0; r < 13; ++r) QCOMPARE(quarvel::ReadCell(LevelSet, 0, c, r), 0);
  }

  // The current cell on start-up: focused, window-coloured, with an inverted dotted outline.
  // After a palette button takes the focus it shows the highlight around its picture.
  void gridColours() {
    ProgramWindows windows;
    const QPalette palette = Form1->DrawGrid1->palette();
    const QColor window = palette.color(QPalette::Base);
    const QColor highlight = palette.color(QPalette::Highlight);
    const QColor inverted(255 - window.red(), 255 - window.green(), 255 - window.blue());
    QRect cell = Form1->DrawGrid1->CellRect(0, 0);

    QImage image = GrabGrid();
    QCOMPARE(image.pixelColor(cell.center()), window);
    QCOMPARE(CountPixels(image, cell, highlight), 0);
    QCOMPARE(CountPixels(image, cell, inverted), 38);  // every other pixel of the 76 on the outline
    QCOMPARE(image.pixelColor(Form1->DrawGrid1->CellRect(1, 0).topLeft() - QPoint(1, 0)), QColor(192, 192, 192));

    // Paint a cannon into the current cell, then let a palette button take the focus.
    QTest::mouseClick(Form1->BitBtn10, Qt::LeftButton, {}, QPoint(16, 16));
    QCOMPARE(CurrentBrush, 6);
    ClickCell(0, 0);
    QCOMPARE(quarvel::ReadCell(LevelSet, 0, 0, 0), quarvel::CannonUp);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton, {}, QPoint(16, 16));
    QCOMPARE(FocusedControl(), QString("BitBtn1"));
    QTRY_COMPARE(CountPixels(GrabGrid(), cell, highlight), 139);
    // Another cell shows no highlight at all.
    QCOMPARE(CountPixels(GrabGrid(), Form1->DrawGrid1->CellRect(1, 0), highlight), 0);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
