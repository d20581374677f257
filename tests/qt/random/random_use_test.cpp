// Seeded random use of the whole program, held against a model of the level set kept here.
//
// Events go to every control of the three windows: the palette, the grid (clicks, drags with
// the held-button edge stepping fired by hand, keys, the wheel), the nine integer fields
// (typed text, arrow buttons, Tab), Check Level and every menu command, with the file
// dialogs choosing names in a temporary folder of good and bad files and the Levels Copy
// dialog filled in at random. The model follows what each action does to the set, apart from
// the program; after every event the program's set, the level shown, the fields, the grid's
// pictures and every file saved are checked against it.
//
// What the window shows: the five number fields always read (low 16 bits, a text that is no
// number reading as 0) as the numbers of the level shown, since each of them was either
// typed into or loaded from it. The Level field reads as the level shown (a text that is no
// number reading as 1) except while it is being edited, i.e. holds the main window's focus,
// with a number outside 1..256 in it: then the last level in range stays shown. A field is
// left when the focus lands on another control of its window, and leaving clamps it.
//
//   QUARVEL_SOAK_SEED    the seed (default 20261210); a failure prints it with the event number
//   QUARVEL_SOAK_EVENTS  how many events (default 2000)
//   QUARVEL_SOAK_TRACE   when set, every step is printed with the fields before and after

#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QFileDialog>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <deque>
#include <map>
#include <random>

#include "DagFile.h"
#include "FileBytes.h"
#include "LevelSets.h"
#include "TempDir.h"
#include "WindowsFixture.h"
#include "files/InOutError.h"
#include "model/LevelCopy.h"
#include "qt/desktop/TestSeams.h"
#include "qt/painting/TilePictures.h"

using quarvel::LevelRecord;
using quarvel::LevelSet;
using quarvel_test::DagLevel;

namespace {

// ---- Reading field text, as the fields promise to: optional sign and decimal digits
// within 32 bits. Typing cannot put blanks, "$" or "x" into a field.
bool ReadDecimal(const QString& text, std::int64_t& value) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  if (i == text.size()) return false;
  std::int64_t acc = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return false;
    acc = acc * 10 + (text[i].unicode() - u'0');
    if (acc > 2147483648LL) return false;
  }
  value = negative ? -acc : acc;
  return value >= -2147483648LL && value <= 2147483647LL;
}
// A number field: its value, 0 when the text reads as none.
std::int64_t NumberValue(const QString& text) {
  std::int64_t v = 0;
  return ReadDecimal(text, v) ? v : 0;
}
// The Level field and the Levels Copy fields: 1 when the text reads as none.
std::int64_t LevelValue(const QString& text) {
  std::int64_t v = 0;
  return ReadDecimal(text, v) ? v : 1;
}
std::int16_t Low16(std::int64_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF)); }

// The number of field k (0..4: Rubies, Emeralds, Sapphires, Bombs, Time).
std::int16_t& Number(LevelRecord& r, int k) {
  switch (k) {
    case 0:
      return r.Rubies;
    case 1:
      return r.Emeralds;
    case 2:
      return r.Sapphires;
    case 3:
      return r.Bombs;
    default:
      return r.Time;
  }
}
std::int16_t Number(const LevelRecord& r, int k) { return Number(const_cast<LevelRecord&>(r), k); }

// Playable: Time at least 10 and at least as many coloured blocks (1 to 4) as the four
// demands together.
bool Playable(const LevelRecord& r) {
  int blocks = 0;
  for (std::int16_t cell : r.Cells) blocks += cell >= 1 && cell <= 4;
  return r.Time >= 10 && blocks >= int(r.Rubies) + r.Emeralds + r.Sapphires + r.Bombs;
}

// ---- The temporary folder the file dialogs choose from.
struct Entry {
  enum Kind { Levels, Broken, Folder, Fifo } kind = Levels;
  std::vector<DagLevel> levels;  // Levels: the blocks the file holds
  bool readOnly = false;
};

constexpr int kGridX = TDrawGrid::kBorder, kPitch = TDrawGrid::kCellSize + TDrawGrid::kLineWidth;

class RandomUse {
 public:
  RandomUse(std::uint64_t seed, int events) : seed_(seed), events_(events), random_(seed) {
    model_ = quarvel_test::NewSet();
    MakeFolder();
  }

  // Runs the events; returns an empty string or what went wrong.
  QString Run();

