// The program's look where it is more than the style: the About text in four unwrapped
// lines, and message boxes in the window font, with plain OK buttons, the error icon only
// on error boxes, as wide as their captions need, and centred over the main window when
// no window is active.
#include <algorithm>
#include <cstdlib>

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include "WindowsFixture.h"
#include "qt/desktop/FormFont.h"
#include "qt/desktop/MessageBox.h"
#include "qt/desktop/ProgramLook.h"

namespace {

struct BoxSeen {
  QFont labelFont;
  bool okHasIcon = true;
  bool hasIconPicture = true;
  int width = 0;
  int labelWidth = 0;
  QPoint centre;
  int textLeft = 0, textRight = 0;  // from the box's edges to its text's first and last ink
};

// The text's margins as they show: the outermost dark pixels in the label's rows.
void ReadTextMargins(QMessageBox& box, const QLabel& label, BoxSeen& seen) {
  const QImage image = box.grab().toImage();
  const int scale = qRound(image.devicePixelRatio());
  const QRect rows(label.mapTo(&box, QPoint(0, 0)) * scale, label.size() * scale);
  int first = image.width(), last = -1;
  for (int y = rows.top(); y <= rows.bottom(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) >= 96) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  seen.textLeft = first / scale;
  seen.textRight = (image.width() - 1 - last) / scale;
}

// Shows the real box and reads it while it is up.
BoxSeen ShowAndRead(const QString& text, const QString& caption, TMessageBoxStyle style) {
  BoxSeen seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    QVERIFY(label);
    seen.labelFont = label->font();
    seen.labelWidth = label->width();
    seen.okHasIcon = !box->button(QMessageBox::Ok)->icon().isNull();
    seen.hasIconPicture = !box->iconPixmap().isNull();
    seen.width = box->width();
    seen.centre = box->geometry().center();
    ReadTextMargins(*box, *label, seen);
    box->button(QMessageBox::Ok)->click();
  });
  ShowMessageBox(text, caption, style);
  return seen;
}

}  // namespace

class ProgramLookTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ApplyProgramLook(); }

  void aboutLinesFitTheMemo() {
    ProgramWindows windows;
    Form3->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form3));
    QTextDocument* document = Form3->Memo1->document();
    QCOMPARE(document->blockCount(), 4);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
      QVERIFY2(block.layout()->lineCount() == 1, qPrintable("wrapped: '" + block.text() + "'"));
    }
    QVERIFY(!Form3->Memo1->verticalScrollBar()->isVisible());
    Form3->hide();
  }

  void messageBox_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("error");
    QTest::addColumn<bool>("even");  // the text decides the width and no icon stands left of it
    QTest::newRow("short text, program title") << "File not found."
                                               << "Quarveledit" << true << false;
    QTest::newRow("short text, long caption") << "Done."
                                              << "A caption much longer than the text of the box" << false << false;
    QTest::newRow("long text, short caption")
        << "The file holds no level that can be played, so nothing was written to it."
        << "Warning!" << false << true;
    QTest::newRow("save warning") << "All incorrect levels will be deleted from the set"
                                  << "Warning!" << false << true;
    QTest::newRow("empty caption") << "File access denied."
                                   << "" << true << false;
  }
  void messageBox() {
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(bool, error);
    QFETCH(bool, even);
    const BoxSeen seen = ShowAndRead(text, caption, error ? TMessageBoxStyle::Error : TMessageBoxStyle::Plain);
    QCOMPARE(seen.labelFont, FormFont());
    QVERIFY(!seen.okHasIcon);
    QCOMPARE(seen.hasIconPicture, error);
    QVERIFY2(seen.width >= MessageBoxCaptionWidth(caption),
             qPrintable(
                 QString("box %1 px wide, its caption needs %2").arg(seen.width).arg(MessageBoxCaptionWidth(caption))));
    // The text still decides when it is the wider, and stays on one line.
    QVERIFY(seen.labelWidth >= QFontMetrics(FormFont()).horizontalAdvance(text));
    // A box without an icon keeps no room for one: its text stands evenly between the edges.
    if (even) {
      QVERIFY2(
          std::abs(seen.textLeft - seen.textRight) <= 2,
          qPrintable(QString("text %1 px from the left, %2 px from the right").arg(seen.textLeft).arg(seen.textRight)));
    }
  }

  // The message boxes' pictures enlarged as crisply as the rest of the program: at any
  // scale each pixel becomes a block, so no colour appears that the picture lacks.
  void messageBoxPicturesAreCrisp_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<qreal>("ratio");
    for (const auto& [name, picture] :
         {std::pair{"error", QStyle::SP_MessageBoxCritical}, std::pair{"warning", QStyle::SP_MessageBoxWarning},
          std::pair{"information", QStyle::SP_MessageBoxInformation}}) {
      for (qreal ratio : {1.25, 1.5, 2.0, 3.0}) QTest::addRow("%s at %g", name, ratio) << int(picture) << ratio;
    }
  }
  void messageBoxPicturesAreCrisp() {
    QFETCH(int, picture);
    QFETCH(qreal, ratio);
    const QIcon icon = QApplication::style()->standardIcon(QStyle::StandardPixmap(picture));
    const int size = QApplication::style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    const QImage base = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage large = icon.pixmap(QSize(size, size), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(large.width(), qRound(size * ratio));
    QSet<QRgb> colours;
    for (int y = 0; y < base.height(); ++y)
      for (int x = 0; x < base.width(); ++x) colours.insert(base.pixel(x, y));
    QVERIFY(colours.size() > 2);
    for (int y = 0; y < large.height(); ++y) {
      for (int x = 0; x < large.width(); ++x) {
        QVERIFY2(colours.contains(large.pixel(x, y)),
                 qPrintable(QString("colour %1 at %2,%3: smoothed").arg(large.pixel(x, y), 8, 16).arg(x).arg(y)));
      }
    }
  }

  // Right after a file dialog closes no window is active: the box goes over the main window.
  void messageBoxWithNoActiveWindow() {
    ProgramWindows windows;
    QVERIFY(windows.ok);
    Form1->move(40, 30);
    QApplication::setActiveWindow(nullptr);
    QVERIFY(!QApplication::activeWindow());
    const BoxSeen seen = ShowAndRead("File not found.", "Quarveledit", TMessageBoxStyle::Error);
    const QPoint centre = Form1->frameGeometry().center();
    QVERIFY2((seen.centre - centre).manhattanLength() <= 24,
             qPrintable(QString("box centred at %1,%2, main window at %3,%4")
                            .arg(seen.centre.x())
                            .arg(seen.centre.y())
                            .arg(centre.x())
                            .arg(centre.y())));
  }
};

QTEST_MAIN(ProgramLookTest)
#include "program_look_test.moc"
