#include "ui/SoftButt_win.h"

#include <windowsx.h>

#include <memory>

#include "base/Dpi.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"

namespace rn {

struct TSoftButt : Form {
  bool border = true;
  bool transparent = false;
  bool flat = true;
  bool mouseInside = false;  // hover state, set only for an enabled button
  bool tracking = false;     // the pointer is over the window and its leaving is awaited
  bool pressing = false;     // the left button went down here and is still held
  bool down = false;         // pressing with the pointer on the button: the sunken look
  HFONT font = nullptr;
  std::function<void(HWND)> onEnter, onExit;

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint(HDC dc);
  void PaintFace(HDC dc, const RECT& client);
  void PaintParentBackground(HDC dc);
  void Repaint() { InvalidateRect(hwnd, nullptr, FALSE); }
  void MouseEnter();
  void MouseLeave();
  void MouseMove(POINT pt);
  void EndPress(POINT pt, bool released);
  void Click();
};

namespace {

TSoftButt* ButtOf(HWND button) { return FormOf<TSoftButt>(button, kSoftButtClassName); }

void StopLeaveTracking(HWND hwnd) {
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE | TME_CANCEL, hwnd, 0};
  TrackMouseEvent(&tme);
}

// Lines from the first point through the others, each end point left out as
// LineTo does: the first two in one colour, the last two in the other.
void TwoToneLine(HDC dc, const POINT (&p)[5], COLORREF first, COLORREF second) {
  SetDCPenColor(dc, first);
  MoveToEx(dc, p[0].x, p[0].y, nullptr);
  LineTo(dc, p[1].x, p[1].y);
  LineTo(dc, p[2].x, p[2].y);
  SetDCPenColor(dc, second);
  LineTo(dc, p[3].x, p[3].y);
  LineTo(dc, p[4].x, p[4].y);
}

bool Inside(HWND hwnd, POINT pt) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return PtInRect(&client, pt) != FALSE;
}

}  // namespace

void TSoftButt::MouseEnter() {
  if (!IsWindowEnabled(hwnd)) return;
  mouseInside = true;
  Repaint();
  if (onEnter) onEnter(hwnd);
}

void TSoftButt::MouseLeave() {
  mouseInside = false;
  Repaint();
  if (onExit) onExit(hwnd);
}

void TSoftButt::MouseMove(POINT pt) {
  const bool inside = Inside(hwnd, pt);
  if (inside && !tracking) {
    tracking = true;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&tme);
    MouseEnter();
  } else if (!inside && tracking) {
    // Held down and dragged off: the pointer has left although we keep the capture.
    tracking = false;
    StopLeaveTracking(hwnd);
    MouseLeave();
  }
  if (pressing && inside != down) {
    down = inside;
    Repaint();
  }
}

void TSoftButt::EndPress(POINT pt, bool released) {
  const bool click = released && pressing && Inside(hwnd, pt) && IsWindowEnabled(hwnd);
  pressing = down = false;
  if (GetCapture() == hwnd) ReleaseCapture();
  Repaint();
  if (click) Click();
}

void TSoftButt::Click() {
  // Last thing done: the parent's handler may run a modal loop or destroy us.
  HWND self = hwnd;
  SendMessageW(GetParent(self), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), BN_CLICKED), reinterpret_cast<LPARAM>(self));
}

void TSoftButt::PaintParentBackground(HDC dc) {
  // A window has nothing beneath it of its own, so the parent's background is
  // what a transparent button shows through.
  HWND parent = GetParent(hwnd);
  POINT origin{0, 0};
  MapWindowPoints(hwnd, parent, &origin, 1);
  POINT old{};
  OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

void TSoftButt::PaintFace(HDC dc, const RECT& client) {
  const std::wstring caption = WindowText(hwnd);
  RECT text = client;
  if (down) OffsetRect(&text, 1, 1);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  if (IsWindowEnabled(hwnd)) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), -1, &text, format);
  } else {
    // The disabled look: the caption embossed in highlight under shadow.
    RECT light = text;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, caption.c_str(), -1, &light, format);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(dc, caption.c_str(), -1, &text, format);
  }
  SelectObject(dc, oldFont);
}