 private:
  // ---- random choices
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(int(N))];
  }

  DagLevel RandomLevel() {
    DagLevel l;
    for (auto& cell : l.cells) cell = std::int16_t(Chance(60) ? Between(0, 9) : Between(-3, 300));
    l.time = std::int16_t(Chance(70) ? Between(0, 200) : Between(-32768, 32767));
    l.rubies = std::int16_t(Between(0, 20));
    l.emeralds = std::int16_t(Between(0, 20));
    l.sapphires = std::int16_t(Between(-5, 20));
    l.bombs = std::int16_t(Between(0, 20));
    return l;
  }
  std::vector<DagLevel> RandomLevels(int n) {
    std::vector<DagLevel> levels;
    for (int i = 0; i < n; ++i) levels.push_back(RandomLevel());
    return levels;
  }

  void MakeFolder() {
    auto put = [&](const char* name, std::vector<DagLevel> levels, mode_t mode = 0644) {
      quarvel_test::WriteRaw(dir_ / name, quarvel_test::DagFile(levels), mode);
      Entry e;
      e.levels = std::move(levels);
      e.readOnly = (mode & 0222) == 0;
      files_[dir_ / name] = e;
    };
    auto broken = [&](const char* name, quarvel_test::Bytes bytes) {
      quarvel_test::WriteRaw(dir_ / name, bytes);
      files_[dir_ / name] = Entry{Entry::Broken, {}, false};
    };
    put("three.dag", RandomLevels(3));
    put("twelve.dag", RandomLevels(12));
    put("full.dag", RandomLevels(256));
    put("more.dag", RandomLevels(300));  // 256 are read, the rest ignored
    put("empty.dag", {});
    put("readonly.dag", RandomLevels(5), 0444);
    broken("zero.dag", {});
    broken("short.dag", {0x44, 0x41});
    quarvel_test::Bytes odd = quarvel_test::DagFile(RandomLevels(2));
    odd.resize(odd.size() - 100);
    broken("odd.dag", odd);
    ::mkdir((dir_ / "folder.dag").c_str(), 0755);
    files_[dir_ / "folder.dag"] = Entry{Entry::Folder, {}, false};
    ::mkfifo((dir_ / "fifo.dag").c_str(), 0644);
    files_[dir_ / "fifo.dag"] = Entry{Entry::Fifo, {}, false};
  }
  std::string RandomName(bool forSaving) {
    static const char* const common[] = {"three.dag",    "twelve.dag",  "full.dag",        "more.dag",  "empty.dag",
                                         "readonly.dag", "zero.dag",    "short.dag",       "odd.dag",   "folder.dag",
                                         "fifo.dag",     "missing.dag", "no-folder/x.dag", "saved.dag", "saved2.dag"};
    if (forSaving && Chance(30)) return dir_ / (Chance(50) ? "saved.dag" : "saved2");  // .dag is added
    return dir_ / Pick(common);
  }

  // ---- the model's own reading of a file; 0 on success, else the error code.
  int ReadModel(const std::string& path, std::vector<DagLevel>& levels) {
    const auto it = files_.find(path);
    if (it == files_.end())
      return path.find("/no-folder/") != std::string::npos ? quarvel::kInvalidFilename.Code
                                                           : quarvel::kFileNotFound.Code;
    switch (it->second.kind) {
      case Entry::Folder:
      case Entry::Fifo:
        return quarvel::kFileAccessDenied.Code;
      case Entry::Broken:
        return quarvel::kReadBeyondEndOfFile.Code;
      case Entry::Levels:
        break;
    }
    levels = it->second.levels;
    if (levels.size() > 256) levels.resize(256);
    return 0;
  }
  // The box an I/O error shows: its message with a full stop.
  static QString ErrorText(int code) {
    return QString::fromStdString(quarvel::WithFullStop(quarvel::InOutErrorMessage(code)));
  }

  // ---- the grid, as the model sees it
  static bool OnCell(QPoint p, int& c, int& r) {
    const int x = p.x() - kGridX, y = p.y() - kGridX;
    if (x < 0 || y < 0 || x >= 11 * kPitch || y >= 13 * kPitch) return false;
    c = x / kPitch;
    r = y / kPitch;
    return true;
  }
  void PaintModel(int c, int r) {
    ++tally_["cells painted"];
    (*model_)[std::size_t(cur_)].Cells[std::size_t(c * 13 + r)] = Low16(brush_);
    col_ = c;
    row_ = r;
  }
  QPoint RandomGridPoint() {
    if (Chance(80)) {
      const QRect cell = Form1->DrawGrid1->CellRect(Below(11), Below(13));
      return cell.topLeft() + QPoint(Below(21), Below(21));  // a line belongs to the cell before it
    }
    const QPoint p(Between(-40, 280), Between(-40, 320));
    // QTest takes the null point 0,0 for "the widget's centre"; 1,0 lies on the border too.
    return p.isNull() ? QPoint(1, 0) : p;
  }

  // ---- one checked step: the UI action, then what the model says it does.
  TSpinEdit* Field(int k) const {
    TSpinEdit* const fields[] = {Form1->SpinEdit1, Form1->SpinEdit2, Form1->SpinEdit3,
                                 Form1->SpinEdit4, Form1->SpinEdit5, Form1->SpinEdit6};
    return fields[k];
  }
  QStringList Texts() const {
    QStringList t;
    for (int k = 0; k < 6; ++k) t << Field(k)->Text();
    return t;
  }
  // `edited`: the number field (0..4) the action types into or steps, or -1.
  void Step(const QString& what, int edited, const std::function<void()>& act,
            const std::function<void()>& effects = {});
  void Check();
  void Fail(const QString& why) {
    if (failure_.isEmpty()) failure_ = why;
  }

  // ---- the events
  void ClickPalette();
  void Drag();
  void ClickGrid();
  void KeyToFocus();
  void TypeIntoField();
  void ArrowButton();
  void Wheel();
  void CheckLevel();
  void NewSet();
  void OpenSet();
  void SaveSet();
  void Copy();
  void About();
  void Exit();

  void TypeText(QWidget* editor, const QString& text, const QString& what, int edited);
  int AnswerFileDialog(QFileDialog& dialog);
  int AnswerCopyDialog();
  int AnswerAbout();
  void InstallHandlers();

  std::uint64_t seed_;
  int events_;
  std::mt19937_64 random_;
  quarvel_test::TempDir dir_;
  std::map<std::string, Entry> files_;

  // The model.
  std::unique_ptr<LevelSet> model_;
  int cur_ = 0, brush_ = 0;
  int col_ = 0, row_ = 0, wheel_ = 0;
  bool dragging_ = false, timer_ = false;
  QPoint pointer_;

  // The dialogs' answers for the command running.
  QString fileAnswer_;  // "" cancels
  QString chosen_;      // what the file dialog gave the program
  int fileDialogs_ = 0;
  QStringList boxes_, expectedBoxes_;

  // What the run came to, for its closing line.
  std::map<QString, int> tally_;

  int event_ = 0;
  bool trace_ = !qEnvironmentVariableIsEmpty("QUARVEL_SOAK_TRACE");  // every step with the fields
  QString current_;
  std::deque<QString> recent_;
  QString failure_;
};

