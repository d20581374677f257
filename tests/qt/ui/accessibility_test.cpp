// What a screen reader learns through Qt's accessibility interfaces: every control's name,
// the grid as a table of named cells, and the focus following the current cell.
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QAccessibleEvent>

#include "WindowsFixture.h"

namespace {

struct SeenEvent {
  QAccessible::Event type;
  QObject* object;
  int child;
};

std::vector<SeenEvent>& Seen() {
  static std::vector<SeenEvent> seen;
  return seen;
}

void Record(QAccessibleEvent* event) { Seen().push_back({event->type(), event->object(), event->child()}); }

QString NameOf(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QAccessible::installUpdateHandler(Record);
    // As a screen reader would: events reach the handler only while accessibility is active,
    // and QAccessible::setActive alone does not make it so.
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(platform);
    platform->setActive(true);
    QVERIFY(QAccessible::isActive());
  }

  void init() {
    windows = std::make_unique<ProgramWindows>();
    QVERIFY(windows->ok);
    Seen().clear();
  }

  void cleanup() { windows.reset(); }

  void controlNames_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    // The palette buttons by the tile each one shows.
    QTest::newRow("BitBtn1") << "BitBtn1"
                             << "Empty";
    QTest::newRow("BitBtn2") << "BitBtn2"
                             << "Red block";
    QTest::newRow("BitBtn3") << "BitBtn3"
                             << "Green block";
    QTest::newRow("BitBtn4") << "BitBtn4"
                             << "Blue block";
    QTest::newRow("BitBtn5") << "BitBtn5"
                             << "Yellow block";
    QTest::newRow("BitBtn6") << "BitBtn6"
                             << "Grey block";
    QTest::newRow("BitBtn7") << "BitBtn7"
                             << "Cannon left";
    QTest::newRow("BitBtn8") << "BitBtn8"
                             << "Cannon down";
    QTest::newRow("BitBtn9") << "BitBtn9"
                             << "Cannon right";
    QTest::newRow("BitBtn10") << "BitBtn10"
                              << "Cannon up";
    QTest::newRow("SpinEdit1") << "SpinEdit1"
                               << "Rubies";
    QTest::newRow("SpinEdit2") << "SpinEdit2"
                               << "Emeralds";
    QTest::newRow("SpinEdit3") << "SpinEdit3"
                               << "Sapphires";
    QTest::newRow("SpinEdit4") << "SpinEdit4"
                               << "Bombs";
    QTest::newRow("SpinEdit5") << "SpinEdit5"
                               << "Time";
    QTest::newRow("SpinEdit6") << "SpinEdit6"
                               << "Level";
    QTest::newRow("Button1") << "Button1"
                             << "Check Level";
    QTest::newRow("copy SpinEdit1") << "Form2/SpinEdit1"
                                    << "Start from";
    QTest::newRow("copy SpinEdit2") << "Form2/SpinEdit2"
                                    << "Quantity";
    QTest::newRow("copy SpinEdit3") << "Form2/SpinEdit3"
                                    << "Insert after";
    QTest::newRow("copy OK") << "Form2/Button1"
                             << "OK";
    QTest::newRow("copy Cancel") << "Form2/Button2"
                                 << "Cancel";
    QTest::newRow("about Close") << "Form3/Button1"
                                 << "Close";
  }

  void controlNames() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    QWidget* form = Form1;
    if (control.startsWith("Form2/")) form = Form2;
    if (control.startsWith("Form3/")) form = Form3;
    auto* widget = form->findChild<QWidget*>(control.section('/', -1));
    QVERIFY(widget);
    QCOMPARE(NameOf(widget), name);
    // A field is read through its edit box, which holds the focus.
    if (auto* field = qobject_cast<TSpinEdit*>(widget)) QCOMPARE(NameOf(field->Editor()), name);
  }

  void gridIsATableOfNamedCells() {
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(Form1->DrawGrid1);
    QVERIFY(grid);
    QCOMPARE(grid->role(), QAccessible::Table);
    QAccessibleTableInterface* table = grid->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->columnCount(), 11);
    QCOMPARE(table->rowCount(), 13);
    QCOMPARE(grid->childCount(), 143);

    // Painting with the green block at column 4, row 3 renames that cell.
    QTest::mouseClick(Form1->BitBtn3, Qt::LeftButton, {}, QPoint(16, 16));
    ClickCell(4, 3);
    QAccessibleInterface* cell = table->cellAt(3, 4);
    QVERIFY(cell);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name), QString("Green block"));
    QCOMPARE(cell->tableCellInterface()->rowIndex(), 3);
    QCOMPARE(cell->tableCellInterface()->columnIndex(), 4);
    QVERIFY(cell->state().focused && cell->state().selected);
    QCOMPARE(grid->focusChild(), cell);
    QCOMPARE(grid->indexOfChild(cell), 3 * 11 + 4);
    QCOMPARE(grid->child(3 * 11 + 4), cell);
    QCOMPARE(table->selectedCells(), QList<QAccessibleInterface*>{cell});
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QString("Empty"));
    QVERIFY(!table->cellAt(0, 0)->state().selected);
    QCOMPARE(grid->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);

    // Another level shows its own tiles.
    TypeInto(Form1->SpinEdit6, "2");
    QCOMPARE(table->cellAt(3, 4)->text(QAccessible::Name), QString("Empty"));
  }

  // Each move of the current cell, by key or by click, puts the focus on the new cell.
  void movesTellTheFocusedCell_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::newRow("right") << int(Qt::Key_Right) << 3 << 2;
    QTest::newRow("down") << int(Qt::Key_Down) << 2 << 3;
    QTest::newRow("end") << int(Qt::Key_End) << 10 << 2;
    QTest::newRow("click") << 0 << 7 << 9;
  }

  void movesTellTheFocusedCell() {
    QFETCH(int, key);
    QFETCH(int, col);
    QFETCH(int, row);
    QTest::mouseClick(Form1->BitBtn2, Qt::LeftButton, {}, QPoint(16, 16));
    ClickCell(2, 2);
    QVERIFY(Form1->DrawGrid1->hasFocus());
    Seen().clear();
    if (key != 0) {
      QTest::keyClick(Form1->DrawGrid1, Qt::Key(key));
    } else {
      ClickCell(col, row);
    }
    const auto focus = std::find_if(Seen().begin(), Seen().end(), [](const SeenEvent& e) {
      return e.type == QAccessible::Focus && e.object == Form1->DrawGrid1;
    });
    QVERIFY(focus != Seen().end());
    QCOMPARE(focus->child, row * 11 + col);
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(Form1->DrawGrid1)->child(focus->child);
    QCOMPARE(cell->text(QAccessible::Name), QString("Red block"));  // painted on arrival
    QVERIFY(cell->state().focused);
  }

  // A refused move or a key that does not move tells nothing.
  void noMoveNoEvent() {
    ClickCell(0, 0);
    Seen().clear();
    QTest::keyClick(Form1->DrawGrid1, Qt::Key_Left);
    QTest::keyClick(Form1->DrawGrid1, Qt::Key_Up);
    for (const auto& e : Seen())
      QVERIFY(!(e.type == QAccessible::Focus && e.object == Form1->DrawGrid1 && e.child >= 0));
  }

 private:
  std::unique_ptr<ProgramWindows> windows;
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