void TSoftButt::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd, &client);
  if (!transparent) {
    RECT clip{};
    GetClipBox(dc, &clip);
    if (IntersectRect(&clip, &clip, &client)) FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
  }
  PaintFace(dc, client);
  if (!flat) return;

  const int w = client.right, h = client.bottom;
  const int a = border ? 1 : 0, r = w - a - 1, b = h - a - 1;  // the edge lies inside the frame
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
  const COLORREF oldColour = GetDCPenColor(dc);
  if (down)
    TwoToneLine(dc, {{r, a}, {r, b}, {a, b}, {a, a}, {r, a}}, light, shadow);  // sunken
  else if (mouseInside)
    TwoToneLine(dc, {{r, a}, {a, a}, {a, b}, {r, b}, {r, a}}, light, shadow);  // raised
  if (border) TwoToneLine(dc, {{w - 1, 0}, {w - 1, h - 1}, {0, h - 1}, {0, 0}, {w - 1, 0}}, shadow, shadow);
  SetDCPenColor(dc, oldColour);
  SelectObject(dc, oldPen);
}

LRESULT TSoftButt::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // painting covers it
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (transparent) PaintParentBackground(dc);
      Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_SETFONT:
      font = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) Repaint();
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
      Repaint();
      return result;
    }
    case WM_ENABLE:
      if (!wp && pressing) EndPress(POINT{-1, -1}, false);
      Repaint();
      return 0;
    case WM_MOUSEMOVE: MouseMove(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
    case WM_MOUSELEAVE:
      if (tracking) {
        tracking = false;
        MouseLeave();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // No SetFocus: the button leaves the keyboard focus where it was.
      if (!IsWindowEnabled(hwnd)) return 0;
      pressing = down = true;
      SetCapture(hwnd);
      Repaint();
      return 0;
    case WM_LBUTTONUP:
      if (pressing) EndPress(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, true);
      return 0;
    case WM_CAPTURECHANGED:
      if (pressing && reinterpret_cast<HWND>(lp) != hwnd) {
        pressing = down = false;
        Repaint();
      }
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled(hwnd)) Click();
      return 0;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

HWND CreateSoftButt(HWND parent, int id, const std::wstring& caption, const RECT& bounds, HFONT font) {
  RECT b = bounds;
  if (b.right <= b.left || b.bottom <= b.top) {
    const Dpi dpi = ScreenDpi();
    b = Bounds(b.left, b.top, dpi.Scale(kSoftButtDefaultWidth), dpi.Scale(kSoftButtDefaultHeight));
  }
  auto owner = std::make_unique<TSoftButt>();
  owner->font = font;
  return CreateChildForm(std::move(owner), kSoftButtClassName, caption, WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent, id, b);
}

namespace {

void SetFlag(HWND button, bool TSoftButt::*flag, bool value) {
  if (TSoftButt* s = ButtOf(button)) {
    s->*flag = value;
    s->Repaint();
  }
}

bool Flag(HWND button, bool TSoftButt::*flag) {
  TSoftButt* s = ButtOf(button);
  return s && s->*flag;
}

}  // namespace

void SoftButtSetBorder(HWND button, bool border) { SetFlag(button, &TSoftButt::border, border); }
void SoftButtSetTransparent(HWND button, bool transparent) { SetFlag(button, &TSoftButt::transparent, transparent); }
void SoftButtSetFlat(HWND button, bool flat) { SetFlag(button, &TSoftButt::flat, flat); }
bool SoftButtBorder(HWND button) { return Flag(button, &TSoftButt::border); }
bool SoftButtTransparent(HWND button) { return Flag(button, &TSoftButt::transparent); }
bool SoftButtFlat(HWND button) { return Flag(button, &TSoftButt::flat); }

void SoftButtSetOnEnter(HWND button, std::function<void(HWND)> handler) {
  if (TSoftButt* s = ButtOf(button)) s->onEnter = std::move(handler);
}

void SoftButtSetOnExit(HWND button, std::function<void(HWND)> handler) {
  if (TSoftButt* s = ButtOf(button)) s->onExit = std::move(handler);
}

bool SoftButtMouseInside(HWND button) { return Flag(button, &TSoftButt::mouseInside); }
bool SoftButtDown(HWND button) { return Flag(button, &TSoftButt::down); }

}  // namespace rn
