// The main window without a mouse and without eyes: the names screen readers
// speak for its controls, the check marks by Space, and the keys a dialog gets
// from the system and this window (which is no dialog) does not: Tab and
// Shift+Tab in reading order, Enter on a button, Alt with a button's letter.
#include <windows.h>

#include <utility>
#include <vector>

#include "core/MainForm_win.h"
#include "base/Handle_win.h"
#include "core/OperationPanel_win.h"
#include "ui/AccessibleName_win.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"

namespace rn {

namespace {

wchar_t Upper(wchar_t c) {
  CharUpperBuffW(&c, 1);
  return c;
}

// The letter after a caption's '&', upper case; 0 for none.
wchar_t Mnemonic(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return Upper(caption[i + 1]);
    ++i;  // "&&" is an ampersand
  }
  return 0;
}

bool MenuHasMnemonic(HMENU menu, wchar_t key) {
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    if (Mnemonic(text) == key) return true;
  }
  return false;
}

bool IsButton(HWND control) {
  wchar_t cls[16] = {};
  return GetClassNameW(control, cls, 16) && lstrcmpiW(cls, L"Button") == 0;
}

bool IsPushButton(HWND control) {
  if (!IsButton(control)) return false;
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  const LONG_PTR type = style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || (style & BS_PUSHLIKE);
}

// The logo opens the window's menu: it takes the focus like a button, opens
// the menu with Space or Enter and shows a dotted frame while focused.
LRESULT LogoHook(HWND logo, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR) {
  switch (msg) {
    case WM_KEYDOWN:
      if (wp != VK_SPACE && wp != VK_RETURN) break;
      PostMessageW(GetParent(logo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(logo), STN_CLICKED),
                   reinterpret_cast<LPARAM>(logo));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(logo, nullptr, TRUE); break;
    case WM_PAINT: {
      const LRESULT result = CallControl(logo, msg, wp, lp);
      if (GetFocus() == logo) {
        RECT r{};
        GetClientRect(logo, &r);
        InflateRect(&r, -1, -1);
        const WindowDc dc(logo);
        DrawFocusRect(dc.Get(), &r);
      }
      return result;
    }
    default: break;
  }
  return CallControl(logo, msg, wp, lp);
}

constexpr ControlName kControlNames[] = {
    {IdSpeedButton4, TextId::SpeedButton4Name}, {IdPanel1, TextId::Panel1Name},
    {IdSpeedButton1, TextId::SpeedButton1Name}, {IdSpeedButton3, TextId::SpeedButton3Name},
    {IdSpeedButton2, TextId::SpeedButton2Name}, {IdSpeedButton5, TextId::SpeedButton5Name},
    {IdScrollBar1, TextId::ScrollBar1Name},     {IdComboBox4, TextId::ComboBox4Name}};

// After the top line and the panel: the tool strip, the buttons, the grid
// and the script bar. The script editor stands where the panel does, the
// character position strip over the grid.
constexpr int kTabOrderAfterPanel[] = {IdPanel2,       IdPanel1,     IdSpeedButton1, IdSpeedButton3,   IdSpeedButton2,
                                       IdSpeedButton5, IdScrollBar1, IdButton1,      IdButton2,        IdButton3,
                                       IdButton4,      IdButton5,    IdStringGrid1,  IdPanelCharPosit, IdPanelInfo,
                                       IdComboBox4,    IdButton10,   IdButton9,      IdButton12,       IdButton11};

}  // namespace

void TMorvaneFrm1::PrepareAccess() {
  SetAccessibleNames(hwnd, kControlNames);
  SetAccessibleNameFromLabel(Control(IdComboBox1), Control(IdLabelFileTypes));
  // The logo and the arrows that move rows are reached by Tab too.
  for (int id : {IdPanel1, IdScrollBar1}) AddStyle(Control(id), WS_TABSTOP);
  HookControl(Control(IdPanel1), LogoHook);
}

std::vector<HWND> TMorvaneFrm1::TabOrder() const {
  std::vector<HWND> order{Control(IdSpeedButton4), Control(IdComboBox1)};
  panel->AppendTabOrder(order);
  for (int id : kTabOrderAfterPanel) order.push_back(Control(id));
  return order;
}

bool TMorvaneFrm1::KeyboardKey(const MSG& m) {
  const bool key =
      (m.message == WM_KEYDOWN && (m.wParam == VK_TAB || m.wParam == VK_RETURN)) || m.message == WM_SYSCHAR;
  if (!key || !m.hwnd || GetAncestor(m.hwnd, GA_ROOT) != hwnd || !IsWindowEnabled(hwnd)) return false;
  HWND focus = GetFocus();
  if (m.message == WM_KEYDOWN && m.wParam == VK_TAB) {
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    HWND next = NextTabStop(TabStops(hwnd, TabOrder()), focus, GetKeyState(VK_SHIFT) < 0);
    if (!next) return false;
    SendMessageW(hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(next);
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    return true;
  }
  // What a button does runs from the message loop, not inside the hook.
  if (m.message == WM_KEYDOWN && m.wParam == VK_RETURN && IsPushButton(focus)) {
    PostMessageW(focus, BM_CLICK, 0, 0);
    return true;
  }
  if (m.message == WM_SYSCHAR) {
    // The main menu's letters come first, as they always did.
    const wchar_t key = Upper(static_cast<wchar_t>(m.wParam));
    if (MenuHasMnemonic(GetMenu(hwnd), key)) return false;
    for (HWND control : TabStops(hwnd, TabOrder())) {
      if (!IsButton(control) || Mnemonic(WindowText(control)) != key) continue;
      SendMessageW(hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
      SetFocus(control);
      PostMessageW(control, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

void TMorvaneFrm1::StringGrid1KeyDown(UINT vk) {
  // Alt+Space is the system menu's.
  if (vk != VK_SPACE || GetKeyState(VK_MENU) < 0 || ListBusy() || fileList.Empty()) return;
  // Space ticks the selected rows, or clears them when the current row is ticked.
  SetCheckOnSelection(!std::as_const(fileList).Row(GridCurrentRow(Control(IdStringGrid1))).checked);
}

}  // namespace rn
