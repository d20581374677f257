#pragma once
// Saves under way, for the console control handler (Seams.h) to wait for: while one lives,
// the program is not ended by the console halfway through a save.

namespace quarvel::win32 {

class SaveRunning {
 public:
  SaveRunning();
  SaveRunning(const SaveRunning&) = delete;
  SaveRunning& operator=(const SaveRunning&) = delete;
  ~SaveRunning();
};

}  // namespace quarvel::win32
