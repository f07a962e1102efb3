// The shell's side of a context-menu handler: IShellExtInit collects the
// selected paths, IContextMenu turns the shell's calls into four operations a
// concrete handler provides. Nothing thrown inside ever reaches the shell.
#pragma once
#include <windows.h>

#include <shlobj.h>

#include <atomic>
#include <new>
#include <string>
#include <vector>

namespace rn {

// The server's one count: live handler objects, IClassFactory::LockServer(TRUE)
// calls and references to the class factory. The DLL may go at 0.
std::atomic<long>& ModuleCount();

// Runs `body` and turns anything it throws into an HRESULT.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

class TCustomContextMenu : public IShellExtInit, public IContextMenu {
 public:
  // `outer` is the controlling object when this one is aggregated, else null.
  explicit TCustomContextMenu(IUnknown* outer);
  virtual ~TCustomContextMenu();
  TCustomContextMenu(const TCustomContextMenu&) = delete;
  TCustomContextMenu& operator=(const TCustomContextMenu&) = delete;

  // The object's own IUnknown: the one the creator (or the aggregating object) holds.
  IUnknown* Inner() { return &inner_; }

  // IUnknown, delegated to the controlling object.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* dataObject, HKEY progIdKey) override;
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT flags) override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved, CHAR* buffer, UINT cchMax) override;

 protected:
  // Inserts the handler's items at `position` with identifiers from firstId to
  // lastId and returns how many identifiers it used (0: none inserted).
  virtual UINT AddMenuItems(HMENU menu, UINT position, UINT firstId, UINT lastId) = 0;
  virtual const wchar_t* GetHelpText(UINT index) = 0;
  virtual const wchar_t* GetVerb(UINT index) = 0;
  virtual HRESULT ExecuteCommand(UINT index) = 0;

  // One full path per selected item, in the order the shell gave them.
  std::vector<std::wstring> paths;

 private:
  struct InnerUnknown : IUnknown {
    TCustomContextMenu* self;
    explicit InnerUnknown(TCustomContextMenu* s) : self(s) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
  };
  InnerUnknown inner_{this};
  IUnknown* controller_;
  std::atomic<ULONG> refs_{1};
};

}  // namespace rn
