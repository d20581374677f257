// The menu commands in the real main window, with the dialogs answered by the test.
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <fstream>

#include "ProgramWindows.h"
#include "app/MessageBox.h"
#include "ui/Beep.h"
#include "ui/Button.h"
#include "ui/FileDialogs.h"
#include "ui/ModalExec.h"

using namespace Unit1;
using quarvel::LevelRecord;

namespace {

// A .dag file: the header, then for each level Time, Bombs, Rubies, Emeralds, Sapphires
// and 143 cells, all 16-bit little-endian.
struct DagLevel {
  std::int16_t time, bombs, rubies, emeralds, sapphires;
  std::int16_t cell0;  // column 0, row 0; the other cells hold their index
};

QByteArray DagBytes(const std::vector<DagLevel>& levels) {
  QByteArray bytes("DAG", 4);
  auto put = [&](std::int16_t v) {
    bytes.append(char(v & 0xFF));
    bytes.append(char((v >> 8) & 0xFF));
  };
  for (const DagLevel& l : levels) {
    for (std::int16_t v : {l.time, l.bombs, l.rubies, l.emeralds, l.sapphires}) put(v);
    put(l.cell0);
    for (int i = 1; i < 143; ++i) put(std::int16_t(i));
  }
  return bytes;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(bytes);
  return path;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

void FillLevel(int index, std::int16_t value) {
  LevelRecord& level = LevelSet[index];
  level.Cells.fill(value);
  level.Rubies = level.Emeralds = level.Sapphires = level.Bombs = level.Time = value;
}

QStringList FieldTexts() {
  QStringList texts;
  for (TSpinEdit* f : {Form1->SpinEdit1, Form1->SpinEdit2, Form1->SpinEdit3, Form1->SpinEdit4, Form1->SpinEdit5,
                       Form1->SpinEdit6})
    texts << f->Text();
  return texts;
}

// Answers the dialogs in turn: a file dialog with a name (or cancel, when empty), the
// Levels Copy dialog with three values (or cancel).
struct DialogAnswers {
  QStringList files;                 // "" cancels
  std::vector<std::array<int, 3>> copies;  // {0,0,0} cancels
  QStringList offered;               // the names the file dialogs offered
  QStringList copyOffered;           // the values the Levels Copy dialog showed

  DialogAnswers() {
    SetModalHandler([this](QDialog& dialog) {
      if (auto* fileDialog = qobject_cast<QFileDialog*>(&dialog)) {
        offered << fileDialog->selectedFiles().value(0);
        const QString answer = files.takeFirst();
        if (answer.isEmpty()) return int(QDialog::Rejected);
        fileDialog->selectFile(answer);
        return int(QDialog::Accepted);
      }
      if (&dialog == Form2) {
        copyOffered << Form2->SpinEdit1->Text() + "," + Form2->SpinEdit2->Text() + "," + Form2->SpinEdit3->Text();
        const auto answer = copies.front();
        copies.erase(copies.begin());
        if (answer[0] == 0) return int(QDialog::Rejected);
        Form2->SpinEdit1->SetValue(answer[0]);
        Form2->SpinEdit2->SetValue(answer[1]);
        Form2->SpinEdit3->SetValue(answer[2]);
        return int(QDialog::Accepted);
      }
      return int(QDialog::Rejected);
    });
    SetMessageBoxHandler([this](const QString& text, const QString& caption, TMessageBoxStyle) {
      boxes << text + "|" + caption;
      return 0;
    });
  }
  ~DialogAnswers() {
    SetModalHandler({});
    SetMessageBoxHandler({});
  }
  QStringList boxes;
};

}  // namespace

class SetCommandsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;

 private slots:
  void newSetOnLevel7() {
    ProgramWindows windows;
    FillLevel(6, 4);
    FillLevel(200, 5);
    TypeInto(Form1->SpinEdit6, "7");
    ClickCell(5, 5);
    const int col = Form1->DrawGrid1->Col(), row = Form1->DrawGrid1->Row();
    CurrentBrush = 3;
    Form1->N1->trigger();
    QCOMPARE(CurrentLevel, 0);
    QCOMPARE(FieldTexts(), QStringList({"0", "0", "0", "0", "0", "1"}));
    const LevelRecord zero{};
    for (const LevelRecord& level : LevelSet) QVERIFY(std::memcmp(&level, &zero, sizeof zero) == 0);
    QCOMPARE(CurrentBrush, 3);
    QCOMPARE(Form1->DrawGrid1->Col(), col);
    QCOMPARE(Form1->DrawGrid1->Row(), row);
  }

