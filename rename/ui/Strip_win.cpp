#include "ui/Strip_win.h"

namespace rn {

HWND CreateStrip(std::unique_ptr<Form> form, const wchar_t* className, HWND parent, int id, const RECT& b) {
  return CreateChildForm(std::move(form), className, L"", WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                         WS_EX_CONTROLPARENT, parent, id, b);
}

namespace {

void PaintStrip(HWND strip, HDC dc) {
  RECT r{};
  GetClientRect(strip, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}

}  // namespace

bool HandleStripMessage(HWND strip, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_ERASEBKGND: result = 1; return true;
    case WM_PRINTCLIENT: PaintStrip(strip, reinterpret_cast<HDC>(wp)); return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(strip, &ps);
      PaintStrip(strip, dc);
      EndPaint(strip, &ps);
      return true;
    }
    case WM_CTLCOLORSTATIC: {
      // Labels sit on the face; a read-only text box keeps the window colour.
      HDC dc = reinterpret_cast<HDC>(wp);
      wchar_t cls[16] = {};
      GetClassNameW(reinterpret_cast<HWND>(lp), cls, 16);
      const int face = lstrcmpiW(cls, L"Edit") == 0 ? COLOR_WINDOW : COLOR_BTNFACE;
      SetTextColor(dc, GetSysColor(face == COLOR_WINDOW ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
      SetBkColor(dc, GetSysColor(face));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(face));
      return true;
    }
    case WM_COMMAND:
      // The children's commands belong to the window the strip lies in.
      if (HWND parent = GetParent(strip)) result = SendMessageW(parent, WM_COMMAND, wp, lp);
      return true;
    case WM_CONTEXTMENU:
      // The parent owns the strip's context menu, whichever child was hit.
      if (HWND parent = GetParent(strip))
        result = SendMessageW(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(strip), lp);
      return true;
    default: return false;
  }
}

}  // namespace rn
