#include "win32/GridAccessible.h"

#include <string>

#include "editor/EditorTexts.h"
#include "win32/Text.h"

namespace {

constexpr long kSelf = CHILDID_SELF;

// The accessibility libraries load at the first question of a screen reader, not at the
// program's start; once loaded they stay for the run.
template <typename Function>
Function LibraryFunction(const wchar_t* library, const char* name) {
  const HMODULE module = ::LoadLibraryW(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

void ClearVariant(VARIANT* v) {
  *v = VARIANT{};
  v->vt = VT_EMPTY;
}

VARIANT ChildVariant(long id) {
  VARIANT v;
  ClearVariant(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  using AllocString = BSTR(WINAPI*)(const OLECHAR*);
  static const AllocString allocString = LibraryFunction<AllocString>(L"oleaut32.dll", "SysAllocString");
  if (!out) return E_INVALIDARG;
  *out = text.empty() || !allocString ? nullptr : allocString(text.c_str());
  return *out ? S_OK : S_FALSE;
}

}  // namespace

LRESULT TGridAccessible::HandOver(IAccessible* accessible, WPARAM wParam) {
  using ResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static const ResultFromObject resultFromObject =
      LibraryFunction<ResultFromObject>(L"oleacc.dll", "LresultFromObject");
  return resultFromObject ? resultFromObject(__uuidof(IAccessible), wParam, accessible) : 0;
}

TGridAccessible::TGridAccessible(const TGridView& grid) : grid_(&grid) {}

TGridAccessible::~TGridAccessible() {
  if (standard_) standard_->Release();
}

void TGridAccessible::Disconnect() {
  grid_ = nullptr;
  if (standard_) standard_->Release();
  standard_ = nullptr;
}

long TGridAccessible::Id(const VARIANT& child) {
  if (child.vt != VT_I4) return -1;
  return child.lVal >= 0 && child.lVal <= kCellCount ? child.lVal : -1;
}

IAccessible* TGridAccessible::Standard() {
  using CreateStandard = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  static const CreateStandard createStandard =
      LibraryFunction<CreateStandard>(L"oleacc.dll", "CreateStdAccessibleObject");
  if (!standard_ && grid_ && createStandard)
    createStandard(grid_->GridWindow(), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard_));
  return standard_;
}

HRESULT TGridAccessible::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TGridAccessible::AddRef() { return ULONG(::InterlockedIncrement(&references_)); }

ULONG TGridAccessible::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return ULONG(left);
}

HRESULT TGridAccessible::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return count ? S_OK : E_POINTER;
}
HRESULT TGridAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT TGridAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT TGridAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

HRESULT TGridAccessible::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!grid_) return E_FAIL;
  IAccessible* standard = Standard();
  return standard ? standard->get_accParent(parent) : S_FALSE;
}

HRESULT TGridAccessible::get_accChildCount(long* count) {
  if (!count) return E_POINTER;
  if (!grid_) return E_FAIL;
  *count = kCellCount;
  return S_OK;
}

HRESULT TGridAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
  if (!dispatch) return E_POINTER;
  *dispatch = nullptr;
  if (!grid_) return E_FAIL;
  // The cells are simple elements of the table, not objects of their own.
  return Id(child) > 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT TGridAccessible::get_accName(VARIANT child, BSTR* name) {
  if (!grid_) return E_FAIL;
  const long id = Id(child);
  if (id < 0) return E_INVALIDARG;
  if (id == kSelf) return Text(win32::Widen(quarvel::kGridName), name);
  return Text(win32::Widen(grid_->CellName(CellOf(id))), name);
}

HRESULT TGridAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (value) *value = nullptr;
  return grid_ ? (Id(child) < 0 ? E_INVALIDARG : S_FALSE) : E_FAIL;
}

HRESULT TGridAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (!grid_) return E_FAIL;
  const long id = Id(child);
  if (id < 0) return E_INVALIDARG;
  if (id == kSelf) return Text(L"", description);
  return Text(win32::Widen(quarvel::CellPlace(CellOf(id))), description);
}

HRESULT TGridAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  if (!grid_) return E_FAIL;
  const long id = Id(child);
  if (id < 0) return E_INVALIDARG;
  *role = ChildVariant(id == kSelf ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL);
  return S_OK;
}

HRESULT TGridAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  if (!grid_) return E_FAIL;
  const long id = Id(child);
  if (id < 0) return E_INVALIDARG;
  const bool focused = ::GetFocus() == grid_->GridWindow();
  long bits = STATE_SYSTEM_FOCUSABLE;
  if (id == kSelf) {
    if (focused) bits |= STATE_SYSTEM_FOCUSED;
  } else {
    bits |= STATE_SYSTEM_SELECTABLE;
    if (id == ChildId(grid_->CurrentCell())) bits |= STATE_SYSTEM_SELECTED | (focused ? STATE_SYSTEM_FOCUSED : 0);
  }
  *state = ChildVariant(bits);
  return S_OK;
}

