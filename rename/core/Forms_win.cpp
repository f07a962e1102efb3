#include "core/Forms_win.h"

#include "dialogs/Dialog_win.h"

namespace rn {

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buf = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  std::wstring text = n ? std::wstring(buf, n) : L"System Error.  Code: " + std::to_wstring(code) + L".";
  if (buf) LocalFree(buf);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

void RaiseLastError() {
  DWORD code = GetLastError();
  throw AppError{SystemErrorText(code)};
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
  try {
    return form->Handle(msg, wp, lp);
  } catch (const AppError& e) {
    ShowErrorBox(hwnd, e.text);
  } catch (const std::exception& e) {
    std::string what = e.what();
    ShowErrorBox(hwnd, std::wstring(what.begin(), what.end()));
  } catch (...) {
    ShowErrorBox(hwnd, L"Unexpected error.");
  }
  return 0;
}

}  // namespace

void RegisterFormClass(const wchar_t* className, UINT classStyle, HICON icon) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  HINSTANCE inst = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(inst, className, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = classStyle;
  wc.lpfnWndProc = FormThunk;
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

HWND MakeChild(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style, int id, const RECT& b,
               HFONT font, DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, b.left, b.top,
                               b.right - b.left, b.bottom - b.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (child && font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

std::wstring WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

void MoveControl(HWND control, int x, int y, int w, int h) {
  if (control) SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ControlBounds(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring ComboItemText(HWND combo, int index) {
  const LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len == CB_ERR || len < 0) return L"";
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(len));
  return text;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) items.push_back(ComboItemText(combo, i));
  return items;
}

void FitLabelWidth(HWND label) {
  if (!label) return;
  const std::wstring text = WindowText(label);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  RECT r = ControlBounds(label);
  SetWindowPos(label, nullptr, 0, 0, size.cx + 1, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rn
