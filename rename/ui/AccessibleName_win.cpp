#include "ui/AccessibleName_win.h"

#include <oleacc.h>

#include <new>
#include <string>

#include "ui/Controls_win.h"
#include "ui/Form_win.h"

namespace rn {

namespace {

// The system's accessible object of a control with a name of our own; every
// other question goes to the system's object unchanged.
class NamedAccessible final : public Counted<IAccessible> {
 public:
  NamedAccessible(IAccessible* standard, TextId name, HWND label) : standard_(standard), name_(name), label_(label) {
    standard_->AddRef();
  }

  // IUnknown. Interfaces other than these (the children's enumerator, the
  // window) are the system object's own.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_->QueryInterface(iid, out);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* error, UINT* argError) override {
    return standard_->Invoke(id, iid, lcid, flags, params, result, error, argError);
  }

  // IAccessible: the name is ours, the rest the system's.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_POINTER;
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return standard_->get_accName(child, name);
    return ComGuarded([&] {
      *name = nullptr;
      const std::wstring text = label_ ? LabelName(WindowText(label_)) : Text(name_);
      *name = SysAllocString(text.c_str());
      return *name ? S_OK : E_OUTOFMEMORY;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return standard_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    return standard_->accLocation(x, y, w, h, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() override { standard_->Release(); }

  static std::wstring LabelName(const std::wstring& caption) {
    const size_t first = caption.find_first_not_of(L" <.");
    if (first == std::wstring::npos) return {};
    return caption.substr(first, caption.find_last_not_of(L" .") + 1 - first);
  }

  IAccessible* standard_;
  TextId name_;
  HWND label_;  // read when asked; a label gone reads as no text
};

}  // namespace

LRESULT HandOverAccessible(IAccessible* object, WPARAM wp) {
  // Once per thread, never undone: objects handed out may be used until the thread ends.
  thread_local const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)com;
  return LresultFromObject(__uuidof(IAccessible), wp, object);
}

namespace {

LRESULT AnswerGetObject(HWND control, UINT msg, WPARAM wp, LPARAM lp, TextId name, HWND label) {
  if (msg != WM_GETOBJECT || static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT)
    return CallControl(control, msg, wp, lp);
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard))) ||
      !standard)
    return CallControl(control, msg, wp, lp);
  auto* named = new (std::nothrow) NamedAccessible(standard, name, label);
  standard->Release();
  if (!named) return CallControl(control, msg, wp, lp);
  const LRESULT result = HandOverAccessible(named, wp);
  named->Release();
  return result;
}

LRESULT NameHook(HWND control, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR name) {
  return AnswerGetObject(control, msg, wp, lp, static_cast<TextId>(name), nullptr);
}

LRESULT LabelHook(HWND control, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR label) {
  return AnswerGetObject(control, msg, wp, lp, TextId::Count, reinterpret_cast<HWND>(label));
}

}  // namespace

void SetAccessibleName(HWND control, TextId name) {
  if (control) HookControl(control, NameHook, static_cast<DWORD_PTR>(name));
}

void SetAccessibleNames(HWND parent, std::span<const ControlName> names) {
  for (const ControlName& n : names) SetAccessibleName(GetDlgItem(parent, n.id), n.name);
}

void SetAccessibleNameFromLabel(HWND control, HWND label) {
  if (control && label) HookControl(control, LabelHook, reinterpret_cast<DWORD_PTR>(label));
}

}  // namespace rn
