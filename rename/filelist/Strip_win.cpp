#include "filelist/Strip_win.h"

#include <commctrl.h>

namespace rn {

HWND CreateStrip(std::unique_ptr<Form> form, const wchar_t* className, HWND parent, int id, const RECT& b) {
  RegisterFormClass(className, 0);
  HWND hwnd =
      CreateWindowExW(WS_EX_CONTROLPARENT, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                      b.left, b.top, b.right - b.left, b.bottom - b.top, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), form.get());
  if (hwnd) {
    form->deleteWithWindow = true;  // from now on it goes with its window
    form.release();
  }
  return hwnd;
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

int TextWidth(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

int TextHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

HWND CreateStripTooltip(HWND strip) {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);
  // Owned by the strip, so it is destroyed with it.
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, strip, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace rn
