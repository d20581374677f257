#pragma once
// Where the editor's three windows open, how large their client areas are, and where every
// control stands in them: the one copy of these numbers. Every front end builds its windows
// from it, the widget tests read it, and the end-to-end helpers' table of places is checked
// against it (tests/qt/e2e/place_table_test.sh).

#include <algorithm>
#include <array>
#include <cstddef>
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

// A window: where it first opens and its client area (below the menu bar, for the main
// window). A window with no place of its own (Left < 0) opens centred over its owner.
struct TFormPlace {
  const char* Name;
  int Left;
  int Top;
  int ClientWidth;
  int ClientHeight;
};

inline constexpr TFormPlace kForm1{"Form1", 204, 129, 256, 477};  // the main window
inline constexpr TFormPlace kForm2{"Form2", 436, 396, 198, 202};  // Levels Copy
inline constexpr TFormPlace kForm3{"Form3", -1, -1, 232, 243};    // About

// The main window, in the client area of kForm1.
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

// The Levels Copy dialog, in the client area of kForm2.
inline constexpr TControlPlace kLevelsCopy[] = {
    {"SpinEdit1", 8, 40, 65, 22, 0}, {"SpinEdit2", 8, 96, 65, 22, 1}, {"SpinEdit3", 8, 152, 65, 22, 2},
    {"Button1", 104, 40, 75, 25, 3}, {"Button2", 104, 96, 75, 25, 4}, {"Label1", 8, 24, -1, -1, -1},
    {"Label2", 8, 80, -1, -1, -1},   {"Label3", 8, 136, -1, -1, -1},
};

// The About box, in the client area of kForm3: the Close button first in the tab order.
inline constexpr TControlPlace kAbout[] = {
    {"Memo1", 8, 8, 217, 177, 1},
    {"Button1", 80, 200, 75, 25, 0},
};

// The row of `name` in `table`; at compile time, so that a name with no row fails the build.
consteval const TControlPlace& At(std::span<const TControlPlace> table, std::string_view name) {
  for (const TControlPlace& place : table)
    if (name == place.Name) return place;
  throw "no such control in the layout";
}

// The rows of `names` in `table`, in their order; at compile time, as At.
template <std::size_t N>
consteval std::array<TControlPlace, N> AtEach(std::span<const TControlPlace> table,
                                              const std::array<std::string_view, N>& names) {
  std::array<TControlPlace, N> rows{};
  for (std::size_t i = 0; i < N; ++i) rows[i] = At(table, names[i]);
  return rows;
}

// The controls of `table` that take the focus, in tab order.
inline std::vector<TControlPlace> TabOrder(std::span<const TControlPlace> table) {
  std::vector<TControlPlace> order;
  for (const TControlPlace& place : table)
    if (place.Tab >= 0) order.push_back(place);
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.Tab < b.Tab; });
  return order;
}

}  // namespace WindowLayout
