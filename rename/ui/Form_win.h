// What every window of the program shares: the one window-procedure thunk,
// which keeps every error inside it and shows it in the error box, the
// creation of top-level forms and of controls built as forms, and the way back
// from a window handle to its form.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "base/Error.h"

namespace rn {

// A window whose messages go to Handle through the thunk.
struct Form {
  HWND hwnd = nullptr;
  // Controls built as forms belong to their window and go with it; the thunk
  // frees them after WM_NCDESTROY. Top-level forms are owned by their caller.
  bool deleteWithWindow = false;
  virtual ~Form() = default;
  virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
};

// Shows the error being handled (inside a catch) in the error box over hwnd.
void ShowCaughtError(HWND hwnd);

// Runs a window's handler so that no exception leaves it: an error shows in
// the error box and the message answers `failed`.
template <class Handler>
LRESULT Guarded(HWND hwnd, Handler&& handler, LRESULT failed = 0) {
  try {
    return handler();
  } catch (...) {
    ShowCaughtError(hwnd);
    return failed;
  }
}

// Registers the window class once (its procedure is the shared thunk).
void RegisterFormClass(const wchar_t* className, UINT classStyle = CS_DBLCLKS, HICON icon = nullptr,
                       int windowExtra = 0);
// Creates the window of a top-level form; `form` receives its messages from
// WM_NCCREATE on and stays the caller's.
HWND CreateForm(Form* form, const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle, int x,
                int y, int w, int h, HWND owner);
// Creates a child window for a control built as a form, which from then on
// goes with its window (a form whose window could not be made is freed). The
// class is registered without class styles unless the caller registered it.
HWND CreateChildForm(std::unique_ptr<Form> form, const wchar_t* className, const std::wstring& text, DWORD style,
                     DWORD exStyle, HWND parent, int id, const RECT& bounds);

// The form behind a window of the given class, or nullptr for any other window.
Form* FormOfClass(HWND hwnd, const wchar_t* className);
template <class T>
T* FormOf(HWND hwnd, const wchar_t* className) {
  return dynamic_cast<T*>(FormOfClass(hwnd, className));
}

// A system control whose messages the program wants to see: the hook runs
// inside the same guard as a form's handler and calls CallControl for the
// control's own behaviour. The hook goes with the control.
using ControlHook = LRESULT (*)(HWND control, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR data);
void HookControl(HWND control, ControlHook hook, DWORD_PTR data = 0);
LRESULT CallControl(HWND control, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace rn
