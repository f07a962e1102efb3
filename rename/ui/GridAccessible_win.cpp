#include "ui/GridAccessible_win.h"

#include <oleacc.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "base/Texts.h"
#include "ui/AccessibleName_win.h"
#include "ui/Grid_win.h"

namespace rn {

namespace {

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  *out = text.empty() ? nullptr : SysAllocString(text.c_str());
  if (text.empty()) return S_FALSE;
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* v, long child) {
  v->vt = VT_I4;
  v->lVal = child;
}

// The selected rows of a multiple selection, as get_accSelection hands them out.
class ChildEnumerator final : public Counted<IEnumVARIANT> {
 public:
  ChildEnumerator(std::vector<long> children, size_t next) : children_(std::move(children)), next_(next) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IEnumVARIANT) return E_NOINTERFACE;
    *out = static_cast<IEnumVARIANT*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (!out) return E_POINTER;
    ULONG n = 0;
    for (; n < count && next_ < children_.size(); ++n) SetChild(&out[n], children_[next_++]);
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ = std::min(children_.size(), next_ + count);
    return next_ < children_.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    return ComGuarded([&] {
      *out = new ChildEnumerator(children_, next_);
      return S_OK;
    });
  }

 private:
  std::vector<long> children_;
  size_t next_;
};