void RandomUse::Step(const QString& what, int edited, const std::function<void()>& act,
                     const std::function<void()>& effects) {
  if (!failure_.isEmpty()) return;
  current_ = what;
  recent_.push_back(QString("%1: %2").arg(event_).arg(what));
  if (recent_.size() > 25) recent_.pop_front();
  const QStringList before = Texts();
  boxes_.clear();
  expectedBoxes_.clear();
  const bool levelFocused = Form1->focusWidget() == Form1->SpinEdit6->Editor();
  const int level = cur_;
  // Whether a text changed at all: a step can load a field and then step it back to the
  // text it had before (a click on an arrow that leaves the Level field first).
  bool levelChanged = false, editedChanged = false;
  const auto levelWatch =
      QObject::connect(Form1->SpinEdit6->Editor(), &QLineEdit::textChanged, [&] { levelChanged = true; });
  QMetaObject::Connection editedWatch;
  if (edited >= 0)
    editedWatch = QObject::connect(Field(edited)->Editor(), &QLineEdit::textChanged, [&] { editedChanged = true; });
  act();
  QObject::disconnect(levelWatch);
  QObject::disconnect(editedWatch);
  const QStringList after = Texts();
  // The Level field: a text that reads as 1..256 shows that level.
  if (levelChanged) {
    const std::int64_t n = LevelValue(after[5]);
    if (n >= 1 && n <= 256) cur_ = int(n - 1);
    const std::int64_t was = LevelValue(before[5]);
    if (levelFocused && Form1->focusWidget() != Form1->SpinEdit6->Editor() && (was < 1 || was > 256))
      ++tally_["Level field left out of range"];
  }
  if (cur_ != level) ++tally_["level changes"];
  // A number field typed into or stepped writes the low 16 bits of its value.
  if (editedChanged) Number((*model_)[std::size_t(cur_)], edited) = Low16(NumberValue(after[edited]));
  if (effects) effects();
  if (trace_)
    qInfo("%d: %s: fields [%s] -> [%s], level %d", event_, qPrintable(what), qPrintable(before.join(' ')),
          qPrintable(after.join(' ')), cur_ + 1);
  Check();
}

