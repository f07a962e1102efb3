#include "ui/Form_win.h"

#include <exception>
#include <unordered_map>
#include <vector>

#include "base/Texts.h"
#include "ui/MessageBox_win.h"

namespace rn {

void ShowCaughtError(HWND hwnd) {
  try {
    throw;
  } catch (const AppError& e) {
    ShowErrorBox(hwnd, e.text);
  } catch (const std::exception& e) {
    std::string what = e.what();
    ShowErrorBox(hwnd, std::wstring(what.begin(), what.end()));
  } catch (...) {
    ShowErrorBox(hwnd, Text(TextId::MsgUnexpectedError));
  }
}

namespace {

// The one window procedure of all forms: find the form, let it handle the
// message, and keep any error from crossing into the system.
LRESULT CALLBACK FormThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    auto* created = static_cast<Form*>(cs->lpCreateParams);
    created->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // The window is gone: the form forgets it, and a control's form goes too.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->hwnd = nullptr;
    if (form->deleteWithWindow) delete form;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return Guarded(hwnd, [&] { return form->Handle(msg, wp, lp); });
}

// A hooked control's procedure and its hooks, kept in the process: the
// system's subclassing asks the window server for its records at every
// message under Wine (a hundred times the message's own cost), and a
// control receives dozens of messages each time it is drawn.
struct Hook {
  ControlHook hook;
  DWORD_PTR data;
};
struct HookChain {
  WNDPROC original = nullptr;
  std::vector<Hook> hooks;  // in the order added: the last added runs first
};
// A window's messages run on the thread that made it: each thread keeps its own.
thread_local std::unordered_map<HWND, HookChain> chains;
// The hooks running now, innermost last: where CallControl goes on from.
struct Running {
  HWND control;
  size_t below;  // the hooks under the running one
};
thread_local std::vector<Running> running;

LRESULT RunChain(HWND control, size_t from, UINT msg, WPARAM wp, LPARAM lp) {
  const auto chain = chains.find(control);
  if (chain == chains.end()) return DefWindowProcW(control, msg, wp, lp);
  if (from == 0) return CallWindowProcW(chain->second.original, control, msg, wp, lp);
  const Hook hook = chain->second.hooks[from - 1];  // a copy: a hook may add hooks
  running.push_back({control, from - 1});
  struct Pop {
    ~Pop() { running.pop_back(); }
  } pop;
  return Guarded(GetParent(control), [&] { return hook.hook(control, msg, wp, lp, hook.data); });
}

LRESULT CALLBACK HookedControlProc(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
  const auto chain = chains.find(control);
  if (chain == chains.end()) return DefWindowProcW(control, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // The control is gone: its hooks go with it.
    const WNDPROC original = chain->second.original;
    chains.erase(chain);
    return CallWindowProcW(original, control, msg, wp, lp);
  }
  return RunChain(control, chain->second.hooks.size(), msg, wp, lp);
}

}  // namespace

void RegisterFormClass(const wchar_t* className, UINT classStyle, HICON icon, int windowExtra) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  HINSTANCE inst = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(inst, className, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = classStyle;
  wc.lpfnWndProc = FormThunk;
  wc.cbWndExtra = windowExtra;
  wc.hInstance = inst;
  wc.hIcon = icon ? icon : LoadIconW(inst, MAKEINTRESOURCEW(1));
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

HWND CreateForm(Form* form, const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle, int x,
                int y, int w, int h, HWND owner) {
  return CreateWindowExW(exStyle, className, caption.c_str(), style, x, y, w, h, owner, nullptr,
                         GetModuleHandleW(nullptr), form);
}

HWND CreateChildForm(std::unique_ptr<Form> form, const wchar_t* className, const std::wstring& text, DWORD style,
                     DWORD exStyle, HWND parent, int id, const RECT& b) {
  RegisterFormClass(className, 0);
  HWND hwnd = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | style, b.left, b.top, b.right - b.left,
                              b.bottom - b.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), form.get());
  if (hwnd) {
    form->deleteWithWindow = true;  // from now on it goes with its window
    form.release();
  }
  return hwnd;
}

Form* FormOfClass(HWND hwnd, const wchar_t* className) {
  wchar_t name[64] = {};
  if (!hwnd || !GetClassNameW(hwnd, name, 64) || lstrcmpW(name, className) != 0) return nullptr;
  return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void HookControl(HWND control, ControlHook hook, DWORD_PTR data) {
  if (!control) return;
  if (const auto chain = chains.find(control); chain != chains.end()) {
    // A hook given again takes the new data; another joins the chain.
    for (Hook& h : chain->second.hooks)
      if (h.hook == hook) {
        h.data = data;
        return;
      }
    chain->second.hooks.push_back({hook, data});
    return;
  }
  // The chain is in place before the first message can come through it.
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
  if (!original) return;  // not a window of this process
  chains[control] = HookChain{original, {{hook, data}}};
  if (!SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookedControlProc))) chains.erase(control);
}

LRESULT CallControl(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
  // From inside a hook: the hooks below it, then the control's own procedure.
  for (auto r = running.rbegin(); r != running.rend(); ++r)
    if (r->control == control) return RunChain(control, r->below, msg, wp, lp);
  return RunChain(control, 0, msg, wp, lp);
}

}  // namespace rn
