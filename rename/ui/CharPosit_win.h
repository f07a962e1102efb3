// The character position tool (Panel_charPosit): a strip over the file list
// that shows a file name in a read-only box (Edit_charPosit) and, in its
// counter (Label_charPosit), how many characters of the name lie before the
// pointer or the caret, up to the start of the extension. When not in use the
// strip is parked beyond the right edge of the screen.
#pragma once
#include <windows.h>

#include <string>

#include "base/Dpi.h"

namespace rn {

inline constexpr const wchar_t* kCharPositClassName = L"TPanel";

inline constexpr int kCharPositCloseId = 1301;    // SpeedButton6, "X"
inline constexpr int kCharPositCounterId = 1302;  // Label_charPosit
inline constexpr int kCharPositEditId = 1303;     // Edit_charPosit

// 416 x 24 design pixels, created parked.
HWND CreateCharPositPanel(HWND parent, int id, HFONT font, const Dpi& dpi);
// Places the strip at (x, y) of the parent's client area on top of its
// siblings, shows the name, sets the counter to "0" and gives the box the
// focus with the caret before the first character.
void OpenCharPosit(HWND panel, const std::wstring& fileName, int x, int y);
// Parks the strip 100 design pixels beyond the right edge of the screen. The
// "X" button does this itself and then passes its command to the parent.
void CloseCharPosit(HWND panel);
bool CharPositIsOpen(HWND panel);
std::wstring CharPositCounterText(HWND panel);

}  // namespace rn