void RandomUse::Check() {
  if (!failure_.isEmpty()) return;
  if (*model_ != Unit1::LevelSet) {
    for (int l = 0; l < 256; ++l) {
      const LevelRecord &m = (*model_)[std::size_t(l)], &p = Unit1::LevelSet[std::size_t(l)];
      if (m == p) continue;
      QString detail;
      for (int k = 0; k < 5; ++k)
        if (Number(m, k) != Number(p, k))
          detail += QString(" number %1: %2 where %3 was expected;").arg(k).arg(Number(p, k)).arg(Number(m, k));
      for (int i = 0; i < quarvel::kCellCount; ++i)
        if (m.Cells[std::size_t(i)] != p.Cells[std::size_t(i)])
          detail += QString(" cell %1,%2: %3 where %4 was expected;")
                        .arg(i / 13)
                        .arg(i % 13)
                        .arg(p.Cells[std::size_t(i)])
                        .arg(m.Cells[std::size_t(i)]);
      return Fail(
          QString("the set differs from the model at level %1 (shown: %2):%3").arg(l + 1).arg(cur_ + 1).arg(detail));
    }
  }
  if (Unit1::CurrentLevel != cur_)
    return Fail(QString("level %1 is current where %2 was expected").arg(Unit1::CurrentLevel + 1).arg(cur_ + 1));
  if (Unit1::CurrentBrush != brush_) return Fail(QString("brush %1, expected %2").arg(Unit1::CurrentBrush).arg(brush_));
  TDrawGrid* grid = Form1->DrawGrid1;
  if (grid->Col() != col_ || grid->Row() != row_)
    return Fail(QString("the grid's cell is %1,%2 where %3,%4 was expected")
                    .arg(grid->Col())
                    .arg(grid->Row())
                    .arg(col_)
                    .arg(row_));
  if (grid->IsDragging() != dragging_ || grid->DragTimer()->isActive() != timer_)
    return Fail(QString("dragging %1 timer %2, expected %3 %4")
                    .arg(grid->IsDragging())
                    .arg(grid->DragTimer()->isActive())
                    .arg(dragging_)
                    .arg(timer_));
  if (boxes_ != expectedBoxes_)
    return Fail(QString("message boxes [%1], expected [%2]").arg(boxes_.join(" / "), expectedBoxes_.join(" / ")));

  // What the window shows: the number fields always read as the current level's numbers
  // (each one either typed into it or loaded from it); the Level field shows the current
  // level unless it is being edited with a number outside 1..256.
  const QStringList texts = Texts();
  const LevelRecord& shown = (*model_)[std::size_t(cur_)];
  for (int k = 0; k < 5; ++k) {
    if (Low16(NumberValue(texts[k])) != Number(shown, k))
      return Fail(QString("number field %1 shows \"%2\" on level %3, which holds %4")
                      .arg(k + 1)
                      .arg(texts[k])
                      .arg(cur_ + 1)
                      .arg(Number(shown, k)));
  }
  const bool levelEdited = Form1->focusWidget() == Form1->SpinEdit6->Editor();
  const std::int64_t level = LevelValue(texts[5]);
  if ((!levelEdited || (level >= 1 && level <= 256)) && level != cur_ + 1)
    return Fail(QString("the Level field shows \"%1\"%2 while level %3 is shown")
                    .arg(texts[5], levelEdited ? " (being edited)" : "")
                    .arg(cur_ + 1));

  // The grid draws the current level: a few cells other than the selected one, against
  // the tile pictures drawn on the grid's background.
  for (int n = 0; n < 3; ++n) {
    const int c = Below(11), r = Below(13);
    if (c == col_ && r == row_) continue;
    const QImage drawn = grid->grab(grid->CellRect(c, r)).toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected(TDrawGrid::kCellSize, TDrawGrid::kCellSize, QImage::Format_RGB32);
    expected.fill(grid->palette().color(QPalette::Base));
    {
      QPainter p(&expected);
      TilePictures::Draw(p, QPoint(0, 0), shown.Cells[std::size_t(c * 13 + r)]);
    }
    if (drawn != expected)
      return Fail(
          QString("grid cell %1,%2 does not show tile %3").arg(c).arg(r).arg(shown.Cells[std::size_t(c * 13 + r)]));
  }
}

// ---- events

void RandomUse::ClickPalette() {
  TButton* const buttons[] = {Form1->BitBtn1, Form1->BitBtn2, Form1->BitBtn3, Form1->BitBtn4, Form1->BitBtn5,
                              Form1->BitBtn6, Form1->BitBtn7, Form1->BitBtn8, Form1->BitBtn9, Form1->BitBtn10};
  const int tiles[] = {0, 1, 2, 3, 4, 5, 9, 8, 7, 6};
  const int i = Below(10);
  Step(
      QString("click palette %1").arg(buttons[i]->objectName()), -1,
      [&] { QTest::mouseClick(buttons[i], Qt::LeftButton, {}, QPoint(16, 16)); }, [&] { brush_ = tiles[i]; });
}

void RandomUse::Drag() {
  TDrawGrid* grid = Form1->DrawGrid1;
  const QPoint start = RandomGridPoint();
  Step(
      QString("press on the grid at %1,%2").arg(start.x()).arg(start.y()), -1,
      [&] { QTest::mousePress(grid, Qt::LeftButton, {}, start); },
      [&] {
        int c, r;
        if (!dragging_ && OnCell(start, c, r)) {
          dragging_ = true;
          pointer_ = start;
          PaintModel(c, r);
        }
      });
  const int moves = Below(8);
  QPoint last = start;
  for (int m = 0; m < moves && failure_.isEmpty(); ++m) {
    if (grid->DragTimer()->isActive() && Chance(50)) {
      const int fires = Between(1, 15);
      for (int f = 0; f < fires; ++f) {
        Step(
            "drag timer", -1, [&] { QMetaObject::invokeMethod(grid->DragTimer(), "timeout"); },
            [&] {
              if (!dragging_) return;
              const int x = pointer_.x() - kGridX, y = pointer_.y() - kGridX;
              const int dc = x < 0 ? -1 : (x >= 11 * kPitch ? 1 : 0);
              const int dr = y < 0 ? -1 : (y >= 13 * kPitch ? 1 : 0);
              const int c = std::clamp(col_ + dc, 0, 10), r = std::clamp(row_ + dr, 0, 12);
              if (c != col_ || r != row_) PaintModel(c, r);
            });
      }
      continue;
    }
    const QPoint to = RandomGridPoint();
    last = to;
    Step(
        QString("drag to %1,%2").arg(to.x()).arg(to.y()), -1, [&] { QTest::mouseMove(grid, to); },
        [&] {
          if (!dragging_) return;
          pointer_ = to;
          int c, r;
          if (OnCell(to, c, r)) {
            timer_ = false;
            if (c != col_ || r != row_) PaintModel(c, r);
          } else {
            timer_ = true;
          }
        });
  }
  const QPoint end = Chance(70) ? last : RandomGridPoint();
  Step(
      QString("release at %1,%2").arg(end.x()).arg(end.y()), -1,
      [&] { QTest::mouseRelease(grid, Qt::LeftButton, {}, end); },
      [&] {
        if (!dragging_) return;
        dragging_ = false;
        timer_ = false;
        int c, r;
        if (OnCell(end, c, r) && (c != col_ || r != row_)) PaintModel(c, r);
      });
}

