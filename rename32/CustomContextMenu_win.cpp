#include "rename32/CustomContextMenu_win.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>

namespace rn {

std::atomic<long>& ModuleCount() {
  static std::atomic<long> count{0};
  return count;
}

TCustomContextMenu::TCustomContextMenu(IUnknown* outer) : controller_(outer ? outer : &inner_) { ++ModuleCount(); }

TCustomContextMenu::~TCustomContextMenu() { --ModuleCount(); }

STDMETHODIMP TCustomContextMenu::InnerUnknown::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  // The object's own IUnknown is this one (an aggregating object holds it);
  // the others come from the system's table helper, which counts them
  // through the interface handed out: when aggregated, the outer object.
  if (iid == IID_IUnknown) {
    *out = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  static const QITAB kInterfaces[] = {QITABENT(TCustomContextMenu, IShellExtInit),
                                      QITABENT(TCustomContextMenu, IContextMenu), {}};
  return QISearch(self, kInterfaces, iid, out);
}

STDMETHODIMP_(ULONG) TCustomContextMenu::InnerUnknown::AddRef() { return ++self->refs_; }

STDMETHODIMP_(ULONG) TCustomContextMenu::InnerUnknown::Release() {
  const ULONG left = --self->refs_;
  if (left == 0) delete self;
  return left;
}

STDMETHODIMP TCustomContextMenu::QueryInterface(REFIID iid, void** out) {
  return controller_->QueryInterface(iid, out);
}
STDMETHODIMP_(ULONG) TCustomContextMenu::AddRef() { return controller_->AddRef(); }
STDMETHODIMP_(ULONG) TCustomContextMenu::Release() { return controller_->Release(); }

STDMETHODIMP TCustomContextMenu::Initialize(PCIDLIST_ABSOLUTE, IDataObject* dataObject, HKEY) {
  if (!dataObject) return E_INVALIDARG;
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  const HRESULT got = dataObject->GetData(&format, &medium);
  if (FAILED(got)) return got;
  // The medium is released whatever happens while the names are read.
  const HRESULT result = Guarded([&] {
    // A handler initialised again describes the new selection only.
    paths.clear();
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      // No fixed buffer: long paths arrive whole.
      const UINT length = DragQueryFileW(drop, i, nullptr, 0);
      if (length == 0) continue;  // not an item (an empty list reads as one empty name on some systems)
      std::wstring path(length, L'\0');
      if (DragQueryFileW(drop, i, path.data(), length + 1) != length) return E_FAIL;
      paths.push_back(std::move(path));
    }
    return paths.empty() ? E_FAIL : S_OK;
  });
  ReleaseStgMedium(&medium);
  return result;
}

STDMETHODIMP TCustomContextMenu::QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                                  UINT flags) {
  const UINT low = flags & (CMF_DEFAULTONLY | CMF_VERBSONLY | CMF_EXPLORE | CMF_NOVERBS);
  const bool add = (flags != 0 && low == 0) || (flags & CMF_EXPLORE);
  if (!add) return E_FAIL;
  return Guarded([&] {
    const UINT used = AddMenuItems(menu, indexMenu, idCmdFirst, idCmdLast);
    return used == 0 ? E_FAIL : MAKE_HRESULT(SEVERITY_SUCCESS, 0, used);
  });
}

STDMETHODIMP TCustomContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  if (!info) return E_INVALIDARG;
  // A command named by a verb string rather than by its offset.
  // A verb string is a pointer; a command number fits the low word. HIWORD
  // of a 64-bit pointer looks at bits 16 to 31 only.
  if (!IS_INTRESOURCE(info->lpVerb)) return E_FAIL;
  return Guarded([&] { return ExecuteCommand(LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb))); });
}

STDMETHODIMP TCustomContextMenu::GetCommandString(UINT_PTR idCmd, UINT type, UINT*, CHAR* buffer, UINT cchMax) {
  return Guarded([&] {
    const wchar_t* text = nullptr;
    switch (type) {
      case GCS_VERBA:
      case GCS_VERBW: text = GetVerb(static_cast<UINT>(idCmd)); break;
      case GCS_HELPTEXTA:
      case GCS_HELPTEXTW: text = GetHelpText(static_cast<UINT>(idCmd)); break;
      default: return S_OK;
    }
    if (!buffer) return E_INVALIDARG;
    if (cchMax == 0) return S_OK;
    // The text and its null within cchMax characters; the 8-bit forms are plain ASCII.
    const size_t n = std::min<size_t>(std::wcslen(text), cchMax - 1);
    if (type & GCS_UNICODE) {
      auto* wide = reinterpret_cast<wchar_t*>(buffer);
      std::copy_n(text, n, wide);
      wide[n] = L'\0';
    } else {
      for (size_t i = 0; i < n; ++i) buffer[i] = static_cast<char>(text[i]);
      buffer[n] = '\0';
    }
    return S_OK;
  });
}

}  // namespace rn
