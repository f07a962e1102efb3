#include "ui/ArrowBox_win.h"

#include "ui/AccessibleName_win.h"
#include "ui/Controls_win.h"

namespace rn {

void CreateArrowBox(HWND p, const ArrowBox& box, DWORD editStyle, HFONT font, const Dpi& dpi, int x, int width, int y,
                    const ArrowStart& start) {
  const int h = dpi.Scale(kArrowBoxHeight), aw = dpi.Scale(kArrowsWidth);
  // The arrows lie over the box's right end: a control made earlier lies
  // above the ones made after it.
  HWND bar = MakeChild(p, L"SCROLLBAR", L"", SBS_VERT | WS_CLIPSIBLINGS, box.bar,
                       Bounds(x + width - aw - 1, y + 1, aw, h - 2), font);
  if (start.min != start.max) SetArrowRange(bar, start.min, start.max, start.position);
  HWND edit = MakeChild(p, L"EDIT", start.text, editStyle | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, box.edit,
                        Bounds(x, y, width, h), font, WS_EX_CLIENTEDGE);
  SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, aw + 1));
}

void PlaceArrowBox(HWND p, const ArrowBox& box, const Dpi& dpi, int x, int y, int width) {
  const int h = dpi.Scale(kArrowBoxHeight), aw = dpi.Scale(kArrowsWidth);
  MoveControl(GetDlgItem(p, box.edit), x, y, width, h);
  MoveControl(GetDlgItem(p, box.bar), x + width - aw - 1, y + 1, aw, h - 2);
}

void EnableArrowBox(HWND p, const ArrowBox& box, bool on) {
  HWND edit = GetDlgItem(p, box.edit);
  EnableWindow(edit, on);
  EnableWindow(GetDlgItem(p, box.bar), on);
  InvalidateRect(edit, nullptr, TRUE);
}

void SetArrowBoxName(HWND p, const ArrowBox& box, TextId name) {
  SetAccessibleName(GetDlgItem(p, box.edit), name);
  SetAccessibleName(GetDlgItem(p, box.bar), name);
}

void SetArrowRange(HWND bar, int min, int max, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = min;
  info.nMax = max;
  info.nPos = position;
  SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

}  // namespace rn
