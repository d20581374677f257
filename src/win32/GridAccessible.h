#pragma once
// What screen readers are told about the level grid, through Active Accessibility (the grid
// answers WM_GETOBJECT with it): a table named after the grid, whose children are its cells
// in editor/GridCells.h's order, child id 1 + the cell's index. A cell is named after its
// tile ("Red block"), described by its place ("Column 3, row 6"), selected when it is the
// current cell, and focused when it is the current cell while the grid has the focus; its
// location is its square on the screen. It reads the grid through TGridView alone.

#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>

#include "editor/GridCells.h"
#include "win32/GridView.h"

class TGridAccessible final : public IAccessible {
 public:
  explicit TGridAccessible(const TGridView& grid);
  // The grid is going: every later question fails.
  void Disconnect();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: not offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  // The answer to WM_GETOBJECT that hands `accessible` to the asking program.
  static LRESULT HandOver(IAccessible* accessible, WPARAM wParam);

  static constexpr long kCellCount = quarvel::kGridCellCount;
  // The child id of a cell.
  static long ChildId(quarvel::TGridCell cell) { return 1 + quarvel::ChildIndex(cell); }

 private:
  ~TGridAccessible();
  // The child id that `child` names: 0 for the grid itself, 1 up for a cell, -1 for none.
  static long Id(const VARIANT& child);
  // The cell of a child id of a cell.
  static quarvel::TGridCell CellOf(long id) { return *quarvel::ChildCell(int(id - 1)); }
  IAccessible* Standard();  // the system's object for the grid's window, for its parent

  LONG references_ = 1;
  const TGridView* grid_;
  IAccessible* standard_ = nullptr;
};