// The grid's object. Children are numbered from 1 (row 0) on; every answer is
// read from the grid at the time it is asked.
class GridAccessible final : public Counted<IAccessible> {
 public:
  explicit GridAccessible(std::shared_ptr<GridAccessLink> link) : link_(std::move(link)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != __uuidof(IAccessible)) return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }

  // IDispatch: the object is read through IAccessible only.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    HWND grid = Grid();
    if (!grid) return RPC_E_DISCONNECTED;
    return AccessibleObjectFromWindow(grid, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    HWND grid = Grid();
    if (!grid) return RPC_E_DISCONNECTED;
    *count = Entries(grid);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Ask(child, [](HWND, int) { return S_FALSE; });  // rows are simple elements
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    return Ask(child, [&](HWND grid, int row) {
      if (row < 0) return ReturnText(Text(TextId::StringGrid1Name), name);
      return ReturnText(GridList(grid)->Row(row).FullPath(), name);
    });
  }
  // The new name is the row's value, the reason it is marked its description.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return PreviewText(child, value, &GridPreviewCell::text);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return PreviewText(child, text, &GridPreviewCell::hint);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    VariantInit(role);
    return Ask(child, [&](HWND, int row) {
      SetChild(role, row < 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    VariantInit(state);
    return Ask(child, [&](HWND grid, int row) {
      const bool focused = GetFocus() == grid;
      long s = STATE_SYSTEM_FOCUSABLE;
      if (row < 0) {
        s |= STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE;
        if (focused) s |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowVisible(grid)) s |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(grid)) s |= STATE_SYSTEM_UNAVAILABLE;
      } else {
        int first = 0, last = 0;
        GridGetSelection(grid, first, last);
        s |= STATE_SYSTEM_SELECTABLE;
        if (row >= first && row <= last) s |= STATE_SYSTEM_SELECTED;
        if (focused && row == GridCurrentRow(grid)) s |= STATE_SYSTEM_FOCUSED;
        if (GridList(grid)->Row(row).checked) s |= STATE_SYSTEM_CHECKED;
        const int top = GridTopRow(grid);
        if (row < top || row >= top + GridVisibleRows(grid)) s |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
      }
      SetChild(state, s);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return Nothing(help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic) *topic = 0;
    return Nothing(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override { return Nothing(keys); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override { return Nothing(action); }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    if (!child) return E_POINTER;
    VariantInit(child);
    HWND grid = Grid();
    if (!grid) return RPC_E_DISCONNECTED;
    if (GetFocus() != grid) return S_FALSE;
    SetChild(child, Entries(grid) > 0 ? GridCurrentRow(grid) + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    if (!children) return E_POINTER;
    VariantInit(children);
    HWND grid = Grid();
    if (!grid) return RPC_E_DISCONNECTED;
    if (Entries(grid) == 0) return S_FALSE;
    int first = 0, last = 0;
    GridGetSelection(grid, first, last);
    if (first == last) {
      SetChild(children, first + 1);
      return S_OK;
    }
    return ComGuarded([&] {
      std::vector<long> rows;
      for (int r = first; r <= last; ++r) rows.push_back(r + 1);
      children->vt = VT_UNKNOWN;
      children->punkVal = new ChildEnumerator(std::move(rows), 0);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    if (!x || !y || !w || !h) return E_POINTER;
    *x = *y = *w = *h = 0;
    return Ask(child, [&](HWND grid, int row) {
      RECT r{};
      GetClientRect(grid, &r);
      if (row >= 0) {
        RECT cell{};
        GridCellRect(grid, ColCheckMark, row, cell);
        if (IsRectEmpty(&cell)) GridCellRect(grid, ColShortPath, row, cell);
        r.top = cell.top;
        r.bottom = cell.bottom;
      }
      MapWindowPoints(grid, nullptr, reinterpret_cast<POINT*>(&r), 2);
      *x = r.left, *y = r.top, *w = r.right - r.left, *h = r.bottom - r.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    VariantInit(end);
    return Ask(start, [&](HWND grid, int row) {
      const int entries = Entries(grid);
      int to = -1;
      if (row < 0 && direction == NAVDIR_FIRSTCHILD) to = 0;
      if (row < 0 && direction == NAVDIR_LASTCHILD) to = entries - 1;
      if (row >= 0 && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)) to = row + 1;
      if (row >= 0 && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)) to = row - 1;
      if (to < 0 || to >= entries) return S_FALSE;
      SetChild(end, to + 1);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    if (!child) return E_POINTER;
    VariantInit(child);
    HWND grid = Grid();
    if (!grid) return RPC_E_DISCONNECTED;
    POINT pt{x, y};
    ScreenToClient(grid, &pt);
    RECT client{};
    GetClientRect(grid, &client);
    if (!PtInRect(&client, pt)) return S_FALSE;
    int col = -1, row = -1;
    const bool onRow = GridHitTest(grid, pt, col, row) && row < Entries(grid);
    SetChild(child, onRow ? row + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  // The grid while this object is current; nothing once it went stale.
  HWND Grid() const { return link_->grid && IsWindow(link_->grid) && GridList(link_->grid) ? link_->grid : nullptr; }
  static int Entries(HWND grid) { return GridList(grid)->EntryCount(); }

  static HRESULT Nothing(BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT PreviewText(const VARIANT& child, BSTR* out, std::wstring GridPreviewCell::*field) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Ask(child, [&](HWND grid, int row) {
      if (row < 0) return S_FALSE;
      const GridPreviewCell cell = GridPreview(grid, row);
      return ReturnText(cell.look == PreviewLook::Blank ? std::wstring() : cell.*field, out);
    });
  }

  // Runs `answer` for the object itself (row -1) or for a row of the list.
  template <class Answer>
  HRESULT Ask(const VARIANT& child, Answer&& answer) {
    return ComGuarded([&]() -> HRESULT {
      HWND grid = Grid();
      if (!grid) return RPC_E_DISCONNECTED;
      if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > Entries(grid)) return E_INVALIDARG;
      return answer(grid, static_cast<int>(child.lVal) - 1);
    });
  }

  std::shared_ptr<GridAccessLink> link_;
};

}  // namespace

LRESULT GridAccessibleResult(const std::shared_ptr<GridAccessLink>& link, WPARAM wp) {
  auto* object = new (std::nothrow) GridAccessible(link);
  if (!object) return 0;
  const LRESULT result = HandOverAccessible(static_cast<IAccessible*>(object), wp);
  object->Release();
  return result;
}

}  // namespace rn
