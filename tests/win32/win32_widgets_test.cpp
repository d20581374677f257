// The Win32 integer field and grid, driven by the messages the system sends them, in a
// window of their own, under Wine: tables of cases like the Qt widget tests'.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "model/Tiles.h"
#include "picture/GridPicture.h"
#include "win32/Beep.h"
#include "win32/DrawGrid.h"
#include "win32/SpinEdit.h"

namespace {

int beeps = 0;
void CountBeep() { ++beeps; }

// A plain top-level window to hold the controls under test, shown and active.
class Host {
 public:
  Host() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TestHost";
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowExW(0, L"TestHost", L"Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 400, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(hwnd);
    ::SetActiveWindow(hwnd);
    other = ::CreateWindowExW(0, L"BUTTON", L"Other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 300, 300, 60, 25, hwnd,
                              nullptr, ::GetModuleHandleW(nullptr), nullptr);
  }
  ~Host() { ::DestroyWindow(hwnd); }
  HWND hwnd;
  HWND other;  // another control of the window, to leave a field for
};

void Type(HWND edit, const std::wstring& text) {
  for (wchar_t c : text) ::SendMessageW(edit, WM_CHAR, WPARAM(c), 1);
}

void SetCtrl(bool down) {
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

class IntegerField : public ::testing::Test {
 protected:
  void SetUp() override {
    beeps = 0;
    win32::SetBeepHandler(CountBeep);
    field = new TSpinEdit(host.hwnd, L"0");
    ::MoveWindow(field->Handle(), 10, 10, 65, 22, TRUE);
    field->SetOnChange([this](TSpinEdit*) { changes.push_back(field->Text()); });
  }
  void TearDown() override {
    delete field;
    win32::SetBeepHandler(nullptr);
  }
  Host host;
  TSpinEdit* field = nullptr;
  std::vector<std::wstring> changes;  // the text at each run of the change handler
};

struct ReadCase {
  const wchar_t* text;
  std::int32_t value;
};

TEST_F(IntegerField, ReadsItsTextOrItsMinimum) {
  field->SetRange(1, 256);
  const ReadCase cases[] = {{L"12", 12},   {L"  7", 7},  {L"-3", -3},        {L"+4", 4},  {L"$FF", 255},
                            {L"0x10", 16}, {L"x1F", 31}, {L"$FFFFFFFF", -1}, {L"", 1},    {L"12 ", 1},
                            {L"1.5", 1},   {L"-", 1},    {L"2147483648", 1}, {L"abc", 1}, {L"-2147483648", INT32_MIN}};
  for (const ReadCase& c : cases) {
    field->SetText(c.text);
    EXPECT_EQ(field->Value(), c.value) << "text '" << std::string(c.text, c.text + wcslen(c.text)) << "'";
  }
  EXPECT_TRUE(changes.empty()) << "SetText runs no change handler";
}

struct TypeCase {
  wchar_t character;
  bool taken;
};

TEST_F(IntegerField, TakesDigitsSignsAndControlCharactersOnly) {
  const TypeCase cases[] = {{L'5', true},  {L'-', true},   {L'+', true},  {L'a', false},
                            {L' ', false}, {L'\r', false}, {L'\b', true}, {L'x', false}};
  for (const TypeCase& c : cases) {
    field->SetText(L"1");
    ::SendMessageW(field->Editor(), EM_SETSEL, 1, 1);
    changes.clear();
    beeps = 0;
    ::SendMessageW(field->Editor(), WM_CHAR, WPARAM(c.character), 1);
    EXPECT_EQ(beeps, c.taken ? 0 : 1) << "character " << int(c.character);
    EXPECT_EQ(changes.size(), c.taken ? 1u : 0u) << "character " << int(c.character);
  }
}

TEST_F(IntegerField, TypingRunsTheHandlerAtEveryCharacter) {
  ::SetFocus(field->Editor());
  ::SendMessageW(field->Editor(), EM_SETSEL, 0, -1);
  Type(field->Editor(), L"65535");
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"6", L"65", L"655", L"6553", L"65535"}));
  EXPECT_EQ(field->Value(), 65535);
}

struct StepCase {
  std::int32_t min, max;
  const wchar_t* text;
  UINT key;
  const wchar_t* after;  // nullptr: no change and no handler
};