void RandomUse::ClickGrid() {
  const QPoint at = RandomGridPoint();
  Step(
      QString("click the grid at %1,%2").arg(at.x()).arg(at.y()), -1,
      [&] { QTest::mouseClick(Form1->DrawGrid1, Qt::LeftButton, {}, at); },
      [&] {
        int c, r;
        if (OnCell(at, c, r)) PaintModel(c, r);
      });
}

void RandomUse::KeyToFocus() {
  static const Qt::Key keys[] = {Qt::Key_Up,    Qt::Key_Down,      Qt::Key_Left,     Qt::Key_Right,  Qt::Key_Home,
                                 Qt::Key_End,   Qt::Key_PageUp,    Qt::Key_PageDown, Qt::Key_Tab,    Qt::Key_Backtab,
                                 Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Delete,   Qt::Key_Escape, Qt::Key_Return,
                                 Qt::Key_A,     Qt::Key_Z,         Qt::Key_X,        Qt::Key_V,      Qt::Key_C};
  QWidget* target = QApplication::focusWidget();
  if (!target || target->window() != Form1) target = Form1->focusWidget();
  if (!target) target = Form1;
  Qt::Key key = Pick(keys);
  Qt::KeyboardModifiers mods = Chance(25) ? Qt::ControlModifier : (Chance(10) ? Qt::ShiftModifier : Qt::NoModifier);
  auto* button = qobject_cast<TButton*>(target);
  // Enter presses a button only after its animation; Space presses it at once.
  if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) key = Qt::Key_Space;
  if (button && key == Qt::Key_Space) mods = Qt::NoModifier;
  int edited = -1;
  for (int k = 0; k < 5; ++k)
    if (target == Field(k)->Editor()) edited = k;
  const bool onGrid = target == Form1->DrawGrid1;
  Step(
      QString("key %1 (modifiers %2) to %3").arg(QKeySequence(key).toString()).arg(int(mods)).arg(FocusedControl()),
      edited, [&] { QTest::keyClick(target, key, mods); },
      [&] {
        if (button && key == Qt::Key_Space) {
          TButton* const palette[] = {Form1->BitBtn1, Form1->BitBtn2, Form1->BitBtn3, Form1->BitBtn4, Form1->BitBtn5,
                                      Form1->BitBtn6, Form1->BitBtn7, Form1->BitBtn8, Form1->BitBtn9, Form1->BitBtn10};
          const int tiles[] = {0, 1, 2, 3, 4, 5, 9, 8, 7, 6};
          for (int i = 0; i < 10; ++i)
            if (button == palette[i]) brush_ = tiles[i];
          if (button == Form1->Button1)
            expectedBoxes_ << (Playable((*model_)[std::size_t(cur_)]) ? "This level is good to go!"
                                                                      : "This level can not be played!");
        }
        if (!onGrid) return;
        const Qt::KeyboardModifiers m = mods & ~Qt::ShiftModifier;
        const bool ctrl = m == Qt::ControlModifier;
        if (m != Qt::NoModifier && !ctrl) return;
        int c = col_, r = row_;
        switch (key) {
          case Qt::Key_Up:
            if (!ctrl) r = std::max(r - 1, 0);
            break;
          case Qt::Key_Down:
            if (!ctrl) r = std::min(r + 1, 12);
            break;
          case Qt::Key_Left:
            c = ctrl ? 0 : std::max(c - 1, 0);
            break;
          case Qt::Key_Right:
            c = ctrl ? 10 : std::min(c + 1, 10);
            break;
          case Qt::Key_Home:
            c = 0;
            if (ctrl) r = 0;
            break;
          case Qt::Key_End:
            c = 10;
            if (ctrl) r = 12;
            break;
          case Qt::Key_PageUp:
            r = 0;
            break;
          case Qt::Key_PageDown:
            r = 12;
            break;
          default:
            break;
        }
        if (c != col_ || r != row_) PaintModel(c, r);
      });
}

void RandomUse::TypeText(QWidget* editor, const QString& text, const QString& what, int edited) {
  if (text.isEmpty()) Step("Delete in " + what, edited, [&] { QTest::keyClick(editor, Qt::Key_Delete); });
  for (QChar ch : text) {
    Step(QString("type '%1' into %2").arg(ch).arg(what), edited, [&] { QTest::keyClick(editor, ch.toLatin1()); });
  }
}

static const char* const kTexts[] = {"0",          "7",           "-5",    "12",    "256", "257",    "300",
                                     "999",        "1000",        "65535", "65536", "-1",  "-32769", "2147483647",
                                     "2147483648", "99999999999", "+3",    "-",     "+",   "1.5",    "abc",
                                     "$FF",        "0x10",        "007",   "",      "1e3"};

