// save_loop FOLDER [close]: writes two full level sets, FOLDER/a.dag and FOLDER/b.dag, then
// saves them in turn over FOLDER/set.dag for ever, saying "saving" on standard output once
// the first of those saves is done. ctrl_c_test.sh interrupts it with Ctrl+C (SIGINT, which
// Wine delivers as CTRL_C_EVENT) and looks at what the interrupted save left. With `close`,
// the console is closed instead, at a random moment, as Wine never does: the file layer's
// console handler gets CTRL_CLOSE_EVENT on a thread of its own, and the program ends once it
// returns, as Windows ends it.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <thread>

#include "LevelSets.h"
#include "files/LevelSetFile.h"
#include "files/win32/Seams.h"

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 3 && std::strcmp(argv[2], "close") == 0)) return 2;
  const std::string folder = argv[1];
  auto a = quarvel_test::NewSet(), b = quarvel_test::NewSet();
  for (int level = 0; level < quarvel::kLevelCount; ++level) {
    (*a)[level].Time = 100;
    (*b)[level].Time = 200;
    (*b)[level].Cells[level % quarvel::kCellCount] = static_cast<quarvel::TileCode>(level);
  }
  quarvel::WriteLevelSetFile(folder + "/a.dag", *a);
  quarvel::WriteLevelSetFile(folder + "/b.dag", *b);
  for (std::uint64_t n = 0;; ++n) {
    quarvel::WriteLevelSetFile(folder + "/set.dag", n % 2 ? *b : *a);
    if (n == 0) {
      DWORD written;
      ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), "saving\n", 7, &written, nullptr);
      if (argc == 3) {
        std::thread([] {
          ::Sleep(std::random_device()() % 300);
          quarvel::win32::OnConsoleControl(CTRL_CLOSE_EVENT);
          ::ExitProcess(0xC000013A);  // STATUS_CONTROL_C_EXIT, as Windows ends it
        }).detach();
      }
    }
  }
}
