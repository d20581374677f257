// Prints the windows' layout table, one control a line: "WINDOW NAME LEFT TOP WIDTH HEIGHT"
// with WINDOW main or copy, for place_table_test.sh to check the helpers' copy against.
#include <cstdio>
#include <span>

#include "editor/Layout.h"

namespace {

void Print(const char* window, std::span<const WindowLayout::TControlPlace> table) {
  for (const auto& place : table)
    std::printf("%s %s %d %d %d %d\n", window, place.Name, place.Left, place.Top, place.Width, place.Height);
}

}  // namespace

int main() {
  Print("main", WindowLayout::kMainWindow);
  Print("copy", WindowLayout::kLevelsCopy);
}