void RandomUse::TypeIntoField() {
  const int k = Below(6);
  TSpinEdit* field = Field(k);
  const int edited = k < 5 ? k : -1;
  const QString name = field->objectName();
  if (Chance(70)) {
    Step("click into " + name, -1, [&] {
      QTest::mouseClick(field->Editor(), Qt::LeftButton, {}, QPoint(Between(1, field->Editor()->width() - 2), 8));
    });
    if (Chance(70))
      Step("select all in " + name, edited, [&] { QTest::keyClick(field->Editor(), Qt::Key_A, Qt::ControlModifier); });
  } else if (QApplication::focusWidget() != field->Editor()) {
    return;  // Tab gets there another time
  }
  TypeText(field->Editor(), Pick(kTexts), name, edited);
  if (Chance(40)) Step("Tab out of " + name, edited, [&] { QTest::keyClick(field->Editor(), Qt::Key_Tab); });
}

void RandomUse::ArrowButton() {
  const int k = Below(6);
  TSpinEdit* field = Field(k);
  const int edited = k < 5 ? k : -1;
  QAbstractButton* arrow = Chance(50) ? field->UpButton() : field->DownButton();
  const QString what = QString("%1 %2 arrow").arg(field->objectName(), arrow == field->UpButton() ? "up" : "down");
  if (Chance(70)) {
    Step("click " + what, edited, [&] { QTest::mouseClick(arrow, Qt::LeftButton); });
    return;
  }
  // Held: the repeat timer fired by hand, then the release.
  Step("press " + what, edited, [&] { QTest::mousePress(arrow, Qt::LeftButton); });
  const int fires = Between(0, 6);
  for (int f = 0; f < fires; ++f)
    Step("repeat " + what, edited, [&] { QMetaObject::invokeMethod(field->RepeatTimer(), "timeout"); });
  Step("release " + what, edited, [&] { QTest::mouseRelease(arrow, Qt::LeftButton); });
}