TEST_F(IntegerField, UpAndDownStepWithinTheRangeOrWrap) {
  const StepCase cases[] = {
      {0, 0, L"5", VK_UP, L"6"},         {0, 0, L"5", VK_DOWN, L"4"},      {0, 0, L"2147483647", VK_UP, L"-2147483648"},
      {0, 0, L"abc", VK_UP, L"1"},       {1, 256, L"256", VK_UP, nullptr}, {1, 256, L"1", VK_DOWN, nullptr},
      {1, 256, L"300", VK_DOWN, L"256"}, {1, 256, L"", VK_UP, L"2"},
  };
  for (const StepCase& c : cases) {
    field->SetRange(c.min, c.max);
    field->SetText(c.text);
    changes.clear();
    ::SendMessageW(field->Editor(), WM_KEYDOWN, c.key, 1);
    if (c.after) {
      EXPECT_EQ(changes, std::vector<std::wstring>{c.after});
    } else {
      EXPECT_TRUE(changes.empty());
      EXPECT_EQ(field->Text(), c.text);
    }
  }
}

TEST_F(IntegerField, SetValueClampsAndReportsOnlyAChange) {
  field->SetRange(1, 256);
  field->SetText(L"1");
  field->SetValue(300);
  field->SetValue(256);
  field->SetValue(0);
  field->SetValue(1);
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"256", L"1"}));
}

TEST_F(IntegerField, LeavingForAnotherControlClampsATypedNumber) {
  field->SetRange(1, 256);
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"300", L"256"}, {L"0", L"1"}, {L"-7", L"1"}, {L"abc", L"abc"}, {L"17", L"17"}};
  for (const auto& [typed, left] : cases) {
    ::SetFocus(field->Editor());
    field->SetText(typed);
    ::SetFocus(host.other);
    EXPECT_EQ(field->Text(), left) << "typed " << std::string(typed, typed + wcslen(typed));
  }
}

TEST_F(IntegerField, ButtonsStepOnReleaseAndRepeatWhileHeld) {
  RECT client;
  ::GetClientRect(field->Handle(), &client);
  const LPARAM up = MAKELPARAM(client.right - 5, 5);
  const LPARAM down = MAKELPARAM(client.right - 5, client.bottom - 5);
  ::SendMessageW(field->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, up);
  EXPECT_EQ(::GetFocus(), field->Editor()) << "pressing a button focuses the field";
  ::SendMessageW(field->Handle(), WM_LBUTTONUP, 0, up);
  EXPECT_EQ(field->Text(), L"1");
  // Held: each tick of the repeat steps, while the pointer is over the button.
  ::SendMessageW(field->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, down);
  ::SendMessageW(field->Handle(), WM_TIMER, 1, 0);
  ::SendMessageW(field->Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(field->Text(), L"-1");
  ::SendMessageW(field->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(field->Handle(), WM_TIMER, 1, 0);
  ::SendMessageW(field->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(field->Text(), L"-1") << "off the button: no repeat and no step on release";
}

class Grid : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = new TDrawGrid(host.hwnd);
    ::SetWindowPos(grid->Handle(), nullptr, 8, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    quarvel::ClearLevelSet(set);
    grid->SetOnSelectCell([this](TDrawGrid*, int ACol, int ARow, bool&) {
      moves.push_back({ACol, ARow});
      quarvel::WriteCell(set, 0, ACol, ARow, brush);
    });
    grid->SetOnCellName([this](int ACol, int ARow) {
      return std::string(quarvel::kTiles[quarvel::ReadCell(set, 0, ACol, ARow)].Label);
    });
    grid->SetOnDrawCell(
        [this](TDrawGrid*, int ACol, int ARow, const quarvel::PixelRect& Rect, TGridDrawState,
               quarvel::Picture& Canvas) { quarvel::DrawTile(Canvas, Rect, quarvel::ReadCell(set, 0, ACol, ARow)); });
    ::SetFocus(grid->Handle());
  }
  void TearDown() override {
    SetCtrl(false);
    delete grid;
  }
  // Moves the current cell by keys from column 0, row 0 to (col, row), recording nothing.
  void Start(int col, int row) {
    for (int i = 0; i < col; ++i) ::SendMessageW(grid->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    for (int i = 0; i < row; ++i) ::SendMessageW(grid->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    moves.clear();
  }
  static LPARAM At(int col, int row) { return MAKELPARAM(2 + col * 21 + 10, 2 + row * 21 + 10); }

  Host host;
  TDrawGrid* grid = nullptr;
  quarvel::LevelSet set;
  quarvel::TileCode brush = quarvel::RedBlock;
  std::vector<std::pair<int, int>> moves;
};

struct KeyCase {
  int col, row;
  UINT key;
  bool ctrl;
  int toCol, toRow;  // where the current cell ends; a move only when it differs
};

TEST_F(Grid, KeysMoveTheCurrentCell) {
  const KeyCase cases[] = {
      {0, 0, VK_LEFT, false, 0, 0},   {0, 0, VK_RIGHT, false, 1, 0}, {5, 3, VK_UP, false, 5, 2},
      {5, 3, VK_DOWN, false, 5, 4},   {5, 3, VK_HOME, false, 0, 3},  {5, 3, VK_END, false, 10, 3},
      {5, 3, VK_PRIOR, false, 5, 0},  {5, 3, VK_NEXT, false, 5, 12}, {5, 12, VK_NEXT, false, 5, 12},
      {5, 3, VK_HOME, true, 0, 0},    {5, 3, VK_END, true, 10, 12},  {5, 3, VK_LEFT, true, 0, 3},
      {5, 3, VK_RIGHT, true, 10, 3},  {5, 3, VK_UP, true, 5, 3},     {5, 3, VK_DOWN, true, 5, 3},
      {5, 3, VK_RETURN, false, 5, 3}, {5, 3, VK_F2, false, 5, 3},
  };
  for (const KeyCase& c : cases) {
    SetCtrl(false);
    Start(c.col, c.row);
    SetCtrl(c.ctrl);
    ::SendMessageW(grid->Handle(), WM_KEYDOWN, c.key, 1);
    SetCtrl(false);
    EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(c.toCol, c.toRow)) << "key " << c.key;
    const bool moved = c.toCol != c.col || c.toRow != c.row;
    EXPECT_EQ(moves.size(), moved ? 1u : 0u) << "key " << c.key;
    // Back to the corner for the next case.
    SetCtrl(true);
    ::SendMessageW(grid->Handle(), WM_KEYDOWN, VK_HOME, 1);
    SetCtrl(false);
  }
}

TEST_F(Grid, APressPaintsEvenTheCurrentCellAndADoubleClickDoesNot) {
  ::SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(0, 0));
  ::SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, At(0, 0));
  ::SendMessageW(grid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(0, 0));
  ::SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, At(0, 0));
  ::SendMessageW(grid->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(3, 3));
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(quarvel::ReadCell(set, 0, 0, 0), quarvel::RedBlock);
}

