#include "ui/DialogForm_win.h"

#include <algorithm>

#include "ui/Controls_win.h"
#include "ui/Modal_win.h"

namespace rn {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
}  // namespace

DialogForm::~DialogForm() {
  if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
}

bool DialogForm::CreateDialogWindow(const wchar_t* className, const std::wstring& caption, HWND owner) {
  RegisterFormClass(className);
  dpi_ = ScreenDpi();
  fonts_[0].Reset(font_ = CreateFormFont(dpi_));
  fonts_[1].Reset(linkFont_ = CreateDerivedFont(font_, 0, false, true));
  return CreateForm(this, className, caption, kStyle, kExStyle, 0, 0, 100, 100, owner) != nullptr;
}

void DialogForm::SetClientSize(int w, int h) {
  RECT r = Bounds(0, 0, w, h);
  AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogForm::EndModal(bool ok) {
  ok_ = ok;
  done_ = true;
}

bool DialogForm::RunModal(HWND owner, int x, int y, const std::function<void(HWND, UINT)>& keyReleased) {
  if (!hwnd || modal_) return false;
  if (owner && reinterpret_cast<HWND>(GetWindowLongPtrW(hwnd, GWLP_HWNDPARENT)) != owner)
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));

  // Where it was asked to stand, but whole on the screen it is meant for.
  RECT wr{};
  GetWindowRect(hwnd, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &mi)) {
    x = std::max<int>(mi.rcWork.left, std::min<int>(x, mi.rcWork.right - w));
    y = std::max<int>(mi.rcWork.top, std::min<int>(y, mi.rcWork.bottom - h));
  }
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  // However the showing ends, the owner comes back first, then the dialog hides.
  struct Showing {
    DialogForm* form;
    ~Showing() {
      form->modal_ = false;
      if (IsWindow(form->hwnd)) ShowWindow(form->hwnd, SW_HIDE);
    }
  } showing{this};
  modal_ = true;
  done_ = ok_ = false;
  ModalScope modal(owner);
  ShowWindow(hwnd, SW_SHOW);
  if (HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE)) SetFocus(first);
  RunModalLoop(hwnd, done_, [&](const MSG& m) {
    if ((m.message == WM_KEYUP || m.message == WM_SYSKEYUP) && (m.hwnd == hwnd || IsChild(hwnd, m.hwnd)) && keyReleased)
      keyReleased(hwnd, static_cast<UINT>(m.wParam));
  });
  return done_ && ok_;
}

HWND DialogForm::MakeLink(int id, const std::wstring& text, int x, int y, int height) {
  links_.push_back(id);
  return MakeChild(hwnd, L"STATIC", text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, id,
                   Bounds(x, y, DrawnWidth(linkFont_, text) + dpi_.Scale(2), height), linkFont_);
}

bool DialogForm::IsLink(HWND control) const {
  if (!control) return false;
  for (int id : links_)
    if (control == Control(id)) return true;
  return false;
}

LRESULT DialogForm::DefaultHandle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE: EndModal(false); return 0;
    case WM_COMMAND:
      if (LOWORD(wp) != IDCANCEL) break;
      EndModal(false);
      return 0;
    case WM_SETCURSOR:
      if (!IsLink(reinterpret_cast<HWND>(wp))) break;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (!IsLink(reinterpret_cast<HWND>(lp))) break;
      SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 255));
      SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace rn