void RandomUse::Wheel() {
  QWidget* const targets[] = {Form1->DrawGrid1, Form1->SpinEdit1->Editor(), Form1->SpinEdit6->Editor(), Form1->BitBtn4,
                              Form1->Button1,   Form1->centralWidget()};
  QWidget* target = Pick(targets);
  const int delta = Chance(50) ? (Chance(50) ? 120 : -120) * Between(1, 3) : Between(-300, 300);
  const bool gridFocused = Form1->DrawGrid1->hasFocus();
  Step(
      QString("wheel %1 over %2").arg(delta).arg(target->objectName()), -1,
      [&] {
        const QPoint at(target->width() / 2, target->height() / 2);
        QWheelEvent wheel(at, target->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(target, &wheel);
      },
      [&] {
        if (!gridFocused || delta == 0) return;
        wheel_ += delta;
        for (; wheel_ >= 120; wheel_ -= 120)
          if (row_ > 0) PaintModel(col_, row_ - 1);
        for (; wheel_ <= -120; wheel_ += 120)
          if (row_ < 12) PaintModel(col_, row_ + 1);
      });
}

void RandomUse::CheckLevel() {
  Step(
      "click Check Level", -1, [&] { QTest::mouseClick(Form1->Button1, Qt::LeftButton); },
      [&] {
        expectedBoxes_ << (Playable((*model_)[std::size_t(cur_)]) ? "This level is good to go!"
                                                                  : "This level can not be played!");
      });
}

void RandomUse::NewSet() {
  Step(
      "Levels > New Set", -1, [&] { Form1->N1->trigger(); },
      [&] {
        quarvel::ClearLevelSet(*model_);
        cur_ = 0;
      });
}

int RandomUse::AnswerFileDialog(QFileDialog& dialog) {
  ++fileDialogs_;
  if (fileAnswer_.isEmpty()) return QDialog::Rejected;
  dialog.selectFile(fileAnswer_);
  chosen_ = dialog.selectedFiles().value(0);
  return QDialog::Accepted;
}

void RandomUse::OpenSet() {
  fileAnswer_ = Chance(10) ? QString() : QString::fromStdString(RandomName(false));
  chosen_.clear();
  fileDialogs_ = 0;
  Step(
      "Levels > Open Set " + (fileAnswer_.isEmpty() ? QString("(cancelled)") : fileAnswer_), -1,
      [&] { Form1->N2->trigger(); },
      [&] {
        if (fileDialogs_ != 1) return Fail("Open Set showed no file dialog");
        if (chosen_.isEmpty()) return;
        std::vector<DagLevel> levels;
        if (const int err = ReadModel(chosen_.toStdString(), levels)) {
          expectedBoxes_ << ErrorText(err);
          ++tally_["opens refused"];
          return;
        }
        for (std::size_t i = 0; i < levels.size(); ++i) (*model_)[i] = RecordOf(levels[i]);
        cur_ = 0;
        ++tally_["sets opened"];
      });
}

void RandomUse::SaveSet() {
  fileAnswer_ = Chance(10) ? QString() : QString::fromStdString(RandomName(true));
  chosen_.clear();
  fileDialogs_ = 0;
  Step(
      "Levels > Save Set " + (fileAnswer_.isEmpty() ? QString("(cancelled)") : fileAnswer_), -1,
      [&] { Form1->N3->trigger(); },
      [&] {
        expectedBoxes_ << "All incorrect levels will be deleted from the set";
        if (fileDialogs_ != 1) return Fail("Save Set showed no file dialog");
        if (chosen_.isEmpty()) return;
        const std::string path = chosen_.toStdString();
        const auto it = files_.find(path);
        int err = 0;
        if (it == files_.end()) {
          if (path.find("/no-folder/") != std::string::npos) err = quarvel::kInvalidFilename.Code;
        } else if (it->second.kind == Entry::Folder || it->second.kind == Entry::Fifo || it->second.readOnly) {
          err = quarvel::kFileAccessDenied.Code;
        }
        ++tally_[err ? "saves refused" : "sets saved"];
        if (err) {
          expectedBoxes_ << ErrorText(err);
        } else {
          Entry saved;
          for (const LevelRecord& r : *model_)
            if (Playable(r)) saved.levels.push_back(quarvel_test::DagLevelOf(r));
          files_[path] = saved;
          if (quarvel_test::ReadAll(path) != quarvel_test::DagFile(saved.levels))
            return Fail(QString::fromStdString("the file saved as " + path + " is not the set's playable levels"));
        }
        // Whatever the outcome, the folder holds nothing but what the model knows.
        for (const QString& name : QDir(QString::fromStdString(dir_.Path()))
                                       .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
          if (!files_.count(dir_ / name.toStdString())) return Fail("the folder holds a stray file " + name);
      });
}

int RandomUse::AnswerCopyDialog() {
  Form2->setResult(0);
  Form2->show();
  QApplication::setActiveWindow(Form2);
  TSpinEdit* const fields[] = {Form2->SpinEdit1, Form2->SpinEdit2, Form2->SpinEdit3};
  const int actions = Between(0, 6);
  for (int a = 0; a < actions; ++a) {
    TSpinEdit* field = fields[Below(3)];
    switch (Below(4)) {
      case 0:
        QTest::mouseClick(field->Editor(), Qt::LeftButton, {}, QPoint(5, 8));
        QTest::keyClick(field->Editor(), Qt::Key_A, Qt::ControlModifier);
        for (QChar ch : QString(Pick(kTexts))) QTest::keyClick(field->Editor(), ch.toLatin1());
        break;
      case 1:
        if (QWidget* f = QApplication::focusWidget(); f && f->window() == Form2)
          QTest::keyClick(f, Chance(50) ? Qt::Key_Tab : Qt::Key_Backtab);
        break;
      case 2:
        QTest::mouseClick(Chance(50) ? field->UpButton() : field->DownButton(), Qt::LeftButton);
        break;
      default:
        if (QWidget* f = QApplication::focusWidget(); f && f->window() == Form2 && qobject_cast<QLineEdit*>(f))
          QTest::keyClick(f, Chance(50) ? Qt::Key_Up : Qt::Key_Down);
        break;
    }
  }
  QTest::mouseClick(Chance(75) ? Form2->Button1 : Form2->Button2, Qt::LeftButton);
  const int result = Form2->result();
  Form2->hide();
  QApplication::setActiveWindow(Form1);
  return result;
}

void RandomUse::Copy() {
  fileAnswer_ = Chance(10) ? QString() : QString::fromStdString(RandomName(false));
  chosen_.clear();
  fileDialogs_ = 0;
  bool copyAsked = false;
  int copyResult = 0;
  SetModalHandler([&](QDialog& dialog) {
    if (auto* fileDialog = qobject_cast<QFileDialog*>(&dialog)) return AnswerFileDialog(*fileDialog);
    if (&dialog == Form2) {
      copyAsked = true;
      copyResult = AnswerCopyDialog();
      return copyResult;
    }
    Fail("an unexpected dialog: " + dialog.objectName());
    return int(QDialog::Rejected);
  });
  Step(
      "Levels > Copy " + (fileAnswer_.isEmpty() ? QString("(cancelled)") : fileAnswer_), -1,
      [&] { Form1->N7->trigger(); },
      [&] {
        if (fileDialogs_ != 1) return Fail("Copy showed no file dialog");
        if (chosen_.isEmpty()) {
          if (copyAsked) Fail("the Levels Copy dialog came after a cancelled file dialog");
          return;
        }
        std::vector<DagLevel> levels;
        if (const int err = ReadModel(chosen_.toStdString(), levels)) {
          expectedBoxes_ << ErrorText(err);
          if (copyAsked) Fail("the Levels Copy dialog came after a failed read");
          return;
        }
        if (!copyAsked) return Fail("no Levels Copy dialog");
        // Every field of the dialog was left by the click on OK or Cancel: each reads as a
        // number in 1..256, or as none at all.
        std::int32_t values[3];
        TSpinEdit* const fields[] = {Form2->SpinEdit1, Form2->SpinEdit2, Form2->SpinEdit3};
        for (int i = 0; i < 3; ++i) {
          std::int64_t v = 0;
          if (ReadDecimal(fields[i]->Text(), v) && (v < 1 || v > 256))
            return Fail(QString("Levels Copy field %1 was left showing \"%2\"").arg(i + 1).arg(fields[i]->Text()));
          values[i] = std::int32_t(std::clamp<std::int64_t>(LevelValue(fields[i]->Text()), 1, 256));
        }
        if (copyResult != QDialog::Accepted) return;
        ++tally_["copies"];
        current_ += QString(" start %1 quantity %2 after %3").arg(values[0]).arg(values[1]).arg(values[2]);
        auto source = quarvel_test::NewSet();
        for (std::size_t i = 0; i < levels.size(); ++i) (*source)[i] = RecordOf(levels[i]);
        quarvel::CopyLevels(*model_, *source, std::int32_t(levels.size()), values[0], values[1], values[2], cur_);
      });
  InstallHandlers();
}

int RandomUse::AnswerAbout() {
  Form3->show();
  QApplication::setActiveWindow(Form3);
  if (Chance(50))
    QTest::mouseClick(Form3->Button1, Qt::LeftButton);
  else
    QTest::keyClick(Form3->Button1, Qt::Key_Space);
  const int result = Form3->result();
  Form3->hide();
  QApplication::setActiveWindow(Form1);
  return result;
}

void RandomUse::About() {
  bool shown = false;
  SetModalHandler([&](QDialog& dialog) {
    if (&dialog != Form3) {
      Fail("Help > About showed " + dialog.objectName());
      return int(QDialog::Rejected);
    }
    shown = true;
    return AnswerAbout();
  });
  Step(
      "Help > About", -1, [&] { Form1->About2->trigger(); },
      [&] {
        if (!shown) Fail("no About box");
        if (Form3->isVisible()) Fail("the About box stayed open");
      });
  InstallHandlers();
}

// Exit ends the program; the next event finds it started afresh, as the user would.
void RandomUse::Exit() {
  Step(
      "Levels > Exit", -1, [&] { Form1->N5->trigger(); },
      [&] {
        if (Form1->isVisible()) Fail("Exit left the main window open");
      });
  if (!failure_.isEmpty()) return;
  DestroyProgramWindows();
  CreateProgramWindows();
  QApplication::setActiveWindow(Form1);
  if (!QTest::qWaitForWindowActive(Form1)) Fail("the restarted main window never became active");
  quarvel::ClearLevelSet(*model_);
  cur_ = brush_ = col_ = row_ = wheel_ = 0;
  dragging_ = timer_ = false;
  Check();
}

void RandomUse::InstallHandlers() {
  SetModalHandler([this](QDialog& dialog) {
    if (auto* fileDialog = qobject_cast<QFileDialog*>(&dialog)) return AnswerFileDialog(*fileDialog);
    Fail("an unexpected dialog: " + dialog.objectName());
    return int(QDialog::Rejected);
  });
  SetMessageBoxHandler([this](const QString& text, const QString&, TMessageBoxStyle) {
    boxes_ << text;
    return 0;
  });
  SetBeepHandler([] {});
}

QString RandomUse::Run() {
  InstallHandlers();
  CreateProgramWindows();
  QApplication::setActiveWindow(Form1);
  if (!QTest::qWaitForWindowActive(Form1)) Fail("the main window never became active");
  Check();
  for (event_ = 1; event_ <= events_ && failure_.isEmpty(); ++event_) {
    const int roll = Below(1000);
    if (roll < 110)
      ClickPalette();
    else if (roll < 240)
      Drag();
    else if (roll < 320)
      ClickGrid();
    else if (roll < 520)
      KeyToFocus();
    else if (roll < 690)
      TypeIntoField();
    else if (roll < 800)
      ArrowButton();
    else if (roll < 860)
      Wheel();
    else if (roll < 885)
      CheckLevel();
    else if (roll < 905)
      NewSet();
    else if (roll < 940)
      OpenSet();
    else if (roll < 965)
      SaveSet();
    else if (roll < 990)
      Copy();
    else if (roll < 998)
      About();
    else
      Exit();
  }
  const int last = event_ - 1;
  DestroyProgramWindows();
  SetModalHandler({});
  SetMessageBoxHandler({});
  SetBeepHandler({});
  QStringList tally;
  for (const auto& [what, n] : tally_) tally << QString("%1 %2").arg(n).arg(what);
  qInfo("random use: %s", qPrintable(tally.join(", ")));
  if (failure_.isEmpty()) return QString();
  QString report =
      QString("seed %1, event %2 (%3): %4\nreplay: QUARVEL_SOAK_SEED=%1 QUARVEL_SOAK_EVENTS=%2\nthe last steps:")
          .arg(seed_)
          .arg(last)
          .arg(current_, failure_);
  for (const QString& step : recent_) report += "\n  " + step;
  return report;
}

std::uint64_t FromEnvironment(const char* name, std::uint64_t otherwise) {
  const QByteArray text = qgetenv(name);
  bool ok = false;
  const std::uint64_t value = text.toULongLong(&ok);
  return ok ? value : otherwise;
}

}  // namespace

class RandomUseTest : public QObject {
  Q_OBJECT

 private slots:
  void randomUseOfTheWholeProgram() {
    const std::uint64_t seed = FromEnvironment("QUARVEL_SOAK_SEED", 20261210);
    const int events = int(FromEnvironment("QUARVEL_SOAK_EVENTS", 2000));
    qInfo("random use: seed %llu, %d events", static_cast<unsigned long long>(seed), events);
    QElapsedTimer clock;
    clock.start();
    const QString failure = RandomUse(seed, events).Run();
    qInfo("random use: %.1f s", double(clock.elapsed()) / 1000);
    if (!failure.isEmpty()) QFAIL(qPrintable(failure));
  }
};

QTEST_MAIN(RandomUseTest)
#include "random_use_test.moc"
