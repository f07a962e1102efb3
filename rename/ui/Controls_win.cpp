#include "ui/Controls_win.h"
#include "base/Handle_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace rn {

HWND MakeChild(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style, int id, const RECT& b,
               HFONT font, DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, b.left, b.top,
                               b.right - b.left, b.bottom - b.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (child && font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (child) NoteListHeight(child, b.bottom - b.top);
  return child;
}

std::wstring WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

namespace {

// A drop-down combo box keeps its closed height: the height it is given is
// that of its open list, which the system does not tell back the same way
// everywhere, so it is remembered beside the box.
// The property's name is an atom made once: a name given as text would add
// to the atom's count at every box.
const wchar_t* ListHeightProperty() {
  static const ATOM atom = GlobalAddAtomW(L"RenameListHeight");
  return MAKEINTATOM(atom);
}

bool IsDropDownCombo(HWND control) {
  constexpr LONG_PTR kComboKind = CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST;
  wchar_t cls[16] = {};
  return GetClassNameW(control, cls, 16) && lstrcmpiW(cls, WC_COMBOBOXW) == 0 &&
         (GetWindowLongPtrW(control, GWL_STYLE) & kComboKind) != CBS_SIMPLE;
}

}  // namespace

void NoteListHeight(HWND control, int h) {
  if (IsDropDownCombo(control))
    SetPropW(control, ListHeightProperty(), reinterpret_cast<HANDLE>(static_cast<INT_PTR>(h)));
}

bool IsInPlace(HWND control, int x, int y, int w, int h) {
  const RECT r = ControlBounds(control);
  if (r.left != x || r.top != y || r.right - r.left != w) return false;
  return r.bottom - r.top == h ||
         (IsDropDownCombo(control) && reinterpret_cast<INT_PTR>(GetPropW(control, ListHeightProperty())) == h);
}

// A control already in its place is left alone: the layouts place most
// controls again where they stand, and each move is a round trip to the
// window manager (under Wine a server call and messages).
void MoveControl(HWND control, int x, int y, int w, int h) {
  if (!control || IsInPlace(control, x, y, w, h)) return;
  SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  NoteListHeight(control, h);
}

void MoveControlTo(HWND control, int x, int y) {
  if (!control) return;
  const RECT r = ControlBounds(control);
  if (r.left == x && r.top == y) return;
  SetWindowPos(control, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ControlBounds(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int WidthOf(HWND control) {
  const RECT r = ControlBounds(control);
  return r.right - r.left;
}

int HeightOf(HWND control) {
  const RECT r = ControlBounds(control);
  return r.bottom - r.top;
}

std::wstring ComboItemText(HWND combo, int index) {
  const LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len == CB_ERR || len < 0) return L"";
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(len));
  return text;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) items.push_back(ComboItemText(combo, i));
  return items;
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND button, bool on) { SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

Dpi ScreenDpi() {
  const WindowDc screen(nullptr);
  return Dpi{GetDeviceCaps(screen.Get(), LOGPIXELSY)};
}

HFONT CreateFormFont(const Dpi& dpi, bool bold) {
  LOGFONTW lf{};
  lf.lfHeight = -dpi.Scale(11);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  wcscpy(lf.lfFaceName, L"MS Sans Serif");
  return CreateFontIndirectW(&lf);
}

HFONT CreateMessageFont() {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
  return CreateFontIndirectW(&ncm.lfMessageFont);
}

namespace {

// One memory context like the screen's, with a bitmap to draw captions on,
// kept for every measure: asking the system for a screen context, or making
// a bitmap, at each caption is what made measuring slow.
struct MeasureSurface {
  MemoryDc owned{CreateCompatibleDC(nullptr)};
  HDC dc = owned.Get();
  BitmapHandle dib;
  HGDIOBJ firstBitmap = nullptr;
  ~MeasureSurface() {
    if (firstBitmap) SelectObject(dc, firstBitmap);  // the bitmap goes unselected
  }
  const DWORD* bits = nullptr;
  int width = 0;
  static constexpr int kHeight = 64;
  // A white area at least `w` wide, drawn on from the top left; null when the bitmap cannot be made.
  const DWORD* Blank(int w) {
    if (w > width) {
      BITMAPINFO bi{};
      bi.bmiHeader = {sizeof(bi.bmiHeader), w, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      void* fresh = nullptr;
      HBITMAP made = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &fresh, nullptr, 0);
      if (!made || !fresh) return nullptr;
      HGDIOBJ old = SelectObject(dc, made);
      if (!firstBitmap) firstBitmap = old;
      dib.Reset(made);  // the one it replaces is no longer selected
      bits = static_cast<const DWORD*>(fresh);
      width = w;
    }
    RECT area{0, 0, w, kHeight};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return bits;
  }
};

MeasureSurface& Surface() {
  static MeasureSurface surface;
  return surface;
}

// The measuring context with the font selected.
struct MeasureDc {
  HDC dc = Surface().dc;
  HGDIOBJ old;
  explicit MeasureDc(HFONT font)
      : old(SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT))) {}
  ~MeasureDc() { SelectObject(dc, old); }
};

}  // namespace

