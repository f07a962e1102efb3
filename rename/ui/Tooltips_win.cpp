#include "ui/Tooltips_win.h"

#include <commctrl.h>

namespace rn {

namespace {

TOOLINFOW Tool(HWND owner, HWND control, const std::wstring* text) {
  TOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = owner;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  if (text) ti.lpszText = const_cast<wchar_t*>(text->c_str());
  return ti;
}

}  // namespace

HWND CreateTooltip(HWND owner) {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void SetTip(HWND tip, HWND owner, HWND control, const std::wstring& text) {
  if (!tip || !control) return;
  TOOLINFOW ti = Tool(owner, control, &text);
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void RemoveTip(HWND tip, HWND owner, HWND control) {
  if (!tip) return;
  TOOLINFOW ti = Tool(owner, control, nullptr);
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void SetComboTip(HWND tip, HWND owner, HWND combo, const std::wstring& text) {
  SetTip(tip, owner, combo, text);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(combo, &info) && info.hwndItem) SetTip(tip, owner, info.hwndItem, text);
}

std::wstring TipText(HWND tip, HWND owner, UINT_PTR toolId) {
  if (!tip) return {};
  wchar_t text[512] = {};
  TOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.hwnd = owner;
  ti.uId = toolId;
  ti.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&ti));
  return text;
}

}  // namespace rn