TEST_F(Grid, ADragPaintsEachCellItCrosses) {
  ::SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 5));
  for (int col : {3, 4, 5, 6, 4}) ::SendMessageW(grid->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(col, 5));
  ::SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, At(4, 5));
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {4, 5}}));
  EXPECT_FALSE(grid->IsDragging());
}

TEST_F(Grid, TheWheelStepsRowsByWholeNotches) {
  Start(4, 10);
  for (int turn : {-120, -120, -120, 60, 60, 60}) ::SendMessageW(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, turn), 0);
  // Down three notches from row 10: rows 11 and 12, then nothing; up half, half: row 11.
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{4, 11}, {4, 12}, {4, 11}}));
}

TEST_F(Grid, ItsPixelsAreTheCoresGridPictureInEveryCellState) {
  brush = quarvel::CannonUp;
  ::SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 4));
  ::SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, At(3, 4));
  brush = quarvel::BlueBlock;
  ::SendMessageW(grid->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  const quarvel::GridLayout layout = grid->CurrentLayout();
  // Focused: the focus mark inverted over the picture.
  EXPECT_EQ(grid->Compose(),
            quarvel::GridPicture(set, 0, SystemGridColours(), layout, quarvel::CurrentCell{4, 4, true}));
  // Another control of the window takes the focus: the current cell in the highlight colour.
  ::SetFocus(host.other);
  EXPECT_FALSE(grid->IsActiveControl());
  EXPECT_EQ(grid->Compose(),
            quarvel::GridPicture(set, 0, SystemGridColours(), layout, quarvel::CurrentCell{4, 4, false}));
}

