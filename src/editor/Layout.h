#pragma once
// Where the controls of the main window and of the Levels Copy dialog stand, the one copy
// of these numbers: both front ends build their windows from it, the widget tests read it,
// and the end-to-end helpers' table of places is checked against it
// (tests/e2e/place_table_test.sh). Plain C++: the Qt and the Win32 windows share it.

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

namespace WindowLayout {

// A control by its object name: its corner in the client area, its size (-1 for a label,
// which sizes itself to its caption), and its place in the tab order (-1: none).
struct TControlPlace {
  const char* Name;
  int Left;
  int Top;
  int Width;
  int Height;
  int Tab;
};

// The main window, in a client area of 256 x 477 below the menu bar.
inline constexpr TControlPlace kMainWindow[] = {
    {"DrawGrid1", 8, 8, 241, 281, 0},    {"SpinEdit1", 8, 392, 65, 22, 1},    {"BitBtn1", 8, 296, 33, 33, 2},
    {"BitBtn2", 40, 296, 33, 33, 3},     {"BitBtn3", 72, 296, 33, 33, 4},     {"BitBtn4", 104, 296, 33, 33, 5},
    {"BitBtn5", 136, 296, 33, 33, 6},    {"BitBtn6", 8, 328, 33, 33, 7},      {"BitBtn7", 136, 328, 33, 33, 8},
    {"BitBtn8", 104, 328, 33, 33, 9},    {"BitBtn9", 72, 328, 33, 33, 10},    {"BitBtn10", 40, 328, 33, 33, 11},
    {"SpinEdit2", 80, 392, 65, 22, 12},  {"SpinEdit3", 152, 392, 65, 22, 13}, {"SpinEdit4", 176, 312, 65, 22, 14},
    {"SpinEdit5", 176, 352, 65, 22, 15}, {"SpinEdit6", 176, 448, 65, 22, 16}, {"Button1", 8, 448, 113, 25, 17},
    {"Label1", 8, 376, -1, -1, -1},      {"Label2", 80, 376, -1, -1, -1},     {"Label3", 152, 376, -1, -1, -1},
    {"Label4", 176, 296, -1, -1, -1},    {"Label5", 176, 336, -1, -1, -1},    {"Label6", 176, 432, -1, -1, -1},
};

// The Levels Copy dialog, 198 x 202.
inline constexpr TControlPlace kLevelsCopy[] = {
    {"SpinEdit1", 8, 40, 65, 22, 0}, {"SpinEdit2", 8, 96, 65, 22, 1}, {"SpinEdit3", 8, 152, 65, 22, 2},
    {"Button1", 104, 40, 75, 25, 3}, {"Button2", 104, 96, 75, 25, 4}, {"Label1", 8, 24, -1, -1, -1},
    {"Label2", 8, 80, -1, -1, -1},   {"Label3", 8, 136, -1, -1, -1},
};

// The row of `name` in `table`; at compile time, so that a name with no row fails the build.
consteval const TControlPlace& At(std::span<const TControlPlace> table, std::string_view name) {
  for (const TControlPlace& place : table)
    if (name == place.Name) return place;
  throw "no such control in the layout";
}

// The controls of `table` that take the focus, in tab order.
inline std::vector<TControlPlace> TabOrder(std::span<const TControlPlace> table) {
  std::vector<TControlPlace> order;
  for (const TControlPlace& place : table)
    if (place.Tab >= 0) order.push_back(place);
  std::ranges::sort(order, {}, &TControlPlace::Tab);
  return order;
}

}  // namespace WindowLayout
