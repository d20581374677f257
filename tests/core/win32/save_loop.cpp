// save_loop FOLDER: writes two full level sets, FOLDER/a.dag and FOLDER/b.dag, then saves
// them in turn over FOLDER/set.dag for ever, saying "saving" on standard output once the
// first of those saves is done. ctrl_c_test.sh interrupts it with Ctrl+C (SIGINT, which
// Wine delivers as CTRL_C_EVENT) and looks at what the interrupted save left.

#include <windows.h>

#include <cstdint>
#include <string>

#include "LevelSets.h"
#include "files/LevelSetFile.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
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
    }
  }
}
