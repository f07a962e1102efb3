#include "core/OperationPanel_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/OperationPanel.h"
#include "core/Panel_win.h"
#include "core/Text.h"
#include "engine/DateFormat.h"
#include "engine/Operation.h"

namespace rn {

// What the window keeps for its operation panel.
struct OperationPanelState {
  const OperationPanelTexts* texts = &EnglishPanelTexts();
  HFONT font = nullptr;
  HWND tip = nullptr;  // hints of the radio buttons and of the group boxes
  HMENU menu = nullptr;
  DateLocale locale;
  std::wstring timeSeparator = L":";
  bool shown = true;
  int writing = 0;        // a request being put on the panel: touching chooses nothing
  int syncing = 0;        // a spin's box being written from its bar
  bool entering = false;  // a bar's entering rule in progress
  ~OperationPanelState() {
    if (menu) DestroyMenu(menu);
  }
};

namespace {

// A control's message forwarded to the window before and after the control saw it.
constexpr UINT kPanelEventMessage = WM_APP + 0x310;
// A spin box lost the focus to another control of the window.
constexpr UINT kSpinLeftMessage = WM_APP + 0x311;
constexpr UINT_PTR kForwardSubclassId = 0x5250;

struct ControlEvent {
  HWND control;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};
enum EventPhase : WPARAM { kBefore = 0, kAfter = 1 };

// The panel's boxes and bars tell the window about keys, clicks and focus; the
// window answers through its own procedure, so that the thunk guards it. A
// nonzero answer before the control sees the message swallows it.
LRESULT CALLBACK ForwardProc(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  switch (msg) {
    case WM_NCDESTROY: RemoveWindowSubclass(control, ForwardProc, kForwardSubclassId); break;
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: {
      ControlEvent e{control, msg, wp, lp};
      const HWND owner = GetParent(control);
      if (SendMessageW(owner, kPanelEventMessage, kBefore, reinterpret_cast<LPARAM>(&e))) return 0;
      const LRESULT result = DefSubclassProc(control, msg, wp, lp);
      SendMessageW(owner, kPanelEventMessage, kAfter, reinterpret_cast<LPARAM>(&e));
      return result;
    }
    default: break;
  }
  return DefSubclassProc(control, msg, wp, lp);
}

// Design sizes.
constexpr int kLineHeight = 14;
constexpr int kBoxHeight = 21;
constexpr int kArrowsWidth = 13;
constexpr int kSlotTop = 4;
constexpr int kFrameWidth = 150;
constexpr int kStartNumberWidth = 94;
constexpr int kDateWidth = 77;
constexpr int kTimeWidth = 92;
constexpr int kDateFormatWidth = 104;
constexpr int kLeftColumn = 8;
constexpr int kRightColumn = 300;
constexpr int kParkDistance = 100;
// The inline offset that puts a control right over its caption's marker.
constexpr int kMarkerOffset = 14;

struct Spin {
  int edit, bar;
  bool threeDigits;
};
constexpr Spin kSpins[] = {{IdSpin3, IdScrollBar3, true},
                           {IdSpin4, IdScrollBar4, true},
                           {IdSpin5, IdScrollBar5, true},
                           {IdSpin10, IdScrollBar10, false},
                           {IdSpin11, IdScrollBar11, false}};

struct Selector {
  int edit, bar;
  SelectorRange range;
  int initial;
};
constexpr Selector kAddDatePart{IdEdit5, IdScrollBar2, kDatePartRange, kDatePartDate};
constexpr Selector kCaseMode{IdEdit6, IdScrollBar6, kCaseRange, kCaseUpper};
constexpr Selector kSetDatePart{IdEdit7, IdScrollBar7, kDatePartRange, kDatePartDate};
constexpr Selector kNumberStyle{IdEdit8, IdScrollBar8, kNumberStyleRange, kNumberName};
constexpr const Selector* kSelectors[] = {&kAddDatePart, &kCaseMode, &kSetDatePart, &kNumberStyle};

const Spin* SpinWith(int id) {
  for (const Spin& s : kSpins)
    if (s.edit == id || s.bar == id) return &s;
  return nullptr;
}
const Selector* SelectorWith(int id) {
  for (const Selector* s : kSelectors)
    if (s->edit == id || s->bar == id) return s;
  return nullptr;
}

// The attribute boxes left to right with their captions and hints.
struct AttributeBox {
  int id;
  const wchar_t* caption;
  const wchar_t* hint;
};
constexpr AttributeBox kAttributeBoxes[] = {{IdCheckBox3, L"h", L" [ hidden ] "},
                                            {IdCheckBox2, L"a", L" [ archive ] "},
                                            {IdCheckBox1, L"ro", L" [ read only ] "},
                                            {IdCheckBox4, L"s", L" [ system ] "}};

// Controls the slot takes in turn; all but the "Rename to" box start parked.
constexpr int kOptionalControls[] = {IdComboBox2,      IdBevel22,       IdGroupBox1,  IdCheckBox3,      IdCheckBox2,
                                     IdCheckBox1,      IdCheckBox4,     IdEditDate,   IdScrollDate,     IdEditTime,
                                     IdScrollTime,     IdComboBox3,     IdPanelCreat, IdComboBoxCreat1, IdEditCreat,
                                     IdScrollBarCreat, IdComboBoxCreat2};

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND button, bool on) { SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
void MoveTo(HWND control, int x, int y) {
  SetWindowPos(control, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
int WidthOf(HWND control) {
  const RECT r = ControlBounds(control);
  return r.right - r.left;
}
int HeightOf(HWND control) {
  const RECT r = ControlBounds(control);
  return r.bottom - r.top;
}
bool IsParked(HWND control) { return ControlBounds(control).left >= GetSystemMetrics(SM_CXSCREEN); }
int ParkX(const TMorvaneFrm1& f) { return GetSystemMetrics(SM_CXSCREEN) + f.dpi.Scale(kParkDistance); }
// Checks the control before giving it the focus: keys must not go where nobody sees them.
void FocusIfShown(HWND control) {
  if (control && IsWindowEnabled(control) && !IsParked(control)) SetFocus(control);
}

int TextWidth(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

// Where drawn text really ends: some font engines draw glyphs wider apart than
// their measured advances, so the ink is measured too and the larger one counts.
int DrawnWidth(HFONT font, const std::wstring& text) {
  const int measured = TextWidth(font, text);
  if (text.empty()) return 0;
  const int w = measured * 2 + 32, h = 64;
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(bi.bmiHeader), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  int inkEnd = 0;
  if (dib && bits) {
    HGDIOBJ oldBitmap = SelectObject(dc, dib);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    const auto* px = static_cast<const DWORD*>(bits);
    for (int y = 0; y < h; ++y)
      for (int x = inkEnd; x < w; ++x)
        if ((px[y * w + x] & 0xFF) < 128) inkEnd = x + 1;
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(dib);
  }
  DeleteDC(dc);
  return std::max(measured, inkEnd);
}

// Where a button's caption starts, from its left edge: the system draws the
// round or square mark and a gap first.
int TextIndent(HWND button, HFONT font, const Dpi& dpi) {
  SIZE ideal{};
  const std::wstring caption = WindowText(button);
  if (SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) && ideal.cx > 0) {
    const int indent = ideal.cx - TextWidth(font, caption);
    if (indent > 0) return indent;
  }
  return GetSystemMetrics(SM_CXMENUCHECK) + dpi.Scale(4);
}

int ButtonWidth(HWND button, HFONT font, const Dpi& dpi) {
  return TextIndent(button, font, dpi) + DrawnWidth(font, WindowText(button)) + dpi.Scale(8);
}

DateTime Now() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback) {
  wchar_t buf[32];
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 32) > 0 ? std::wstring(buf) : std::wstring(fallback);
}

void AddTip(HWND tip, HWND owner, HWND control, const std::wstring& text) {
  TOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = owner;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}
void RemoveTip(HWND tip, HWND owner, HWND control) {
  TOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.hwnd = owner;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}
// A combo box's hint shows over its edit part as well.
void AddComboTip(HWND tip, HWND owner, HWND combo, const std::wstring& text) {
  AddTip(tip, owner, combo, text);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(combo, &info) && info.hwndItem) AddTip(tip, owner, info.hwndItem, text);
}

// The window's child that holds the focus (a combo box for its edit part).
HWND FocusedChild(HWND window) {
  HWND h = GetFocus();
  while (h && GetParent(h) && GetParent(h) != window) h = GetParent(h);
  return h && GetParent(h) == window ? h : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// Building the panel

namespace {

// An edit box with a small bar of arrows that stands inside its right end.
void MakeBoxWithArrows(HWND p, int editId, int barId, DWORD editStyle, HFONT font, const TMorvaneFrm1& f, int width,
                       int x) {
  const int h = f.dpi.Scale(kBoxHeight);
  HWND edit = MakeChild(p, L"EDIT", L"", editStyle | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, editId, Bounds(x, 0, width, h),
                        font, WS_EX_CLIENTEDGE);
  SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, f.dpi.Scale(kArrowsWidth) + 1));
  const int aw = f.dpi.Scale(kArrowsWidth);
  MakeChild(p, L"SCROLLBAR", L"", SBS_VERT | WS_CLIPSIBLINGS, barId, Bounds(x + width - aw - 1, 1, aw, h - 2), font);
}

void PlaceBoxWithArrows(const TMorvaneFrm1& f, int editId, int barId, int x, int y, int width) {
  const int h = f.dpi.Scale(kBoxHeight), aw = f.dpi.Scale(kArrowsWidth);
  MoveControl(f.Control(editId), x, y, width, h);
  MoveControl(f.Control(barId), x + width - aw - 1, y + 1, aw, h - 2);
}

void SetBarRange(HWND bar, int min, int max, int position) {
  SetScrollRange(bar, SB_CTL, min, max, FALSE);
  SetScrollPos(bar, SB_CTL, position, TRUE);
}

void Forward(HWND control) { SetWindowSubclass(control, ForwardProc, kForwardSubclassId, 0); }

// Parts of the prefix / counter / suffix group and of the attribute group,
// from the group's left edge (design pixels).
constexpr int kPartsWidth = 254, kPartsHeight = 25;
constexpr int kPrefixX = 2, kPrefixWidth = 100, kCounterX = 105, kCounterWidth = 44, kSuffixX = 152, kSuffixWidth = 100;
constexpr int kAttributesHeight = 24, kAttributesMargin = 7, kAttributesGap = 6;

void PlaceNameParts(const TMorvaneFrm1& f, int x, int top) {
  auto s = [&](int v) { return f.dpi.Scale(v); };
  MoveTo(f.Control(IdPanelCreat), x, top - s(2));
  MoveTo(f.Control(IdComboBoxCreat1), x + s(kPrefixX), top);
  PlaceBoxWithArrows(f, IdEditCreat, IdScrollBarCreat, x + s(kCounterX), top, s(kCounterWidth));
  MoveTo(f.Control(IdComboBoxCreat2), x + s(kSuffixX), top);
}

void PlaceAttributes(const TMorvaneFrm1& f, int x, int top) {
  auto s = [&](int v) { return f.dpi.Scale(v); };
  MoveTo(f.Control(IdGroupBox1), x, top - s(3));
  int bx = x + s(kAttributesMargin);
  for (const AttributeBox& b : kAttributeBoxes) {
    HWND box = f.Control(b.id);
    MoveTo(box, bx, top + s(2));
    bx += WidthOf(box) + s(kAttributesGap);
  }
}

}  // namespace