  void newSetWhenNothingChangesRunsNoHandler() {
    ProgramWindows windows;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TSpinEdit* f : {Form1->SpinEdit1, Form1->SpinEdit2, Form1->SpinEdit3, Form1->SpinEdit4, Form1->SpinEdit5,
                         Form1->SpinEdit6})
      spies.push_back(std::make_unique<QSignalSpy>(f->Editor(), &QLineEdit::textChanged));
    Form1->N1->trigger();
    for (auto& spy : spies) QCOMPARE(spy->count(), 0);
  }

  void openSet() {
    ProgramWindows windows;
    for (int i = 3; i < 256; ++i) FillLevel(i, 9);
    TypeInto(Form1->SpinEdit6, "5");
    const QString path = WriteFile(dir, "three.dag", DagBytes({{60, 1, 2, 3, 4, 1}, {11, 0, 0, 0, 0, 7}, {-1, -2, -3, -4, -5, 300}}));
    DialogAnswers answers;
    answers.files = {path};
    Form1->N2->trigger();
    QCOMPARE(CurrentLevel, 0);
    QCOMPARE(FieldTexts(), QStringList({"2", "3", "4", "1", "60", "1"}));
    QCOMPARE(LevelSet[2].Cells[0], 300);
    QCOMPARE(LevelSet[2].Sapphires, -5);
    QCOMPARE(LevelSet[1].Cells[142], 142);
    for (int i = 3; i < 256; ++i) QCOMPARE(LevelSet[i].Time, 9);
    QCOMPARE(answers.boxes, QStringList());

    // A header-only file changes no level, and the editor still goes to level 1.
    const QString empty = WriteFile(dir, "empty.dag", DagBytes({}));
    TypeInto(Form1->SpinEdit6, "4");
    answers.files = {empty};
    Form1->N2->trigger();
    QCOMPARE(CurrentLevel, 0);
    QCOMPARE(Form1->SpinEdit6->Text(), QString("1"));
    QCOMPARE(LevelSet[0].Time, 60);
    QCOMPARE(LevelSet[3].Time, 9);
    // The next open offers the file last confirmed.
    answers.files = {""};
    Form1->N2->trigger();
    QCOMPARE(answers.offered.last(), empty);
  }

  // A failed open leaves the set, the level shown and the fields as they were.
  void failedOpenChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "missing.dag" << QByteArray() << "File not found.";
    QByteArray cut = DagBytes({{60, 1, 2, 3, 4, 1}, {60, 1, 2, 3, 4, 1}});
    cut.chop(3);
    QTest::newRow("cut short") << "cut.dag" << cut << "Read beyond end of file.";
  }
  void failedOpenChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    ProgramWindows windows;
    for (int i = 0; i < 256; ++i) FillLevel(i, std::int16_t(i));
    TypeInto(Form1->SpinEdit6, "3");
    const auto before = LevelSet;
    const QStringList fields = FieldTexts();
    const QString path = bytes.isEmpty() ? dir.filePath(name) : WriteFile(dir, name, bytes);
    DialogAnswers answers;
    answers.files = {path};
    Form1->N2->trigger();
    QCOMPARE(answers.boxes, QStringList({message + "|" + QCoreApplication::applicationName()}));
    QVERIFY(std::memcmp(&before, &LevelSet, sizeof before) == 0);
    QCOMPARE(CurrentLevel, 2);
    QCOMPARE(FieldTexts(), fields);
  }

  void saveSet() {
    ProgramWindows windows;
    FillLevel(0, 0);
    LevelSet[0].Time = 10;
    LevelSet[0].Cells[13] = 1000;
    LevelSet[1].Time = 9;  // not playable
    LevelSet[2].Time = 300;
    LevelSet[2].Rubies = -2;
    LevelSet[2].Cells[142] = -1;
    const auto before = LevelSet;
    DialogAnswers answers;
    const QString path = dir.filePath("saved");  // typed without an extension
    answers.files = {path};
    Form1->N3->trigger();
    QCOMPARE(answers.boxes, QStringList({"All incorrect levels will be deleted from the set|Warning!"}));
    QVERIFY(std::memcmp(&before, &LevelSet, sizeof before) == 0);
    const QString saved = path + ".dag";
    QVERIFY(QFile::exists(saved));
    QByteArray expected("DAG", 4);
    auto put = [&](std::int16_t v) { expected.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    for (int level : {0, 2}) {
      const LevelRecord& l = LevelSet[level];
      for (std::int16_t v : {l.Time, l.Bombs, l.Rubies, l.Emeralds, l.Sapphires}) put(v);
      for (std::int16_t v : l.Cells) put(v);
    }
    QCOMPARE(ReadFile(saved), expected);
    QCOMPARE(expected.size(), 596);

    // The save dialog appends .dag, replaces without asking, and never learns opened names.
    auto& saveDialog = Form1->SaveDialog1->Dialog();
    QCOMPARE(saveDialog.defaultSuffix(), QString("dag"));
    QVERIFY(saveDialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(saveDialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(saveDialog.nameFilters(), QStringList({".dag files (*.dag)"}));
    QCOMPARE(Form1->OpenDialog1->Dialog().defaultSuffix(), QString());

    // Reopened: level 1 as it was, level 2 holds what level 3 held, level 3 on unchanged.
    answers.files = {saved};
    LevelSet[2].Bombs = 44;
    Form1->N2->trigger();
    QCOMPARE(LevelSet[0].Cells[13], 1000);
    QCOMPARE(LevelSet[1].Time, 300);
    QCOMPARE(LevelSet[1].Cells[142], -1);
    QCOMPARE(LevelSet[2].Bombs, 44);
    QCOMPARE(Form1->SaveDialog1->FileName(), saved);

    // Cancelling the save dialog writes nothing; the warning still comes first.
    QFile::remove(saved);
    answers.files = {""};
    answers.boxes.clear();
    Form1->N3->trigger();
    QCOMPARE(answers.boxes.size(), 1);
    QVERIFY(!QFile::exists(saved));
  }

  void copy() {
    ProgramWindows windows;
    for (int i = 0; i < 256; ++i) FillLevel(i, std::int16_t(1000 + i));
    std::vector<DagLevel> ten;
    for (int i = 0; i < 10; ++i) ten.push_back({std::int16_t(20 + i), 1, std::int16_t(i), 0, 0, std::int16_t(i)});
    const QString path = WriteFile(dir, "ten.dag", DagBytes(ten));
    const auto before = LevelSet;
    DialogAnswers answers;

    answers.files = {path};
    answers.copies = {{1, 3, 5}};
    Form1->N7->trigger();
    QCOMPARE(CurrentLevel, 4);
    QCOMPARE(FieldTexts(), QStringList({"0", "0", "0", "1", "20", "5"}));
    for (int i = 0; i < 256; ++i) {
      if (i >= 4 && i <= 6) {
        QCOMPARE(LevelSet[i].Time, 20 + i - 4);
      } else {
        QVERIFY(std::memcmp(&LevelSet[i], &before[i], sizeof before[i]) == 0);
      }
    }
    QCOMPARE(answers.copyOffered, QStringList({"1,1,1"}));

    // A second Copy offers the first one's file and values. Insert after 250, Quantity 10:
    // only levels 250 to 256 are written; this file supplies levels 1..10 only.
    answers.files = {path};
    answers.copies = {{4, 10, 250}};
    Form1->N7->trigger();
    QCOMPARE(answers.offered.last(), path);
    QCOMPARE(answers.copyOffered.last(), QString("1,3,5"));
    QCOMPARE(CurrentLevel, 249);
    QCOMPARE(Form1->SpinEdit6->Text(), QString("250"));
    for (int i = 249; i < 256; ++i) QCOMPARE(LevelSet[i].Time, 20 + 3 + i - 249);
    QCOMPARE(LevelSet[248].Time, 1000 + 248);

    // Cancel in either dialog: nothing changes.
    const auto now = LevelSet;
    answers.files = {"", path};
    answers.copies = {{0, 0, 0}};
    Form1->N7->trigger();
    Form1->N7->trigger();
    QVERIFY(std::memcmp(&now, &LevelSet, sizeof now) == 0);
    QCOMPARE(CurrentLevel, 249);
    QCOMPARE(answers.boxes, QStringList());
  }

  void levelsCopyDialog() {
    ProgramWindows windows;
    QCOMPARE(Form2->windowTitle(), QString("Levels Copy"));
    QCOMPARE(Form2->size(), QSize(198, 202));
    QVERIFY(!(Form2->windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)));
    QCOMPARE(Form2->pos(), QPoint(436, 396));
    const struct { const char* name; QRect geometry; const char* caption; } rows[] = {
        {"SpinEdit1", {8, 40, 65, 22}, "1"},  {"SpinEdit2", {8, 96, 65, 22}, "1"},
        {"SpinEdit3", {8, 152, 65, 22}, "1"}, {"Button1", {104, 40, 75, 25}, "OK"},
        {"Button2", {104, 96, 75, 25}, "Cancel"}};
    for (const auto& r : rows) {
      auto* w = Form2->findChild<QWidget*>(r.name);
      QCOMPARE(w->geometry(), r.geometry);
      if (auto* f = qobject_cast<TSpinEdit*>(w)) {
        QCOMPARE(f->Text(), QString(r.caption));
        QCOMPARE(f->MinValue(), 1);
        QCOMPARE(f->MaxValue(), 256);
      } else {
        QCOMPARE(qobject_cast<QPushButton*>(w)->text(), QString(r.caption));
        QVERIFY(!qobject_cast<QPushButton*>(w)->autoDefault());
      }
    }
    for (const auto& [name, pos, caption] : {std::tuple{"Label1", QPoint(8, 24), "Start from"},
                                              std::tuple{"Label2", QPoint(8, 80), "Quantity"},
                                              std::tuple{"Label3", QPoint(8, 136), "Insert after"}}) {
      auto* label = Form2->findChild<QLabel*>(name);
      QCOMPARE(label->pos(), pos);
      QCOMPARE(label->text(), QString(caption));
    }

    // Shown for real: focus in Start from; Enter beeps and Escape does not close; a value
    // of 300 becomes 256 when the focus moves to OK; OK accepts.
    int beeps = 0;
    SetBeepHandler([&] { ++beeps; });
    QString focusedFirst;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
      QVERIFY(QTest::qWaitForWindowActive(Form2));
      focusedFirst = FocusedControl();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      stillOpen = Form2->isVisible();
      TypeInto(Form2->SpinEdit3, "300");
      QTest::keyClick(Form2->SpinEdit3->Editor(), Qt::Key_Tab);
      QTest::keyClick(Form2->Button1, Qt::Key_Space);
    });
    const int result = Form2->exec();
    SetBeepHandler({});
    QCOMPARE(focusedFirst, QString("SpinEdit1"));
    QVERIFY(stillOpen);
    QVERIFY(beeps >= 1);
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(Form2->SpinEdit3->Text(), QString("256"));
    // Shown again: the same values, place and focused control.
    QString focusedAgain;
    QTimer::singleShot(0, [&] {
      QVERIFY(QTest::qWaitForWindowActive(Form2));
      focusedAgain = FocusedControl();
      Form2->Button2->click();
    });
    QCOMPARE(Form2->exec(), int(QDialog::Rejected));
    QCOMPARE(focusedAgain, QString("Button1"));
    QCOMPARE(Form2->pos(), QPoint(436, 396));
  }

  void aboutBox() {
    ProgramWindows windows;
    QCOMPARE(Form3->windowTitle(), QString("About"));
    QCOMPARE(Form3->size(), QSize(232, 243));
    QVERIFY(Form3->windowFlags() & Qt::Tool);
    QVERIFY(!(Form3->windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)));
    QCOMPARE(Form3->Memo1->geometry(), QRect(8, 8, 217, 177));
    QVERIFY(Form3->Memo1->isReadOnly());
    const QStringList lines = Form3->Memo1->toPlainText().split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QString("Quarvel"));
    QCOMPARE(lines[1], QString("Levels Editor "));
    QCOMPARE(Form3->Button1->geometry(), QRect(80, 200, 75, 25));
    QCOMPARE(Form3->Button1->text(), QString("Close"));

    QString focused;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
      QVERIFY(QTest::qWaitForWindowActive(Form3));
      focused = FocusedControl();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      stillOpen = Form3->isVisible();
      QTest::keyClick(Form3->Button1, Qt::Key_Return);
    });
    Form1->About2->trigger();
    QCOMPARE(focused, QString("Button1"));
    QVERIFY(stillOpen);
    QVERIFY(!Form3->isVisible());
    // Centred over the main window the first time.
    const QPoint centre = Form1->frameGeometry().center();
    QVERIFY(qAbs(Form3->geometry().center().x() - centre.x()) <= 12);
    QVERIFY(qAbs(Form3->geometry().center().y() - centre.y()) <= 12);
  }

  void exitClosesTheWindow() {
    ProgramWindows windows;
    Form1->N5->trigger();
    QVERIFY(!Form1->isVisible());
  }
};

QTEST_MAIN(SetCommandsTest)
#include "set_commands_test.moc"
