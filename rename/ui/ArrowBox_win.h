// An arrow box: an edit box with a small bar of up and down arrows standing
// inside its right end, the two placed and moved as one. The bar's messages
// (WM_VSCROLL) reach the parent like any scroll bar's.
#pragma once
#include <windows.h>

#include "base/Dpi.h"
#include "base/Texts.h"

namespace rn {

struct ArrowBox {
  int edit, bar;  // control ids
};

// Design sizes of every arrow box.
inline constexpr int kArrowBoxHeight = 21;
inline constexpr int kArrowsWidth = 13;

// What a box shows when it is made: its text, and its bar's range and
// position (an empty range leaves the bar's own). Made with them, the box
// sends no change its parent would answer.
struct ArrowStart {
  const wchar_t* text = L"";
  int min = 0, max = 0, position = 0;
};

// Creates the pair at (x, y) with the given width; the edit box leaves room
// for the arrows at its right end.
void CreateArrowBox(HWND parent, const ArrowBox& box, DWORD editStyle, HFONT font, const Dpi& dpi, int x, int width,
                    int y = 0, const ArrowStart& start = {});
void PlaceArrowBox(HWND parent, const ArrowBox& box, const Dpi& dpi, int x, int y, int width);
// Enabled or disabled as one; a disabled box takes the button face.
void EnableArrowBox(HWND parent, const ArrowBox& box, bool on);
// What screen readers call the box and its arrows: the number's purpose.
void SetArrowBoxName(HWND parent, const ArrowBox& box, TextId name);
// Sets the bar's range and position.
void SetArrowRange(HWND bar, int min, int max, int position);

}  // namespace rn
