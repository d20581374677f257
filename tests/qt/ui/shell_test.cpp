// The program's frame: its title, error reporting and message boxes.
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "files/InOutError.h"
#include "qt/app/Application.h"
#include "qt/desktop/MessageBox.h"
#include "qt/desktop/ProgramTitle.h"
#include "qt/desktop/ReportError.h"
#include "qt/desktop/TestSeams.h"

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void title_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("exe") << "C:\\Games/LevelTool.exe"
                         << "Leveltool";
    QTest::newRow("several stops") << "/opt/ABC.Editor.exe"
                                   << "Abc";
    QTest::newRow("no stop") << "/usr/bin/QuarvelEdit"
                             << "Quarveledit";
    QTest::newRow("first stays") << "/x/qUARVEL"
                                 << "quarvel";
    QTest::newRow("leading stop") << "/x/.hidden"
                                  << "";
    QTest::newRow("one character") << "/x/Q"
                                   << "Q";
  }
  void title() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(ProgramTitleFromPath(path), title);
  }

  // The program takes no command line: Qt's own options given to it change nothing.
  void qtOptionsChangeNothing() {
    QCOMPARE(QCoreApplication::arguments().size(), 1);
    QVERIFY(!QGuiApplication::isRightToLeft());
  }

  // An empty program title stays empty: Qt would put the program file's name in its place.
  void emptyTitleStaysEmptyInErrorBoxes() {
    const QString title = ProgramTitle();
    SetProgramTitle(QString());
    QStringList captions;
    SetMessageBoxHandler([&](const QString&, const QString& caption, TMessageBoxStyle) {
      captions << caption;
      return 0;
    });
    Dispatch([] { throw quarvel::EInOutError(quarvel::kFileNotFound); });
    SetMessageBoxHandler({});
    SetProgramTitle(title);
    QCOMPARE(captions, QStringList{QString()});
  }

  void fullStop_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "File not found"
                           << "File not found.";
    QTest::newRow("code") << "I/O error 32"
                          << "I/O error 32.";
    QTest::newRow("stop") << "Done."
                          << "Done.";
    QTest::newRow("bang") << "Oops!"
                          << "Oops!";
    QTest::newRow("paren") << "(x)"
                           << "(x)";
    QTest::newRow("comma") << "a,"
                           << "a,";
    QTest::newRow("dash") << "a-"
                          << "a-";
    QTest::newRow("space") << "a "
                           << "a ";
    QTest::newRow("slash") << "a/"
                           << "a/.";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("accent") << "Fichier trouvé"
                            << "Fichier trouvé.";
  }
  void fullStop() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(QString::fromStdString(quarvel::WithFullStop(message.toStdString())), shown);
  }

  // An error escaping a handler is shown in an error box captioned with the program title,
  // and the rest of the handler does not run.
  void escapingErrorIsReported() {
    QStringList boxes;
    SetMessageBoxHandler([&](const QString& text, const QString& caption, TMessageBoxStyle style) {
      boxes << text + "|" + caption + "|" + (style == TMessageBoxStyle::Error ? "error" : "plain");
      return 0;
    });
    bool afterThrow = false;
    Dispatch([&] {
      throw quarvel::EInOutError(quarvel::kFileNotFound);
      afterThrow = true;
    });
    Dispatch([&] { throw quarvel::EInOutError(32); });  // a code with no name of its own
    SetMessageBoxHandler({});
    QVERIFY(!afterThrow);
    const QString title = QCoreApplication::applicationName();
    QCOMPARE(boxes, QStringList({"File not found.|" + title + "|error", "I/O error 32.|" + title + "|error"}));
  }

  // An error thrown from an event handler reaches the application object, not the caller,
  // and a button held down at that moment is released.
  void errorFromEventHandlerIsCaughtByTheDispatch() {
    QStringList boxes;
    SetMessageBoxHandler([&](const QString& text, const QString&, TMessageBoxStyle) {
      boxes << text;
      return 0;
    });
    QPushButton held("held");
    held.show();
    held.setDown(true);
    struct Thrower : QObject {
      bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw quarvel::EInOutError(quarvel::kFileAccessDenied);
        return QObject::event(e);
      }
    } thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    SetMessageBoxHandler({});
    QCOMPARE(boxes, QStringList({"File access denied."}));
    QVERIFY(!held.isDown());
  }

  // The real box: the given caption and text, a single OK button, and an icon only in the
  // error style.
  void realMessageBox_data() {
    QTest::addColumn<bool>("error");
    QTest::newRow("plain") << false;
    QTest::newRow("error") << true;
  }
  void realMessageBox() {
    QFETCH(bool, error);
    QString caption, text;
    int buttons = -1;
    QMessageBox::Icon icon = QMessageBox::Information;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      caption = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->buttons().size();
      QCOMPARE(box->windowModality(), Qt::ApplicationModal);
      box->button(QMessageBox::Ok)->click();
    });
    ShowMessageBox("This level can not be played!", "Error!",
                   error ? TMessageBoxStyle::Error : TMessageBoxStyle::Plain);
    QCOMPARE(caption, QString("Error!"));
    QCOMPARE(text, QString("This level can not be played!"));
    QCOMPARE(buttons, 1);
    QCOMPARE(icon, error ? QMessageBox::Critical : QMessageBox::NoIcon);
  }
};

int main(int argc, char** argv) {
  // Qt's own options, which the program must not take: right to left, another caption,
  // another style, another window class.
  char reverse[] = "-reverse", caption[] = "-qwindowtitle", changed[] = "Changed", style[] = "-style",
       fusion[] = "fusion", name[] = "-name", other[] = "other";
  char* options[] = {argv[0], reverse, caption, changed, style, fusion, name, other, nullptr};
  int optionCount = 8;
  TApplication app(optionCount, options);
  ShellTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "shell_test.moc"
