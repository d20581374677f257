// The editor session's steps on a recording window: what they set, in which order, and what
// a cancel or a failure leaves. Every front end runs these steps.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "DagFile.h"
#include "FileBytes.h"
#include "TempDir.h"
#include "editor/EditorSession.h"
#include "files/InOutError.h"

namespace {

using quarvel::LevelNumber;

// A main window that records what the commands do to it, as "Rubies=3", "Level=1",
// "repaint", "box:TEXT|CAPTION", and answers its dialogs as told.
class RecordingWindow : public quarvel::EditorWindow {
 public:
  std::vector<std::string> calls;
  std::optional<std::string> openName, saveName;
  std::optional<quarvel::CopyRange> range;

  void SetNumberField(LevelNumber which, std::int32_t value) override {
    static const char* const names[] = {"Rubies", "Emeralds", "Sapphires", "Bombs", "Time"};
    calls.push_back(std::string(names[static_cast<int>(which)]) + "=" + std::to_string(value));
  }
  void SetLevelField(std::int32_t value) override { calls.push_back("Level=" + std::to_string(value)); }
  void RepaintGrid() override { calls.push_back("repaint"); }
  void ShowPlainBox(std::string_view text, std::string_view caption) override {
    calls.push_back("box:" + std::string(text) + "|" + std::string(caption));
  }
  std::optional<std::string> ChooseFileToOpen() override {
    calls.push_back("open dialog");
    return openName;
  }
  std::optional<std::string> ChooseFileToSave() override {
    calls.push_back("save dialog");
    return saveName;
  }
  std::optional<quarvel::CopyRange> AskCopyRange() override {
    calls.push_back("copy dialog");
    return range;
  }
};

using Calls = std::vector<std::string>;

class EditorSession : public ::testing::Test {
 protected:
  void SetUp() override { session.Start(); }
  // A file of `count` levels, level i (from 1) with Time 10 + i and Rubies i.
  std::string FileOfLevels(const std::string& name, int count) {
    std::vector<quarvel_test::DagLevel> levels(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      levels[std::size_t(i)].time = std::int16_t(10 + i + 1);
      levels[std::size_t(i)].rubies = std::int16_t(i + 1);
    }
    const std::string path = dir / name;
    quarvel_test::WriteRaw(path, quarvel_test::DagFile(levels));
    return path;
  }

  quarvel_test::TempDir dir;
  quarvel::EditorSession session;
  quarvel::LevelSet& set = session.Set;
  quarvel::TCurrentLevel& current = session.Level;
  RecordingWindow window;
};

TEST_F(EditorSession, NewSetClearsAndShowsLevelOneInTheFieldsOrder) {
  current = 6;
  quarvel::WriteNumber(set, 6, LevelNumber::Time, 99);
  quarvel::WriteCell(set, 200, 3, 4, quarvel::RedBlock);
  session.NewSet(window);
  EXPECT_EQ(window.calls, (Calls{"Rubies=0", "Emeralds=0", "Sapphires=0", "Bombs=0", "Time=0", "Level=0", "repaint"}));
  EXPECT_EQ(current, 0);
  EXPECT_EQ(quarvel::ReadNumber(set, 6, LevelNumber::Time), 0);
  EXPECT_EQ(quarvel::ReadCell(set, 200, 3, 4), quarvel::Empty);
}

TEST_F(EditorSession, OpenSetShowsLevelOneOfTheFile) {
  current = 9;
  window.openName = FileOfLevels("three.dag", 3);
  session.OpenSet(window);
  EXPECT_EQ(window.calls, (Calls{"open dialog", "Rubies=1", "Emeralds=0", "Sapphires=0", "Bombs=0", "Time=11",
                                 "Level=1", "repaint"}));
  EXPECT_EQ(current, 0);
}

TEST_F(EditorSession, OpenSetCancelledOrFailedChangesNothingShown) {
  current = 4;
  session.OpenSet(window);
  EXPECT_EQ(window.calls, Calls{"open dialog"});
  window.openName = dir / "missing.dag";
  EXPECT_THROW(session.OpenSet(window), quarvel::EInOutError);
  EXPECT_EQ(window.calls, (Calls{"open dialog", "open dialog"}));
  EXPECT_EQ(current, 4);
}

TEST_F(EditorSession, SaveSetWarnsEveryTimeAndWritesOnlyWhenNamed) {
  session.SaveSet(window);
  const Calls warned{"box:All incorrect levels will be deleted from the set|Warning!", "save dialog"};
  EXPECT_EQ(window.calls, warned);
  window.saveName = dir / "saved.dag";
  quarvel::WriteNumber(set, 2, LevelNumber::Time, 10);  // level 3 is the one playable
  session.SaveSet(window);
  std::vector<quarvel_test::DagLevel> expected(1);
  expected[0].time = 10;
  EXPECT_EQ(quarvel_test::ReadAll(*window.saveName), quarvel_test::DagFile(expected));
}

TEST_F(EditorSession, CopyShowsTheFirstLevelWrittenOrNothingWhenCancelled) {
  window.openName = FileOfLevels("ten.dag", 10);
  session.CopyFromFile(window);  // the range dialog cancelled
  EXPECT_EQ(window.calls, (Calls{"open dialog", "copy dialog"}));
  EXPECT_EQ(quarvel::ReadNumber(set, 4, LevelNumber::Time), 0);

  window.calls.clear();
  window.range = quarvel::CopyRange{2, 3, 5};
  session.CopyFromFile(window);
  EXPECT_EQ(window.calls, (Calls{"open dialog", "copy dialog", "Rubies=2", "Emeralds=0", "Sapphires=0", "Bombs=0",
                                 "Time=12", "Level=5", "repaint"}));
  EXPECT_EQ(current, 4);
  EXPECT_EQ(quarvel::ReadNumber(set, 6, LevelNumber::Rubies), 4);
  EXPECT_EQ(quarvel::ReadNumber(set, 7, LevelNumber::Rubies), 0);
}

TEST_F(EditorSession, TheLevelFieldShowsOnlyLevelsInRange) {
  quarvel::WriteNumber(set, 11, LevelNumber::Bombs, -3);
  for (std::int32_t number : {0, 257, -1}) session.ShowLevel(window, number);
  EXPECT_TRUE(window.calls.empty());
  session.ShowLevel(window, 12);
  EXPECT_EQ(window.calls, (Calls{"Rubies=0", "Emeralds=0", "Sapphires=0", "Bombs=-3", "Time=0", "repaint"}));
  EXPECT_EQ(current, 11);
}

TEST_F(EditorSession, CheckLevelSaysWhetherTheLevelShownCanBePlayed) {
  session.CheckLevel(window);
  quarvel::WriteNumber(set, 0, LevelNumber::Time, 10);
  session.CheckLevel(window);
  EXPECT_EQ(window.calls,
            (Calls{"box:This level can not be played!|Error!", "box:This level is good to go!|Confirmation!"}));
}

}  // namespace