HRESULT TGridAccessible::get_accHelp(VARIANT, BSTR* help) {
  if (help) *help = nullptr;
  return grid_ ? S_FALSE : E_FAIL;
}
HRESULT TGridAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (file) *file = nullptr;
  if (topic) *topic = -1;
  return grid_ ? S_FALSE : E_FAIL;
}
HRESULT TGridAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
  if (shortcut) *shortcut = nullptr;
  return grid_ ? S_FALSE : E_FAIL;
}

HRESULT TGridAccessible::get_accFocus(VARIANT* child) {
  if (!child) return E_POINTER;
  ClearVariant(child);
  if (!grid_) return E_FAIL;
  if (::GetFocus() != grid_->GridWindow()) return S_FALSE;
  *child = ChildVariant(ChildId(grid_->CurrentCell()));
  return S_OK;
}

HRESULT TGridAccessible::get_accSelection(VARIANT* children) {
  if (!children) return E_POINTER;
  ClearVariant(children);
  if (!grid_) return E_FAIL;
  *children = ChildVariant(ChildId(grid_->CurrentCell()));
  return S_OK;
}

HRESULT TGridAccessible::get_accDefaultAction(VARIANT, BSTR* action) {
  if (action) *action = nullptr;
  return grid_ ? S_FALSE : E_FAIL;
}

// Selecting a cell would paint it: not done for a screen reader.
HRESULT TGridAccessible::accSelect(long, VARIANT) { return grid_ ? E_NOTIMPL : E_FAIL; }

HRESULT TGridAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  if (!grid_) return E_FAIL;
  const long id = Id(child);
  if (id < 0) return E_INVALIDARG;
  RECT r;
  if (id == kSelf) {
    ::GetClientRect(grid_->GridWindow(), &r);
  } else {
    r = grid_->CellRect(CellOf(id));
  }
  ::MapWindowPoints(grid_->GridWindow(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  return S_OK;
}

HRESULT TGridAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  ClearVariant(end);
  if (!grid_) return E_FAIL;
  const long id = Id(start);
  if (id < 0) return E_INVALIDARG;
  long to = 0;
  if (id == kSelf) {
    if (direction == NAVDIR_FIRSTCHILD) to = 1;
    if (direction == NAVDIR_LASTCHILD) to = kCellCount;
    if (to == 0) {
      IAccessible* standard = Standard();
      return standard ? standard->accNavigate(direction, start, end) : S_FALSE;
    }
  } else {
    // Next and previous go through the cells in their order; the arrows to the neighbour.
    constexpr std::pair<long, quarvel::TGridDirection> kArrows[] = {{NAVDIR_LEFT, quarvel::TGridDirection::Left},
                                                                    {NAVDIR_RIGHT, quarvel::TGridDirection::Right},
                                                                    {NAVDIR_UP, quarvel::TGridDirection::Up},
                                                                    {NAVDIR_DOWN, quarvel::TGridDirection::Down}};
    if (direction == NAVDIR_NEXT && id < kCellCount) to = id + 1;
    if (direction == NAVDIR_PREVIOUS && id > 1) to = id - 1;
    for (const auto& [arrow, towards] : kArrows) {
      if (arrow != direction) continue;
      if (const std::optional<quarvel::TGridCell> next = quarvel::Neighbour(CellOf(id), towards)) to = ChildId(*next);
    }
  }
  if (to == 0) return S_FALSE;
  *end = ChildVariant(to);
  return S_OK;
}

HRESULT TGridAccessible::accHitTest(long left, long top, VARIANT* child) {
  if (!child) return E_POINTER;
  ClearVariant(child);
  if (!grid_) return E_FAIL;
  POINT point{left, top};
  ::ScreenToClient(grid_->GridWindow(), &point);
  RECT client;
  ::GetClientRect(grid_->GridWindow(), &client);
  if (!::PtInRect(&client, point)) return S_FALSE;
  const std::optional<quarvel::TGridCell> cell = grid_->CellAt(point);
  *child = ChildVariant(cell ? ChildId(*cell) : kSelf);
  return S_OK;
}

HRESULT TGridAccessible::accDoDefaultAction(VARIANT) { return grid_ ? DISP_E_MEMBERNOTFOUND : E_FAIL; }
HRESULT TGridAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT TGridAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