int TextHeight(HFONT font) {
  MeasureDc m(font);
  TEXTMETRICW tm{};
  GetTextMetricsW(m.dc, &tm);
  return tm.tmHeight;
}

namespace {

// Measuring asks the system for a screen DC each time, and drawing a text to
// find where its ink ends costs a bitmap and a scan: the window and the panel
// ask for the same captions again whenever they place them (start-up does so
// several times), so each answer is kept, keyed by the font's description (a
// font handle may be reused for another font once freed) and the text.
struct MeasureKey {
  LOGFONTW font;
  std::wstring text;
  bool operator<(const MeasureKey& o) const {
    const int c = std::memcmp(&font, &o.font, sizeof(font));
    return c != 0 ? c < 0 : text < o.text;
  }
};

using Measure = int (*)(HFONT, const std::wstring&);

int Remembered(std::map<MeasureKey, int>& known, Measure measure, HFONT font, const std::wstring& text) {
  MeasureKey key{};
  if (!font || GetObjectW(font, sizeof(key.font), &key.font) != sizeof(key.font)) return measure(font, text);
  key.text = text;
  if (const auto found = known.find(key); found != known.end()) return found->second;
  const int width = measure(font, text);
  if (known.size() < 4096) known.emplace(std::move(key), width);
  return width;
}

int MeasureExtent(HFONT font, const std::wstring& text) {
  MeasureDc m(font);
  SIZE size{};
  GetTextExtentPoint32W(m.dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int MeasureInk(HFONT font, const std::wstring& text);

}  // namespace

int TextWidth(HFONT font, const std::wstring& text) {
  static std::map<MeasureKey, int> known;
  return Remembered(known, MeasureExtent, font, text);
}

int DrawnWidth(HFONT font, const std::wstring& text) {
  if (text.empty()) return 0;
  static std::map<MeasureKey, int> known;
  return Remembered(known, MeasureInk, font, text);
}

namespace {

int MeasureInk(HFONT font, const std::wstring& text) {
  const int measured = TextWidth(font, text);
  const int w = measured * 2 + 32, h = MeasureSurface::kHeight;
  MeasureSurface& surface = Surface();
  const DWORD* px = surface.Blank(w);
  if (!px) return measured;
  MeasureDc m(font);
  SetTextColor(m.dc, RGB(0, 0, 0));
  SetBkMode(m.dc, TRANSPARENT);
  TextOutW(m.dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
  GdiFlush();
  int inkEnd = 0;
  for (int y = 0; y < h; ++y)
    for (int x = inkEnd; x < w; ++x)
      if ((px[y * surface.width + x] & 0xFF) < 128) inkEnd = x + 1;
  return std::max(measured, inkEnd);
}

}  // namespace

int WrappedTextHeight(HFONT font, const std::wstring& text, int width) {
  MeasureDc m(font);
  RECT r{0, 0, width, 0};
  DrawTextW(m.dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return r.bottom;
}

HFONT CreateDerivedFont(HFONT base, int pixelHeight, bool bold, bool underline) {
  LOGFONTW lf{};
  GetObjectW(base, sizeof(lf), &lf);
  if (pixelHeight) lf.lfHeight = -pixelHeight;
  if (bold) lf.lfWeight = FW_BOLD;
  lf.lfUnderline = underline;
  return CreateFontIndirectW(&lf);
}

void FitLabelWidth(HWND label) {
  if (!label) return;
  const int width = TextWidth(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), WindowText(label));
  SetWindowPos(label, nullptr, 0, 0, width + 1, HeightOf(label), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AddStyle(HWND window, DWORD style, DWORD exStyle) {
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | style);
  if (exStyle) SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | exStyle);
}

int ParkX(const Dpi& dpi) { return GetSystemMetrics(SM_CXSCREEN) + dpi.Scale(100); }

void Park(HWND control, const Dpi& dpi) { MoveControlTo(control, ParkX(dpi), ControlBounds(control).top); }

bool IsParked(HWND control) { return ControlBounds(control).left >= GetSystemMetrics(SM_CXSCREEN); }

namespace {

// The system keeps the tab stop on the checked radio button of a group only,
// for dialogs, where the arrows move in the group; here each is a stop.
bool IsRadioButton(HWND control) {
  wchar_t cls[16] = {};
  const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  return GetClassNameW(control, cls, 16) && lstrcmpiW(cls, L"Button") == 0 &&
         (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

void AddTabStops(HWND control, std::vector<HWND>& stops) {
  if (!IsWindowVisible(control) || !IsWindowEnabled(control) || IsParked(control)) return;
  if (GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) {
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      AddTabStops(child, stops);
  } else if ((GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP || IsRadioButton(control)) &&
             std::find(stops.begin(), stops.end(), control) == stops.end()) {
    stops.push_back(control);
  }
}

}  // namespace

std::vector<HWND> TabStops(HWND form, const std::vector<HWND>& order) {
  std::vector<HWND> stops;
  for (HWND control : order)
    if (control && GetParent(control) == form) AddTabStops(control, stops);
  return stops;
}

HWND NextTabStop(const std::vector<HWND>& stops, HWND from, bool back) {
  if (stops.empty()) return nullptr;
  auto at = stops.end();
  for (HWND f = from; f && at == stops.end(); f = GetAncestor(f, GA_PARENT))
    at = std::find(stops.begin(), stops.end(), f);
  if (at == stops.end()) return back ? stops.back() : stops.front();
  const size_t n = stops.size(), i = static_cast<size_t>(at - stops.begin());
  return stops[back ? (i + n - 1) % n : (i + 1) % n];
}

namespace {

// The system's own version, which no compatibility setting disguises.
DWORD SystemMajorVersion() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll"))
    if (auto get = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion"))))
      if (get(&info) == 0) return info.dwMajorVersion;
  return 0;
}

BOOL CALLBACK InvalidateButton(HWND child, LPARAM) {
  wchar_t cls[16] = {};
  if (GetClassNameW(child, cls, 16) && lstrcmpiW(cls, L"Button") == 0) InvalidateRect(child, nullptr, TRUE);
  return TRUE;
}

}  // namespace

void RefreshControlsAfterKey(HWND form, UINT key) {
  if (!form || (key != VK_TAB && key != VK_MENU)) return;
  static const DWORD major = SystemMajorVersion();
  if (major < 6) return;
  EnumChildWindows(form, InvalidateButton, 0);
}

}  // namespace rn
