// What every form of the program shares: the one window-procedure thunk, the
// error that carries GetLastError() to the error box, and control creation.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/Dpi.h"

namespace rn {

// An error a handler does not handle itself; the thunk shows its text in the
// error box and the program goes on.
struct AppError {
  std::wstring text;
};
// The system's text for a Win32 error code.
std::wstring SystemErrorText(DWORD code);
// Raises the last system error as an AppError.
[[noreturn]] void RaiseLastError();

// A form: a top-level window whose messages go to Handle. The thunk keeps
// exceptions inside the window procedure.
struct Form {
  HWND hwnd = nullptr;
  // Controls built as forms belong to their window and go with it; the thunk
  // frees them after WM_NCDESTROY. Top-level forms are owned by their caller.
  bool deleteWithWindow = false;
  virtual ~Form() = default;
  virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
};

// Registers the window class once (its procedure is the shared thunk).
void RegisterFormClass(const wchar_t* className, UINT classStyle = CS_DBLCLKS, HICON icon = nullptr);
// Creates the window of a form; `form` receives its messages from WM_NCCREATE on.
HWND CreateForm(Form* form, const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle, int x,
                int y, int w, int h, HWND owner);

// Child controls: real Win32 windows that carry their captions as window text.
HWND MakeChild(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style, int id,
               const RECT& bounds, HFONT font, DWORD exStyle = 0);
inline RECT Bounds(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }

std::wstring WindowText(HWND hwnd);
void MoveControl(HWND control, int x, int y, int w, int h);
RECT ControlBounds(HWND control);  // in the parent's client coordinates
// The text of a combo box's item (empty for no such item), and all items in order.
std::wstring ComboItemText(HWND combo, int index);
std::vector<std::wstring> ComboItems(HWND combo);

// Gives a label the width of its text in its own font.
void FitLabelWidth(HWND label);

}  // namespace rn
