// The menu commands in the real main window, with the dialogs answered by the test.
#include <QAction>
#include <QFileDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <fstream>

#include "DagFile.h"
#include "LevelSets.h"
#include "WindowsFixture.h"
#include "qt/desktop/ProgramTitle.h"
#include "qt/desktop/TestSeams.h"
#include "qt/widgets/FileDialog.h"

using namespace Unit1;
using quarvel::LevelRecord;

namespace {

// A level of a fixture file: the five numbers, cell (0, 0) given, every other cell
// holding its own index.
struct NumberedLevel {
  std::int16_t time, bombs, rubies, emeralds, sapphires;
  std::int16_t cell0;
};

QByteArray AsQByteArray(const quarvel_test::Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray DagBytes(const std::vector<NumberedLevel>& levels) {
  std::vector<quarvel_test::DagLevel> file;
  for (const NumberedLevel& l : levels) {
    quarvel_test::DagLevel& level = file.emplace_back();
    level.time = l.time;
    level.bombs = l.bombs;
    level.rubies = l.rubies;
    level.emeralds = l.emeralds;
    level.sapphires = l.sapphires;
    for (std::size_t i = 0; i < level.cells.size(); ++i) level.cells[i] = std::int16_t(i);
    level.cells[0] = l.cell0;
  }
  return AsQByteArray(quarvel_test::DagFile(file));
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
  for (TSpinEdit* f :
       {Form1->SpinEdit1, Form1->SpinEdit2, Form1->SpinEdit3, Form1->SpinEdit4, Form1->SpinEdit5, Form1->SpinEdit6})
    texts << f->Text();
  return texts;
}

// Answers the dialogs in turn: a file dialog with a name (or cancel, when empty), the
// Levels Copy dialog with three values (or cancel).
struct DialogAnswers {
  QStringList files;                       // "" cancels
  std::vector<std::array<int, 3>> copies;  // {0,0,0} cancels
  QStringList offered;                     // the names the file dialogs offered
  QStringList copyOffered;                 // the values the Levels Copy dialog showed

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
  const QString title = "Quarveledit";

 private slots:
  // Start-up (TApplication) fixes the program title, which captions every error box.
  void initTestCase() { SetProgramTitle(title); }

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
    for (const LevelRecord& level : LevelSet) QVERIFY(level == zero);
    QCOMPARE(CurrentBrush, 3);
    QCOMPARE(Form1->DrawGrid1->Col(), col);
    QCOMPARE(Form1->DrawGrid1->Row(), row);
  }

  void newSetWhenNothingChangesRunsNoHandler() {
    ProgramWindows windows;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TSpinEdit* f :
         {Form1->SpinEdit1, Form1->SpinEdit2, Form1->SpinEdit3, Form1->SpinEdit4, Form1->SpinEdit5, Form1->SpinEdit6})
      spies.push_back(std::make_unique<QSignalSpy>(f->Editor(), &QLineEdit::textChanged));
    Form1->N1->trigger();
    for (auto& spy : spies) QCOMPARE(spy->count(), 0);
  }

  void openSet() {
    ProgramWindows windows;
    for (int i = 3; i < 256; ++i) FillLevel(i, 9);
    TypeInto(Form1->SpinEdit6, "5");
    const QString path =
        WriteFile(dir, "three.dag", DagBytes({{60, 1, 2, 3, 4, 1}, {11, 0, 0, 0, 0, 7}, {-1, -2, -3, -4, -5, 300}}));
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
    QCOMPARE(answers.boxes, QStringList({message + "|" + title}));
    QVERIFY(before == LevelSet);
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
    QVERIFY(before == LevelSet);
    const QString saved = path + ".dag";
    QVERIFY(QFile::exists(saved));
    const QByteArray expected = AsQByteArray(
        quarvel_test::DagFile({quarvel_test::DagLevelOf(LevelSet[0]), quarvel_test::DagLevelOf(LevelSet[2])}));
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
    std::vector<NumberedLevel> ten;
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
        QVERIFY(LevelSet[i] == before[i]);
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
    QVERIFY(now == LevelSet);
    QCOMPARE(CurrentLevel, 249);
    QCOMPARE(answers.boxes, QStringList());
  }

  // The core gets names as UTF-8: a name outside ASCII is saved and opened under its
  // very bytes, whatever the system's own encoding of names.
  void namesOutsideAscii() {
    ProgramWindows windows;
    FillLevel(0, 0);
    LevelSet[0].Time = 77;
    DialogAnswers answers;
    const QString name = QString::fromUtf8("niveaux \u00e9t\u00e9 \u2713.dag");
    answers.files = {dir.filePath(name)};
    Form1->N3->trigger();
    const std::string utf8 = (dir.path() + "/" + name).toStdString();
    std::ifstream saved(utf8, std::ios::binary);
    QVERIFY2(saved.good(), utf8.c_str());
    LevelSet[0].Time = 5;
    answers.files = {dir.filePath(name)};
    Form1->N2->trigger();
    QCOMPARE(LevelSet[0].Time, 77);
    QCOMPARE(answers.boxes, QStringList({"All incorrect levels will be deleted from the set|Warning!"}));
  }

  void exitClosesTheWindow() {
    ProgramWindows windows;
    Form1->N5->trigger();
    QVERIFY(!Form1->isVisible());
  }
};

QTEST_MAIN(SetCommandsTest)
#include "set_commands_test.moc"