void TMorvaneFrm1::CreateOperationPanel() {
  operationPanel_ = std::make_shared<OperationPanelState>();
  OperationPanelState& st = *operationPanel_;
  st.font = font_;
  st.locale = SystemDateLocale();
  st.timeSeparator = LocaleText(LOCALE_STIME, L":");
  const HWND p = hwnd;
  const HFONT f = font_;
  auto s = [&](int v) { return dpi.Scale(v); };
  const int park = ParkX(*this);
  constexpr DWORD kClip = WS_CLIPSIBLINGS;

  // Radio buttons: the window checks them itself, so that a click on the one
  // already checked changes nothing.
  for (int op : kPanelOperations)
    MakeChild(p, L"BUTTON", L"", BS_RADIOBUTTON | WS_TABSTOP | kClip, RadioId(op), Bounds(0, 0, s(200), s(kLineHeight)),
              f);

  // Inline controls: spins, selectors, "of every word", the replacement box.
  for (const Spin& spin : kSpins) {
    MakeBoxWithArrows(p, spin.edit, spin.bar, WS_TABSTOP, f, *this, s(40), 0);
    SetBarRange(Control(spin.bar), kSpinMin, kSpinMax, 0);
    SetWindowTextW(Control(spin.edit), L"0");
    if (spin.threeDigits) SendMessageW(Control(spin.edit), EM_LIMITTEXT, 3, 0);
    Forward(Control(spin.edit));
    if (spin.bar == IdScrollBar10 || spin.bar == IdScrollBar11) Forward(Control(spin.bar));
  }
  for (const Selector* sel : kSelectors) {
    MakeBoxWithArrows(p, sel->edit, sel->bar, ES_READONLY, f, *this, s(60), 0);
    SetBarRange(Control(sel->bar), sel->range.min, sel->range.max, sel->initial);
    SetWindowLongPtrW(Control(sel->bar), GWL_STYLE, GetWindowLongPtrW(Control(sel->bar), GWL_STYLE) | WS_TABSTOP);
    Forward(Control(sel->edit));
    Forward(Control(sel->bar));
  }
  MakeChild(p, L"BUTTON", L"", BS_AUTOCHECKBOX | WS_TABSTOP | kClip, IdCheckBox5, Bounds(0, 0, s(90), s(kLineHeight)),
            f);
  HWND history = MakeChild(p, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | kClip, IdComboBox4a,
                           Bounds(0, 0, s(100), s(200)), f);
  SendMessageW(history, CB_SETDROPPEDWIDTH, s(130), 0);
  MakeChild(p, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | kClip, IdEdit4a, Bounds(0, 0, s(80), HeightOf(history)), f,
            WS_EX_CLIENTEDGE);
  Forward(Control(IdEdit4a));

  // Optional controls of the parameter slot, created parked.
  MakePanel(p, IdBevel22, Bounds(park, s(kSlotTop), s(kFrameWidth), HeightOf(Control(IdComboBox2))), PanelEdge::Frame);
  int groupWidth = 2 * s(kAttributesMargin) - s(kAttributesGap);
  for (const AttributeBox& b : kAttributeBoxes) {
    HWND box = MakeChild(p, L"BUTTON", b.caption, BS_AUTOCHECKBOX | WS_TABSTOP | kClip, b.id,
                         Bounds(park, 0, s(20), s(kLineHeight)), f);
    MoveControl(box, park, 0, ButtonWidth(box, f, dpi), s(kLineHeight));
    groupWidth += WidthOf(box) + s(kAttributesGap);
  }
  MakePanel(p, IdGroupBox1, Bounds(park, 0, groupWidth, s(kAttributesHeight)), PanelEdge::Frame);
  MakeBoxWithArrows(p, IdEditDate, IdScrollDate, WS_TABSTOP, f, *this, s(kDateWidth), park);
  MakeBoxWithArrows(p, IdEditTime, IdScrollTime, WS_TABSTOP, f, *this, s(kTimeWidth), park);
  for (int bar : {IdScrollDate, IdScrollTime}) SetBarRange(Control(bar), -1, 1, 0);
  Forward(Control(IdEditDate));
  Forward(Control(IdEditTime));
  HWND formats = MakeChild(p, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | kClip, IdComboBox3,
                           Bounds(park, 0, s(kDateFormatWidth), s(300)), f);
  for (const wchar_t* format : kDateFormats) SendMessageW(formats, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(format));
  SendMessageW(formats, CB_SETCURSEL, 0, 0);
  MakePanel(p, IdPanelCreat, Bounds(park, 0, s(kPartsWidth), s(kPartsHeight)), PanelEdge::None);
  constexpr DWORD kHistoryBox = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | kClip;
  MakeChild(p, WC_COMBOBOXW, L"", kHistoryBox, IdComboBoxCreat1, Bounds(park, 0, s(kPrefixWidth), s(200)), f);
  MakeBoxWithArrows(p, IdEditCreat, IdScrollBarCreat, WS_TABSTOP, f, *this, s(kCounterWidth), park);
  SetBarRange(Control(IdScrollBarCreat), -1, 1, 0);
  Forward(Control(IdEditCreat));
  MakeChild(p, WC_COMBOBOXW, L"", kHistoryBox, IdComboBoxCreat2, Bounds(park, 0, s(kSuffixWidth), s(200)), f);

  // Initial contents.
  SetWindowTextW(Control(IdEditDate), L"29-12-2004");
  SetWindowTextW(Control(IdEditTime), L"04:05:46 PM");
  SetWindowTextW(Control(IdEditCreat), L"001");
  SetWindowTextW(Control(IdLabelRenameTo), st.texts->slotLabels[SlotLabelFor(-1)].c_str());

  // Hints: the radio buttons' follow the setting, the groups' always show.
  st.tip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, p, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (st.tip) {
    SendMessageW(st.tip, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
    SendMessageW(st.tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 3500);
    for (const AttributeBox& b : kAttributeBoxes) AddTip(st.tip, p, Control(b.id), b.hint);
    AddComboTip(st.tip, p, Control(IdComboBoxCreat1), L" prefix  ");
    AddTip(st.tip, p, Control(IdEditCreat), L" ## ");
    AddComboTip(st.tip, p, Control(IdComboBoxCreat2), L" suffix  ");
  }
  st.menu = CreateRenameMenu();

  // Stacking: inline controls over the captions they stand in, arrows over
  // their boxes, check boxes over their group; panels lie below everything.
  auto raise = [&](int id) {
    SetWindowPos(Control(id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  raise(IdComboBox4a);
  raise(IdEdit4a);
  raise(IdCheckBox5);
  for (const Spin& spin : kSpins) raise(spin.edit), raise(spin.bar);
  for (const Selector* sel : kSelectors) raise(sel->edit), raise(sel->bar);
  for (int id : {int{IdEditDate}, int{IdScrollDate}, int{IdEditTime}, int{IdScrollTime}, int{IdEditCreat},
                 int{IdScrollBarCreat}})
    raise(id);
  for (const AttributeBox& b : kAttributeBoxes) raise(b.id);
  for (int id : {IdBevel22, IdPanelCreat, IdGroupBox1})
    SetWindowPos(Control(id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  ApplyOperationPanelTexts(*st.texts);
  ParkOperationControls(park);
}

void TMorvaneFrm1::ParkOperationControls(int x) {
  // The "Rename to" box stays in the slot until an operation needs another control.
  const int top = dpi.Scale(kSlotTop);
  MoveTo(Control(IdBevel22), x, top);
  PlaceAttributes(*this, x, top);
  PlaceBoxWithArrows(*this, IdEditDate, IdScrollDate, x, top, WidthOf(Control(IdEditDate)));
  PlaceBoxWithArrows(*this, IdEditTime, IdScrollTime, x, top, WidthOf(Control(IdEditTime)));
  MoveTo(Control(IdComboBox3), x, top);
  PlaceNameParts(*this, x, top);
}

// ---------------------------------------------------------------------------
// Texts and placement

namespace {

void PlaceRadioButtons(TMorvaneFrm1& f, HFONT font) {
  auto s = [&](int v) { return f.dpi.Scale(v); };
  const std::array<int, 20> tops = RadioTops(RadioGeometry{});
  int leftRight = 0;
  for (size_t i = 0; i < kPanelOperations.size(); ++i) {
    const int op = kPanelOperations[i];
    HWND radio = f.Control(RadioId(op));
    const int width = ButtonWidth(radio, font, f.dpi);
    if (i < static_cast<size_t>(kLeftColumnCount)) {
      MoveControl(radio, s(kLeftColumn), s(tops[static_cast<size_t>(op)]), width, s(kLineHeight));
      leftRight = std::max(leftRight, s(kLeftColumn) + width);
    }
  }
  // The right column keeps clear of the left one whatever the language.
  const int rightX = std::max(s(kRightColumn), leftRight + s(12));
  for (size_t i = kLeftColumnCount; i < kPanelOperations.size(); ++i) {
    const int op = kPanelOperations[i];
    HWND radio = f.Control(RadioId(op));
    MoveControl(radio, rightX, s(tops[static_cast<size_t>(op)]), ButtonWidth(radio, font, f.dpi), s(kLineHeight));
  }
}

// Wide enough for its widest text and its arrows.
int SelectorWidth(const TMorvaneFrm1& f, HFONT font, const OperationPanelTexts& texts, const Selector& sel) {
  int widest = 0;
  for (int code = sel.range.first; code <= sel.range.last; ++code)
    widest = std::max(widest, DrawnWidth(font, texts.valueNames[static_cast<size_t>(code)]));
  return widest + f.dpi.Scale(kArrowsWidth + 16);
}

void PlaceInlineControls(TMorvaneFrm1& f, HFONT font, const OperationPanelTexts& texts) {
  auto s = [&](int v) { return f.dpi.Scale(v); };
  const int spinWidth = TextWidth(font, L"888") + s(kArrowsWidth + 16);
  for (const InlineRule& rule : kInlineRules) {
    HWND radio = f.Control(RadioId(rule.measured));
    const std::wstring caption = WindowText(radio);
    const RECT rb = ControlBounds(radio);
    // The design's offset 14 puts a control right over its marker; a smaller
    // one a little further left. The caption starts where the system draws it.
    const int textLeft = rb.left + TextIndent(radio, font, f.dpi);
    const std::wstring toMarker = CaptionToMarker(caption, rule.marker);
    const int marker =
        toMarker.size() < caption.size() || caption.back() == rule.marker ? TextWidth(font, {rule.marker}) : 0;
    const int left = textLeft + DrawnWidth(font, toMarker) - marker - 1 + s(rule.offset) - s(kMarkerOffset);
    const int top = ControlBounds(f.Control(RadioId(rule.topOf))).top + s(rule.topDelta);
    // Wide enough to reach the end of the dash run.
    const int runEnd = textLeft + DrawnWidth(font, toMarker + DashRunAfterMarker(caption, rule.marker)) + 1;
    const int run = runEnd - left;
    auto spin = [&](int edit, int bar) { PlaceBoxWithArrows(f, edit, bar, left, top, std::max(spinWidth, run)); };
    auto selector = [&](const Selector& sel) {
      PlaceBoxWithArrows(f, sel.edit, sel.bar, left, top, std::max(SelectorWidth(f, font, texts, sel), run));
    };
    switch (rule.control) {
      case InlineControl::InsertAt: spin(IdSpin3, IdScrollBar3); break;
      case InlineControl::TrimCount: spin(IdSpin4, IdScrollBar4); break;
      case InlineControl::TrimAt: spin(IdSpin5, IdScrollBar5); break;
      case InlineControl::KeepHead: spin(IdSpin10, IdScrollBar10); break;
      case InlineControl::KeepTail: spin(IdSpin11, IdScrollBar11); break;
      case InlineControl::AddDatePart: selector(kAddDatePart); break;
      case InlineControl::CaseMode: selector(kCaseMode); break;
      case InlineControl::SetDatePart: selector(kSetDatePart); break;
      case InlineControl::NumberStyle: selector(kNumberStyle); break;
      case InlineControl::EveryWord: {
        HWND box = f.Control(IdCheckBox5);
        MoveControl(box, left, top, ButtonWidth(box, font, f.dpi), s(kLineHeight));
        break;
      }
      case InlineControl::Replacement: {
        // The text box covers the history list but for its drop-down button.
        HWND history = f.Control(IdComboBox4a);
        const int width = std::max(run, s(60));
        MoveControl(history, left, top, width, s(200));
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        int button = GetSystemMetrics(SM_CXVSCROLL);
        if (GetComboBoxInfo(history, &info)) button = info.rcButton.right - info.rcButton.left + 2;
        MoveControl(f.Control(IdEdit4a), left, top, width - button, HeightOf(history));
        break;
      }
    }
  }
}

void ShowSelectorText(const TMorvaneFrm1& f, const OperationPanelTexts& texts, const Selector& sel) {
  const int pos = GetScrollPos(f.Control(sel.bar), SB_CTL);
  const bool known = pos >= 1 && pos < static_cast<int>(texts.valueNames.size());
  SetWindowTextW(f.Control(sel.edit), known ? texts.valueNames[static_cast<size_t>(pos)].c_str() : L"");
}

void ShowSlotLabel(TMorvaneFrm1& f, const OperationPanelTexts& texts) {
  HWND label = f.Control(IdLabelRenameTo);
  SetWindowTextW(label, texts.slotLabels[SlotLabelFor(f.currentOperation)].c_str());
  FitLabelWidth(label);
}

}  // namespace

void TMorvaneFrm1::ApplyOperationPanelTexts(const OperationPanelTexts& texts) {
  OperationPanelState& st = *operationPanel_;
  st.texts = &texts;
  for (int op : kPanelOperations) SetWindowTextW(Control(RadioId(op)), texts.captions[static_cast<size_t>(op)].c_str());
  SetWindowTextW(Control(IdCheckBox5), texts.everyWord.c_str());
  PlaceRadioButtons(*this, st.font);
  PlaceInlineControls(*this, st.font, texts);
  for (const Selector* sel : kSelectors) ShowSelectorText(*this, texts, *sel);
  ShowSlotLabel(*this, texts);
  ApplyRadioHints();
}

void TMorvaneFrm1::ApplyRadioHints() {
  OperationPanelState& st = *operationPanel_;
  if (!st.tip) return;
  for (int op : kPanelOperations) {
    HWND radio = Control(RadioId(op));
    if (renamingHints)
      AddTip(st.tip, hwnd, radio, st.texts->hints[static_cast<size_t>(op)]);
    else
      RemoveTip(st.tip, hwnd, radio);
  }
}

std::wstring TMorvaneFrm1::RadioCaption(int operation) const {
  return HasRadioButton(operation) ? WindowText(Control(RadioId(operation))) : std::wstring();
}

std::wstring TMorvaneFrm1::RadioHint(int operation) const {
  return HasRadioButton(operation) ? operationPanel_->texts->hints[static_cast<size_t>(operation)] : std::wstring();
}

// ---------------------------------------------------------------------------
// Choosing an operation

namespace {

int CheckedRadio(const TMorvaneFrm1& f) {
  for (int op : kPanelOperations)
    if (IsChecked(f.Control(RadioId(op)))) return op;
  return -1;
}

void CheckRadio(const TMorvaneFrm1& f, int operation) {
  for (int op : kPanelOperations) SetChecked(f.Control(RadioId(op)), op == operation);
}

// Touching a parameter control chooses its operation, except while a script
// holds the panel or a request is being put on it.
void TouchChoose(TMorvaneFrm1& f, const OperationPanelState& st, int operation) {
  if (!f.scriptMode && st.writing == 0) f.ChooseOperation(operation);
}

void ArrangeSlot(TMorvaneFrm1& f) {
  auto s = [&](int v) { return f.dpi.Scale(v); };
  const int right = ControlBounds(f.Control(IdLabelRenameTo)).left;
  const int top = s(kSlotTop);
  const int park = ParkX(f);
  const SlotContent content = SlotContentFor(f.currentOperation);
  auto at = [&](SlotContent c, int width) { return content == c ? right - width : park; };
  MoveTo(f.Control(IdComboBox2), at(SlotContent::RenameTo, WidthOf(f.Control(IdComboBox2))), top);
  MoveTo(f.Control(IdBevel22), at(SlotContent::EmptyFrame, WidthOf(f.Control(IdBevel22))), top);
  PlaceAttributes(f, at(SlotContent::Attributes, WidthOf(f.Control(IdGroupBox1))), top);
  MoveTo(f.Control(IdComboBox3), at(SlotContent::DateFormat, WidthOf(f.Control(IdComboBox3))), top);
  PlaceNameParts(f, at(SlotContent::NameParts, WidthOf(f.Control(IdPanelCreat))), top);
  const int dateW = WidthOf(f.Control(IdEditDate)), timeW = WidthOf(f.Control(IdEditTime));
  if (content == SlotContent::StartNumber) {
    PlaceBoxWithArrows(f, IdEditDate, IdScrollDate, right - s(kStartNumberWidth), top, s(kStartNumberWidth));
    PlaceBoxWithArrows(f, IdEditTime, IdScrollTime, park, top, timeW);
  } else if (content == SlotContent::DateAndTime) {
    const int timeLeft = right - timeW;
    PlaceBoxWithArrows(f, IdEditTime, IdScrollTime, timeLeft, top, timeW);
    PlaceBoxWithArrows(f, IdEditDate, IdScrollDate, timeLeft - 2 - s(kDateWidth), top, s(kDateWidth));
  } else {
    PlaceBoxWithArrows(f, IdEditDate, IdScrollDate, park, top, dateW);
    PlaceBoxWithArrows(f, IdEditTime, IdScrollTime, park, top, timeW);
  }
}

void EnableBox(const TMorvaneFrm1& f, int edit, int bar, bool on) {
  // A disabled box takes the button face, an enabled one the window colour.
  EnableWindow(f.Control(edit), on);
  EnableWindow(f.Control(bar), on);
  InvalidateRect(f.Control(edit), nullptr, TRUE);
}

// The selector's change rule (a step, a refresh, or entering its bar).
void SelectorChanged(TMorvaneFrm1& f, OperationPanelState& st, const Selector& sel) {
  ShowSelectorText(f, *st.texts, sel);
  const int pos = GetScrollPos(f.Control(sel.bar), SB_CTL);
  if (&sel == &kAddDatePart) {
    const bool on = pos != kDatePartTime;
    EnableWindow(f.Control(IdComboBox3), on);
    if (on) FocusIfShown(f.Control(IdComboBox3));
  } else if (&sel == &kCaseMode) {
    const bool had = GetFocus() == f.Control(sel.bar);
    TouchChoose(f, st, kOpConvertCase);
    if (had) SetFocus(f.Control(sel.bar));
  } else if (&sel == &kSetDatePart) {
    const bool dateOn = pos != kDatePartTime, timeOn = pos != kDatePartDate;
    EnableBox(f, IdEditDate, IdScrollDate, dateOn);
    EnableBox(f, IdEditTime, IdScrollTime, timeOn);
    TouchChoose(f, st, kOpChangeDateTime);
    if (dateOn)
      FocusIfShown(f.Control(IdEditDate));
    else if (timeOn)
      FocusIfShown(f.Control(IdEditTime));
  } else if (&sel == &kNumberStyle) {
    TouchChoose(f, st, kOpNumerate);
    FocusIfShown(f.Control(IdEditDate));
  }
}

// A selector moved to a position: held to its range and wrapped; the change
// rule runs when the position changed (or always, for a refresh).
void SetSelector(TMorvaneFrm1& f, OperationPanelState& st, const Selector& sel, int position, bool refresh) {
  HWND bar = f.Control(sel.bar);
  const int clamped = std::clamp(position, sel.range.min, sel.range.max);
  if (clamped == GetScrollPos(bar, SB_CTL) && !refresh) return;
  SetScrollPos(bar, SB_CTL, WrapSelector(sel.range, clamped), TRUE);
  SelectorChanged(f, st, sel);
}

// A spin moved to a position: held to its range and wrapped; its box shows the
// value when the position changed.
void SetSpin(TMorvaneFrm1& f, OperationPanelState& st, const Spin& spin, int position) {
  HWND bar = f.Control(spin.bar);
  const int clamped = std::clamp(position, kSpinMin, kSpinMax);
  if (clamped == GetScrollPos(bar, SB_CTL)) return;
  const int wrapped = WrapSpinPosition(clamped);
  SetScrollPos(bar, SB_CTL, wrapped, TRUE);
  const std::wstring text = std::to_wstring(-wrapped);
  HWND edit = f.Control(spin.edit);
  if (WindowText(edit) != text) {
    ++st.syncing;
    SetWindowTextW(edit, text.c_str());
    --st.syncing;
  }
}

// The spin box's text becomes the bar's position.
void SpinTextChanged(TMorvaneFrm1& f, OperationPanelState& st, const Spin& spin) {
  if (st.syncing) return;
  const std::wstring text = WindowText(f.Control(spin.edit));
  const std::optional<int> number = ParseInteger(text);
  if (!number) throw AppError{L"'" + text + L"' is not a valid integer value"};
  SetSpin(f, st, spin, SpinPositionForNumber(*number));
}

void StepDateBox(TMorvaneFrm1& f, OperationPanelState& st, bool up) {
  HWND box = f.Control(IdEditDate);
  const std::wstring text = WindowText(box);
  if (f.currentOperation == kOpChangeDateTime) {
    const std::optional<DateTime> date = st.locale.readShortDate(text);
    if (!date) throw AppError{L"'" + text + L"' is not a valid date"};
    SetWindowTextW(box, st.locale.shortDate(AddOneDay(*date, up)).c_str());
  } else if (f.currentOperation == kOpNumerate) {
    SetWindowTextW(box, StepLeadingDigits(text, up).c_str());
  }
}

void StepTimeBox(TMorvaneFrm1& f, OperationPanelState& st, bool up) {
  HWND box = f.Control(IdEditTime);
  DateTime shown;  // midnight when the text is no time
  if (const std::optional<DateTime> time = st.locale.readLongTime(WindowText(box))) {
    const int ms = StepTimeOfDay(((time->hour * 60 + time->minute) * 60 + time->second) * 1000, up);
    const int seconds = ms / 1000;
    shown.hour = seconds / 3600;
    shown.minute = seconds / 60 % 60;
    shown.second = seconds % 60;
  }
  SetWindowTextW(box, st.locale.longTime(shown).c_str());
}

void StepCounterBox(TMorvaneFrm1& f, bool up) {
  if (f.currentOperation != kOpCreateNames) return;
  HWND box = f.Control(IdEditCreat);
  const std::wstring text = WindowText(box);
  const std::optional<std::wstring> next = StepCounter(text, up);
  if (!next) throw AppError{L"'" + text + L"' is not a valid integer value"};
  SetWindowTextW(box, next->c_str());
}

}  // namespace

bool TMorvaneFrm1::ChooseOperation(int operation) {
  if (!operationPanel_ || !HasRadioButton(operation)) return false;
  if (IsChecked(Control(RadioId(operation)))) return false;
  CheckRadio(*this, operation);
  SelectOperation(false);
  return true;
}

void TMorvaneFrm1::SelectOperation(bool fromScript) {
  OperationPanelState& st = *operationPanel_;
  // 1. A run in progress keeps its operation.
  if (runLock) {
    CheckRadio(*this, lockedOperation);
    return;
  }
  // 2.
  if (!fromScript) currentOperation = CheckedRadio(*this);
  const int op = currentOperation;
  const SlotContent content = SlotContentFor(op);
  // 3. The "Rename to" box takes the focus when it is the one going to the slot.
  if (content == SlotContent::RenameTo) SetFocus(Control(IdComboBox2));
  // 4. Fresh values for an interactive choice.
  if (!fromScript) {
    if (op == kOpAttributes)
      for (const AttributeBox& b : kAttributeBoxes) SetChecked(Control(b.id), false);
    if (op == kOpNumerate) SetWindowTextW(Control(IdEditDate), L"001");
    if (op == kOpChangeDateTime) {
      const DateTime now = Now();
      const std::wstring today = st.locale.shortDate(now);
      const std::wstring date = settingsFile ? settingsFile->ReadString(L"Options", L"Date_ch", today) : today;
      SetWindowTextW(Control(IdEditDate), date.c_str());
      SetWindowTextW(Control(IdEditTime), st.locale.longTime(now).c_str());
    }
    if (op == kOpCreateNames) SetWindowTextW(Control(IdEditCreat), L"001");
  }
  // 5-7.
  ShowSlotLabel(*this, *st.texts);
  if (op != kOpCapitalize) SetChecked(Control(IdCheckBox5), false);
  if (op != kOpChangeDateTime) EnableBox(*this, IdEditDate, IdScrollDate, true);
  // 8.
  ArrangeSlot(*this);
  if (content == SlotContent::StartNumber) SetSelector(*this, st, kNumberStyle, PanelBarPosition(IdScrollBar8), true);
  if (content == SlotContent::DateAndTime) SetSelector(*this, st, kSetDatePart, PanelBarPosition(IdScrollBar7), true);
  if (content == SlotContent::DateFormat) SetSelector(*this, st, kAddDatePart, PanelBarPosition(IdScrollBar2), true);
  // Keys must not go to a control that was just parked.
  if (HWND focus = FocusedChild(hwnd); focus && IsParked(focus)) FocusOperationPanel();
}

void TMorvaneFrm1::SelectLastOperation(int operation) { ChooseOperation(operation); }

void TMorvaneFrm1::FocusOperationPanel() {
  HWND to = Control(IdComboBox2);
  if (to && !IsParked(to)) {
    SetFocus(to);
    return;
  }
  if (HasRadioButton(currentOperation))
    SetFocus(Control(RadioId(currentOperation)));
  else
    SetFocus(hwnd);
}

void TMorvaneFrm1::FirstShowOperationPanel() {
  // The top line was laid out anew: the slot follows its label, and the date
  // part of 16 and 17 starts at "Date".
  SetSelector(*this, *operationPanel_, kAddDatePart, kDatePartDate, false);
  ArrangeSlot(*this);
}

// ---------------------------------------------------------------------------
// Reading and writing the request

RenameTask TMorvaneFrm1::ReadRenameTask() const {
  auto value = [&](int bar) { return std::abs(GetScrollPos(Control(bar), SB_CTL)); };
  auto text = [&](int id) { return WindowText(Control(id)); };
  auto checked = [&](int id) { return IsChecked(Control(id)); };
  RenameTask t;
  t.Operation = currentOperation;
  t.RenameTo = text(IdComboBox2);
  t.ReplaceWith = text(IdEdit4a);
  t.InsertAt = value(IdScrollBar3);
  t.TrimCount = value(IdScrollBar4);
  t.TrimAt = value(IdScrollBar5);
  t.KeepHead = value(IdScrollBar10);
  t.KeepTail = value(IdScrollBar11);
  t.EveryWord = checked(IdCheckBox5);
  t.CaseMode = GetScrollPos(Control(IdScrollBar6), SB_CTL);
  t.Attributes.ReadOnly = checked(IdCheckBox1);
  t.Attributes.Archive = checked(IdCheckBox2);
  t.Attributes.Hidden = checked(IdCheckBox3);
  t.Attributes.System = checked(IdCheckBox4);
  t.SetDatePart = GetScrollPos(Control(IdScrollBar7), SB_CTL);
  t.NewDate = text(IdEditDate);
  t.NewTime = text(IdEditTime);
  t.AddDatePart = GetScrollPos(Control(IdScrollBar2), SB_CTL);
  t.DateFormat = text(IdComboBox3);
  t.NumberStyle = GetScrollPos(Control(IdScrollBar8), SB_CTL);
  t.StartNumber = text(IdEditDate);
  t.Prefix = text(IdComboBoxCreat1);
  t.CounterStart = text(IdEditCreat);
  t.Suffix = text(IdComboBoxCreat2);
  return t;
}

void TMorvaneFrm1::WriteRenameTask(const RenameTask& t) {
  OperationPanelState& st = *operationPanel_;
  currentOperation = t.Operation;
  ChooseOperation(t.Operation);
  ++st.writing;
  try {
    auto text = [&](int id, const std::wstring& value) { SetWindowTextW(Control(id), value.c_str()); };
    auto spin = [&](int bar, int value) { SetPanelBarPosition(bar, SpinPositionForNumber(value)); };
    text(IdComboBox2, t.RenameTo);
    text(IdEditDate, t.Operation == kOpNumerate ? t.StartNumber : t.NewDate);
    // The format box is a pick list: a pattern it does not offer leaves it at "[default]".
    HWND formats = Control(IdComboBox3);
    const LRESULT found = SendMessageW(formats, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(t.DateFormat.c_str()));
    SendMessageW(formats, CB_SETCURSEL, found == CB_ERR ? 0 : found, 0);
    spin(IdScrollBar3, t.InsertAt);
    SetChecked(Control(IdCheckBox5), t.EveryWord);
    SetPanelBarPosition(IdScrollBar2, t.AddDatePart);
    SetPanelBarPosition(IdScrollBar6, t.CaseMode);
    spin(IdScrollBar4, t.TrimCount);
    spin(IdScrollBar5, t.TrimAt);
    text(IdEdit4a, t.ReplaceWith);
    text(IdEditTime, t.NewTime);
    SetPanelBarPosition(IdScrollBar7, t.SetDatePart);
    text(IdComboBoxCreat1, t.Prefix);
    text(IdEditCreat, t.CounterStart);
    text(IdComboBoxCreat2, t.Suffix);
    SetChecked(Control(IdCheckBox3), t.Attributes.Hidden);
    SetChecked(Control(IdCheckBox2), t.Attributes.Archive);
    SetChecked(Control(IdCheckBox1), t.Attributes.ReadOnly);
    SetChecked(Control(IdCheckBox4), t.Attributes.System);
    SetPanelBarPosition(IdScrollBar8, t.NumberStyle);
    spin(IdScrollBar10, t.KeepHead);
    spin(IdScrollBar11, t.KeepTail);
  } catch (...) {
    --st.writing;
    throw;
  }
  --st.writing;
  SelectOperation(true);
}

int TMorvaneFrm1::PanelBarPosition(int barId) const { return GetScrollPos(Control(barId), SB_CTL); }

void TMorvaneFrm1::SetPanelBarPosition(int barId, int position) {
  OperationPanelState& st = *operationPanel_;
  if (const Spin* spin = SpinWith(barId); spin && spin->bar == barId)
    SetSpin(*this, st, *spin, position);
  else if (const Selector* sel = SelectorWith(barId); sel && sel->bar == barId)
    SetSelector(*this, st, *sel, position, false);
}

void TMorvaneFrm1::EnableCounterControls(bool enabled) {
  EnableWindow(Control(IdEditCreat), enabled);
  EnableWindow(Control(IdScrollBarCreat), enabled);
}

// ---------------------------------------------------------------------------
// Showing and hiding the panel

namespace {

// Everything that goes with the panel: its controls, the top line, the tool
// strip, the button strip and its buttons, and the help button.
std::vector<int> PanelWindows() {
  std::vector<int> ids = {IdPanelRadio,   IdComboBox1,  IdSpeedButton4, IdLabelFileTypes, IdLabelRenameTo, IdTopRule,
                          IdBevel9,       IdPanel1,     IdSpeedButton2, IdSpeedButton3,   IdSpeedButton5,  IdScrollBar1,
                          IdBevel8,       IdButton1,    IdButton2,      IdButton3,        IdButton4,       IdButton5,
                          IdSpeedButton1, IdComboBox4a, IdEdit4a,       IdCheckBox5};
  for (int op : kPanelOperations) ids.push_back(RadioId(op));
  for (const Spin& s : kSpins) ids.push_back(s.edit), ids.push_back(s.bar);
  for (const Selector* s : kSelectors) ids.push_back(s->edit), ids.push_back(s->bar);
  ids.insert(ids.end(), std::begin(kOptionalControls), std::end(kOptionalControls));
  return ids;
}

}  // namespace

void TMorvaneFrm1::ShowOperationPanel(bool visible) {
  operationPanel_->shown = visible;
  for (int id : PanelWindows()) ShowWindow(Control(id), visible ? SW_SHOWNA : SW_HIDE);
  FormResize();
}

bool TMorvaneFrm1::OperationPanelShown() const { return operationPanel_ && operationPanel_->shown; }

void TMorvaneFrm1::StackWithoutOperationPanel() {
  if (OperationPanelShown()) return;
  // The grid takes the room of the panel and of the button strip.
  RECT client{};
  GetClientRect(hwnd, &client);
  const MainLayout l = ComputeMainLayout(client.right, client.bottom, infoPanelOpen, dpi);
  MoveControl(Control(IdStringGrid1), 0, 0, client.right, l.panelInfo.y);
}

// ---------------------------------------------------------------------------
// The "Rename(rs)" menu

HMENU CreateRenameMenu() {
  HMENU menu = CreatePopupMenu();
  for (size_t i = 0; i < kOperationCatalogue.size(); ++i)
    AppendMenuW(menu, MF_STRING, IdRenameMenuFirst + i, kOperationCatalogue[i].caption);
  return menu;
}

void TMorvaneFrm1::ShowRenameMenu(POINT screen) {
  HMENU menu = operationPanel_->menu;
  // The entry of the chosen operation carries the mark.
  int marked = -1;
  for (size_t i = 0; i < kOperationCatalogue.size(); ++i) {
    const CatalogueEntry& e = kOperationCatalogue[i];
    if (e.id == currentOperation && (e.id != kOpCapitalize || e.everyWord == IsChecked(Control(IdCheckBox5))))
      marked = static_cast<int>(i);
  }
  for (size_t i = 0; i < kOperationCatalogue.size(); ++i)
    CheckMenuItem(menu, IdRenameMenuFirst + i,
                  MF_BYCOMMAND | (static_cast<int>(i) == marked ? MF_CHECKED : MF_UNCHECKED));
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd, nullptr);
}

// ---------------------------------------------------------------------------
// Messages

bool TMorvaneFrm1::OperationPanelMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (!operationPanel_) return false;
  OperationPanelState& st = *operationPanel_;
  result = 0;
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp), code = HIWORD(wp);
      if (id >= IdRenameMenuFirst && id < IdRenameMenuFirst + static_cast<int>(kOperationCatalogue.size()) &&
          code == 0) {
        const CatalogueEntry& e = kOperationCatalogue[static_cast<size_t>(id - IdRenameMenuFirst)];
        ChooseOperation(e.id);
        if (e.id == kOpCapitalize) SetChecked(Control(IdCheckBox5), e.everyWord);
        return true;
      }
      if (id > IdRadioButton0 && id <= RadioId(19) && code == BN_CLICKED) {
        ChooseOperation(id - IdRadioButton0);
        return true;
      }
      if (id == IdCheckBox5 && code == BN_CLICKED) {
        if (IsChecked(Control(IdCheckBox5))) TouchChoose(*this, st, kOpCapitalize);
        return true;
      }
      if (const Spin* spin = SpinWith(id); spin && spin->edit == id && code == EN_CHANGE) {
        SpinTextChanged(*this, st, *spin);
        return true;
      }
      if (id == IdComboBox2 && code == CBN_DROPDOWN) {
        const LRESULT n = SendMessageW(Control(id), CB_GETCOUNT, 0, 0);
        SendMessageW(Control(id), CB_SETMINVISIBLE, static_cast<WPARAM>(n > 7 ? 8 : std::max<LRESULT>(n, 1)), 0);
        return true;
      }
      if (id == IdComboBox4a && code == CBN_DROPDOWN) {
        const LRESULT n = SendMessageW(Control(id), CB_GETCOUNT, 0, 0);
        if (n < 12) SendMessageW(Control(id), CB_SETMINVISIBLE, static_cast<WPARAM>(std::max<LRESULT>(n, 1)), 0);
        return true;
      }
      if (id == IdComboBox4a && code == CBN_SELCHANGE) {
        // A picked entry becomes the replacement text; the list forgets the
        // pick so that the same entry can be picked again.
        HWND history = Control(id);
        const LRESULT i = SendMessageW(history, CB_GETCURSEL, 0, 0);
        if (i == CB_ERR) return true;
        const std::wstring entry = ComboItemText(history, static_cast<int>(i));
        SendMessageW(history, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        ChooseOperation(kOpReplace);
        HWND box = Control(IdEdit4a);
        SetWindowTextW(box, entry.c_str());
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, entry.size(), entry.size());
        return true;
      }
      return false;
    }
    case WM_VSCROLL: {
      const HWND bar = reinterpret_cast<HWND>(lp);
      if (!bar || GetParent(bar) != hwnd) return false;
      const int id = GetDlgCtrlID(bar), code = LOWORD(wp);
      const bool up = code == SB_LINEUP || code == SB_PAGEUP;
      const bool down = code == SB_LINEDOWN || code == SB_PAGEDOWN;
      const bool thumb = code == SB_THUMBPOSITION || code == SB_THUMBTRACK;
      const int pos = GetScrollPos(bar, SB_CTL);
      const int target = up ? pos - 1 : down ? pos + 1 : thumb ? static_cast<short>(HIWORD(wp)) : pos;
      if (const Spin* spin = SpinWith(id); spin && spin->bar == id) {
        if (up || down || thumb) SetSpin(*this, st, *spin, target);
        std::optional<int> choice;
        if (up || down) {
          if (id == IdScrollBar3) choice = ArrowChoice(ArrowBar::InsertAt, up, currentOperation, scriptMode);
          if (id == IdScrollBar4 || id == IdScrollBar5)
            choice = ArrowChoice(ArrowBar::Trim, up, currentOperation, scriptMode);
        }
        if (choice) ChooseOperation(*choice);
        return true;
      }
      if (const Selector* sel = SelectorWith(id); sel && sel->bar == id) {
        if (up || down || thumb) SetSelector(*this, st, *sel, target, false);
        if (sel == &kAddDatePart && (up || down))
          if (auto choice = ArrowChoice(ArrowBar::AddDatePart, up, currentOperation, scriptMode))
            ChooseOperation(*choice);
        return true;
      }
      if (id == IdScrollDate || id == IdScrollTime || id == IdScrollBarCreat) {
        if (up || down) {
          if (id == IdScrollDate)
            StepDateBox(*this, st, up);
          else if (id == IdScrollTime)
            StepTimeBox(*this, st, up);
          else
            StepCounterBox(*this, up);
        }
        SetScrollPos(bar, SB_CTL, 0, TRUE);
        return true;
      }
      return false;
    }
    case WM_CTLCOLORSTATIC: {
      // The selectors are read-only boxes that look like ordinary ones.
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
      const Selector* sel = SelectorWith(id);
      if (!sel || sel->edit != id || !IsWindowEnabled(reinterpret_cast<HWND>(lp))) return false;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      return true;
    }
    case WM_CONTEXTMENU: {
      // Over the bare panel or a radio button: the "Rename(rs)" menu.
      const HWND from = reinterpret_cast<HWND>(wp);
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      const int fromId = from == hwnd ? 0 : GetDlgCtrlID(from);
      const bool radio = fromId > IdRadioButton0 && fromId <= RadioId(19);
      if (from == hwnd) {
        POINT client = pt;
        ScreenToClient(hwnd, &client);
        const RECT panel = ControlBounds(Control(IdPanelRadio));
        if (!OperationPanelShown() || !PtInRect(&panel, client)) return false;
      } else if (!radio) {
        return false;
      }
      if (pt.x == -1 && pt.y == -1) {
        const RECT r = ControlBounds(from == hwnd ? Control(IdPanelRadio) : from);
        pt = POINT{r.left, r.bottom};
        ClientToScreen(hwnd, &pt);
      }
      ShowRenameMenu(pt);
      return true;
    }
    case kSpinLeftMessage: {
      if (const Spin* spin = SpinWith(static_cast<int>(wp)); spin && spin->edit == static_cast<int>(wp))
        SpinTextChanged(*this, st, *spin);
      return true;
    }
    case kPanelEventMessage: {
      const auto& e = *reinterpret_cast<const ControlEvent*>(lp);
      const int id = GetDlgCtrlID(e.control);
      const bool before = wp == kBefore;
      result = 0;
      if (e.msg == WM_CHAR && before) {
        const wchar_t c = static_cast<wchar_t>(e.wp);
        std::optional<KeyFilter> filter;
        if (SpinWith(id))
          filter = KeyFilter::Spin;
        else if (id == IdEditDate || id == IdEditCreat)
          filter = KeyFilter::DateBox;
        else if (id == IdEditTime)
          filter = KeyFilter::TimeBox;
        else if (id == IdEdit4a)
          filter = KeyFilter::Replacement;
        if (filter && !KeyAccepted(*filter, c, DateSeparator(), st.timeSeparator)) result = 1;
        return true;
      }
      if (e.msg == WM_KEYDOWN && before) {
        const Spin* spin = SpinWith(id);
        if (spin && spin->edit == id && (e.wp == VK_UP || e.wp == VK_DOWN)) {
          const int pos = GetScrollPos(Control(spin->bar), SB_CTL);
          SetSpin(*this, st, *spin, e.wp == VK_UP ? pos - 1 : pos + 1);
          result = 1;
        }
        return true;
      }
      if (e.msg == WM_KILLFOCUS && before) {
        // Leaving a spin box for another control of the window checks its
        // number once the focus has moved; a message box taking the focus is no leaving.
        const Spin* spin = SpinWith(id);
        const HWND to = reinterpret_cast<HWND>(e.wp);
        if (spin && spin->edit == id && to && (to == hwnd || IsChild(hwnd, to)))
          PostMessageW(hwnd, kSpinLeftMessage, static_cast<WPARAM>(id), 0);
        return true;
      }
      const Selector* sel = SelectorWith(id);
      if ((e.msg == WM_LBUTTONDOWN || e.msg == WM_LBUTTONDBLCLK) && before) {
        if (sel && sel->edit == id) {
          // Clicking a selector's text gives the focus to its arrows.
          SetFocus(Control(sel->bar));
          result = 1;
        } else if ((sel && sel->bar == id) || id == IdScrollBar10 || id == IdScrollBar11) {
          if (GetFocus() != e.control) SetFocus(e.control);
        }
        return true;
      }
      if (e.msg == WM_LBUTTONUP && !before && id == IdEdit4a) {
        TouchChoose(*this, st, kOpReplace);
        SetFocus(e.control);
        SendMessageW(e.control, EM_SETSEL, 0, -1);
        return true;
      }
      if (e.msg == WM_SETFOCUS && !before && !st.entering) {
        st.entering = true;
        try {
          if (id == IdScrollBar10 || id == IdScrollBar11)
            ChooseOperation(kOpTrimBetween);
          else if (sel == &kCaseMode && id == sel->bar)
            SelectorChanged(*this, st, *sel);
          else if (sel == &kNumberStyle && id == sel->bar)
            SelectorChanged(*this, st, *sel);
        } catch (...) {
          st.entering = false;
          throw;
        }
        st.entering = false;
        return true;
      }
      return true;
    }
    default: return false;
  }
}

}  // namespace rn