TEST_F(Grid, AMoveRepaintsOnlyTheCellsItLeavesAndEnters) {
  std::vector<std::pair<int, int>> drawn;
  grid->SetOnDrawCell(
      [&](TDrawGrid*, int ACol, int ARow, const quarvel::PixelRect&, TGridDrawState, quarvel::Picture&) {
        drawn.push_back({ACol, ARow});
      });
  ::UpdateWindow(grid->Handle());
  const std::pair<UINT, std::vector<std::pair<int, int>>> cases[] = {{VK_RIGHT, {{0, 0}, {1, 0}}},
                                                                     {VK_DOWN, {{1, 0}, {1, 1}}}};
  for (const auto& [key, cells] : cases) {
    drawn.clear();
    ::SendMessageW(grid->Handle(), WM_KEYDOWN, key, 1);
    ::UpdateWindow(grid->Handle());
    std::ranges::sort(drawn);
    EXPECT_EQ(drawn, cells) << "key " << key;
  }
  drawn.clear();
  grid->RepaintAll();
  EXPECT_EQ(drawn.size(), std::size_t(quarvel::kColumns * quarvel::kRows));
}

struct CellCase {
  int col, row;
  const wchar_t* name;
  const wchar_t* description;
  bool selected, focused;
};

// What a screen reader reads through the grid's accessible object. Wine cannot hand it
// over through the window (WM_GETOBJECT's LresultFromObject): it has no type library to
// marshal IAccessible with. So it is asked directly, as Windows hands it to a reader.
TEST_F(Grid, ScreenReadersReadItsCells) {
  brush = quarvel::CannonUp;
  ::SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 4));
  ::SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, At(3, 4));
  IAccessible* table = grid->Accessible();
  auto child = [](long id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
  };
  auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long id) {
    BSTR value = nullptr;
    (table->*get)(child(id), &value);
    std::wstring result = value ? value : L"";
    ::SysFreeString(value);
    return result;
  };
  auto state = [&](long id) {
    VARIANT v;
    table->get_accState(child(id), &v);
    return v.lVal;
  };
  long count = 0;
  table->get_accChildCount(&count);
  EXPECT_EQ(count, 143);
  VARIANT role;
  table->get_accRole(child(CHILDID_SELF), &role);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_TABLE);
  table->get_accRole(child(1), &role);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_CELL);
  EXPECT_EQ(text(&IAccessible::get_accName, CHILDID_SELF), L"Level grid");

  const CellCase focused[] = {{3, 4, L"Cannon up", L"Column 4, row 5", true, true},
                              {0, 0, L"Empty", L"Column 1, row 1", false, false},
                              {10, 12, L"Empty", L"Column 11, row 13", false, false}};
  const CellCase unfocused[] = {{3, 4, L"Cannon up", L"Column 4, row 5", true, false}};
  for (const auto& [cases, grid_has_focus] :
       {std::pair{std::span<const CellCase>(focused), true}, std::pair{std::span<const CellCase>(unfocused), false}}) {
    if (!grid_has_focus) ::SetFocus(host.other);
    for (const CellCase& c : cases) {
      const long id = 1 + c.col + 11 * c.row;
      EXPECT_EQ(text(&IAccessible::get_accName, id), c.name) << id;
      EXPECT_EQ(text(&IAccessible::get_accDescription, id), c.description) << id;
      EXPECT_EQ((state(id) & STATE_SYSTEM_SELECTED) != 0, c.selected) << id;
      EXPECT_EQ((state(id) & STATE_SYSTEM_FOCUSED) != 0, c.focused) << id;
    }
    VARIANT focus;
    table->get_accFocus(&focus);
    EXPECT_EQ(focus.vt == VT_I4 ? focus.lVal : 0, grid_has_focus ? 1 + 3 + 11 * 4 : 0);
  }

  // The cell's square on the screen, and the cell found at a point of it.
  const quarvel::PixelRect cell = grid->CurrentLayout().geometry.Cell(3, 4);
  POINT corner{cell.X, cell.Y};
  ::ClientToScreen(grid->Handle(), &corner);
  long left = 0, top = 0, width = 0, height = 0;
  table->accLocation(&left, &top, &width, &height, child(48));
  EXPECT_EQ(std::vector<long>({left, top, width, height}), std::vector<long>({corner.x, corner.y, 20, 20}));
  VARIANT hit;
  table->accHitTest(corner.x + 5, corner.y + 5, &hit);
  EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, 48);
  // From cell to cell as the arrows go, and not past the edge.
  VARIANT next;
  EXPECT_EQ(table->accNavigate(NAVDIR_DOWN, child(48), &next), S_OK);
  EXPECT_EQ(next.lVal, 59);
  EXPECT_EQ(table->accNavigate(NAVDIR_RIGHT, child(11), &next), S_FALSE) << "column 11 is the last";
  table->Release();
}

}  // namespace
