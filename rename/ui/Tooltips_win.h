// Hints: one tooltip window per form, and the controls it speaks for.
#pragma once
#include <windows.h>

#include <string>

namespace rn {

// A tooltip owned by `owner` (it goes with that window), showing at once.
HWND CreateTooltip(HWND owner);
// The hint of a control of `owner`; setting it again replaces the text.
void SetTip(HWND tip, HWND owner, HWND control, const std::wstring& text);
void RemoveTip(HWND tip, HWND owner, HWND control);
// A combo box's hint shows over its edit part as well.
void SetComboTip(HWND tip, HWND owner, HWND combo, const std::wstring& text);
// The hint as the tooltip holds it (empty when the control has none).
std::wstring TipText(HWND tip, HWND owner, UINT_PTR toolId);
inline std::wstring TipText(HWND tip, HWND owner, HWND control) {
  return TipText(tip, owner, reinterpret_cast<UINT_PTR>(control));
}

}  // namespace rn
