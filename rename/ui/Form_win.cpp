#include "ui/Form_win.h"

#include <commctrl.h>

#include <exception>

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

struct Hook {
  ControlHook hook;
  DWORD_PTR data;
};

// The procedure of every hooked control: the hook runs guarded like a form.
// Each hook of a control is a subclass of its own (its id is the hook), so
// that several hooks chain.
LRESULT CALLBACK HookThunk(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
  auto* h = reinterpret_cast<Hook*>(ref);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(control, HookThunk, id);
    delete h;
    return DefSubclassProc(control, msg, wp, lp);
  }
  return Guarded(GetParent(control), [&] { return h->hook(control, msg, wp, lp, h->data); });
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
  // The record goes with the control (WM_NCDESTROY above).
  auto h = std::make_unique<Hook>(Hook{hook, data});
  const auto id = reinterpret_cast<UINT_PTR>(hook);
  if (SetWindowSubclass(control, HookThunk, id, reinterpret_cast<DWORD_PTR>(h.get()))) h.release();
}

LRESULT CallControl(HWND control, UINT msg, WPARAM wp, LPARAM lp) { return DefSubclassProc(control, msg, wp, lp); }

}  // namespace rn
