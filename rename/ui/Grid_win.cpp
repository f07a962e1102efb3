#include "ui/Grid_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "base/Handle_win.h"
#include "base/Texts.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"
#include "ui/GridAccessible_win.h"
#include "ui/Tooltips_win.h"

namespace rn {

namespace {

constexpr int kLineWidth = 1;
constexpr COLORREF kSelectedBackground = RGB(230, 230, 230);
// New names: a change in dark blue; a row the run refuses or stops at in dark
// red on a pale red ground (a darker one when selected).
constexpr COLORREF kChangeText = RGB(0, 0, 150);
constexpr COLORREF kMarkedText = RGB(170, 0, 0);
constexpr COLORREF kMarkedBackground = RGB(255, 226, 226);
constexpr COLORREF kMarkedSelected = RGB(240, 205, 205);
constexpr int kPastLastColumn = INT_MIN;  // ColumnLeft of it: the width of all columns
constexpr int kHintWidth = 420;           // design pixels; longer hints wrap at their line breaks and here

// The grid is a form of its own kind, so its messages pass through the same
// thunk as every other window of the program.
struct GridForm : Form {
  const FileList* list = nullptr;
  Dpi dpi;
  int rowHeight = 13;
  HFONT font = nullptr;
  HFONT boldFont = nullptr;
  HFONT checkFont = nullptr;
  FontHandle fonts[3];  // the three above, freed with the grid
  std::vector<int> widths;
  int previewWidth = -1;
  int top = 0;
  int anchor = 0;
  int current = 0;
  int selFirst = 0;
  int selLast = 0;
  bool dragging = false;
  GridEvents events;
  HWND tip = nullptr;
  std::wstring hint;
  std::shared_ptr<GridAccessLink> access;  // the objects screen readers hold

  ~GridForm() override {
    Disconnect();
    if (tip) DestroyWindow(tip);
  }
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  int Rows() const { return std::max(1, list->RowCount()); }
  int Pitch() const { return rowHeight + kLineWidth; }
  int VisibleRows() const {
    RECT r{};
    GetClientRect(hwnd, &r);
    return std::max(1, static_cast<int>(r.bottom) / Pitch());
  }
  int MaxTop() const { return std::max(0, Rows() - VisibleRows()); }
  int Width(int col) const {
    if (col == kGridPreviewColumn) return previewWidth;
    if (col < static_cast<int>(widths.size())) return widths[static_cast<size_t>(col)];
    return col <= ColShortPath ? 64 : -1;
  }
  // Columns from left to right: the list's, with the new names after the path.
  int Columns() const { return list->ColumnCount() + 1; }
  static int ColumnAt(int place) {
    return place <= ColShortPath ? place : place == ColShortPath + 1 ? kGridPreviewColumn : place - 1;
  }
  int ColumnLeft(int col) const {
    int x = 0;
    for (int place = 0; place < Columns() && ColumnAt(place) != col; ++place)
      if (Width(ColumnAt(place)) >= 0) x += Width(ColumnAt(place)) + kLineWidth;
    return x;
  }

  // The objects handed out so far answer no more (their rows or window are gone).
  void Disconnect() {
    if (access) access->grid = nullptr;
    access.reset();
  }
  // Tells screen readers which row is current (when the grid has the focus)
  // and that the selection changed.
  void Announce();
  void UpdateScrollBar();
  void Scroll(int newTop);
  void MoveCurrent(int row, bool extend);
  void EnsureVisible(int row);
  void Paint(HDC dc, const RECT& client);
  void PaintRow(HDC dc, int row, int y, const RECT& client);
  void PaintPreview(HDC dc, int row, const RECT& cell, bool selected);
  void UpdateHint(POINT pt);
  void CancelHint();
  void MakeHint(POINT pt);
  void OnMouse(UINT msg, WPARAM wp, LPARAM lp);
  void OnKey(UINT vk);
};

GridForm* FormOf(HWND grid) { return rn::FormOf<GridForm>(grid, kGridClassName); }

// The check mark: bold italic, 10 points.
HFONT CheckMarkFont(const Dpi& dpi) {
  return CreateFontW(-MulDiv(10, dpi.screen, 72), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                     L"MS Sans Serif");
}

void GridForm::UpdateScrollBar() {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = Rows() - 1;
  si.nPage = static_cast<UINT>(VisibleRows());
  si.nPos = top;
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void GridForm::Scroll(int newTop) {
  newTop = std::clamp(newTop, 0, MaxTop());
  if (newTop == top) return;
  top = newTop;
  UpdateScrollBar();
  InvalidateRect(hwnd, nullptr, FALSE);
}

void GridForm::EnsureVisible(int row) {
  if (row < top)
    Scroll(row);
  else if (row >= top + VisibleRows())
    Scroll(row - VisibleRows() + 1);
}

void GridForm::MoveCurrent(int row, bool extend) {
  row = std::clamp(row, 0, Rows() - 1);
  if (!extend) anchor = row;
  current = row;
  selFirst = std::min(anchor, row);
  selLast = std::max(anchor, row);
  EnsureVisible(row);
  InvalidateRect(hwnd, nullptr, FALSE);
  Announce();
  if (events.selectionChanged) events.selectionChanged();
}

void GridForm::Announce() {
  if (list->Empty()) return;
  if (selFirst == selLast)
    NotifyWinEvent(EVENT_OBJECT_SELECTION, hwnd, OBJID_CLIENT, selFirst + 1);
  else
    NotifyWinEvent(EVENT_OBJECT_SELECTIONWITHIN, hwnd, OBJID_CLIENT, CHILDID_SELF);
  if (GetFocus() == hwnd) NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, current + 1);
}

void GridForm::PaintRow(HDC dc, int row, int y, const RECT& client) {
  const FileRow& fr = list->Row(row);
  const bool selected = row >= selFirst && row <= selLast;
  const bool dir = fr.isDir;
  SetBkColor(dc, selected ? kSelectedBackground : GetSysColor(COLOR_WINDOW));
  int x = 0;
  for (int place = 0; place < Columns() && x < client.right; ++place) {
    const int c = ColumnAt(place);
    const int w = Width(c);
    if (w < 0) continue;
    RECT cell{x, y, x + w, y + rowHeight};
    x += w + kLineWidth;
    if (c == kGridPreviewColumn) {
      PaintPreview(dc, row, cell, selected);
      SetBkColor(dc, selected ? kSelectedBackground : GetSysColor(COLOR_WINDOW));
      continue;
    }
    if (c == ColCheckMark) {
      // The check mark: bold italic red, nudged up and left, kept inside its cell.
      SelectObject(dc, checkFont);
      SetTextColor(dc, RGB(255, 0, 0));
      const std::wstring mark = fr.checked ? Text(TextId::CheckMark) : L"";
      ExtTextOutW(dc, cell.left - dpi.Scale(3), cell.top - dpi.Scale(1), ETO_CLIPPED | ETO_OPAQUE, &cell, mark.c_str(),
                  static_cast<UINT>(mark.size()), nullptr);
      continue;
    }
    SelectObject(dc, dir ? boldFont : font);
    SetTextColor(dc, GetSysColor(dir ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    const std::wstring text = list->Cell(c, row);
    ExtTextOutW(dc, cell.left + dpi.Scale(2), cell.top + dpi.Scale(1), ETO_CLIPPED | ETO_OPAQUE, &cell, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
  }
}

void GridForm::PaintPreview(HDC dc, int row, const RECT& cell, bool selected) {
  GridPreviewCell p;
  if (events.previewCell && !list->Empty()) p = events.previewCell(row);
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  COLORREF ground = selected ? kSelectedBackground : GetSysColor(COLOR_WINDOW);
  switch (p.look) {
    case PreviewLook::Change: text = kChangeText; break;
    case PreviewLook::Same: text = GetSysColor(COLOR_GRAYTEXT); break;
    case PreviewLook::Marked:
      text = kMarkedText;
      ground = selected ? kMarkedSelected : kMarkedBackground;
      break;
    case PreviewLook::Blank: p.text.clear(); break;
  }
  SelectObject(dc, list->Row(row).isDir ? boldFont : font);  // a folder's new name as bold as its path
  SetTextColor(dc, text);
  SetBkColor(dc, ground);
  ExtTextOutW(dc, cell.left + dpi.Scale(2), cell.top + dpi.Scale(1), ETO_CLIPPED | ETO_OPAQUE, &cell, p.text.c_str(),
              static_cast<UINT>(p.text.size()), nullptr);
}

void GridForm::Paint(HDC dc, const RECT& client) {
  if (events.beforePaint) events.beforePaint();
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const int rows = list->RowCount();
  const int last = std::min(rows - 1, top + static_cast<int>(client.bottom) / Pitch() + 1);
  // The grid lines show as the face colour between the cells of every row in view.
  HBRUSH lines = GetSysColorBrush(COLOR_BTNFACE);
  for (int r = top; r <= last; ++r) {
    const int y = (r - top) * Pitch();
    PaintRow(dc, r, y, client);
    RECT hline{0, y + rowHeight, client.right, y + Pitch()};
    int x = 0;
    for (int place = 0; place < Columns(); ++place) {
      const int c = ColumnAt(place);
      if (Width(c) < 0) continue;
      x += Width(c);
      RECT vline{x, y, x + kLineWidth, y + Pitch()};
      FillRect(dc, &vline, lines);
      x += kLineWidth;
    }
    hline.right = x;
    FillRect(dc, &hline, lines);
  }
  if (GetFocus() == hwnd && current >= top && current <= last) {
    RECT focus{0, (current - top) * Pitch(), ColumnLeft(kPastLastColumn) - kLineWidth,
               (current - top) * Pitch() + rowHeight};
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    DrawFocusRect(dc, &focus);
  }
}

void GridForm::CancelHint() {
  if (tip) SendMessageW(tip, TTM_POP, 0, 0);
}

void GridForm::UpdateHint(POINT pt) {
  int col = -1, row = -1;
  std::wstring text;
  if (GridHitTest(hwnd, pt, col, row) && !list->Empty()) {
    if (col == ColShortPath) text = list->Row(row).name;
    if (col == kGridPreviewColumn && events.previewCell) {
      const GridPreviewCell cell = events.previewCell(row);
      text = cell.look == PreviewLook::Blank ? L"" : cell.hint.empty() ? cell.text : cell.hint;
    }
  }
  if (text != hint) {
    CancelHint();
    hint = text;
  } else if (text.empty()) {
    CancelHint();
  }
  if (!text.empty() && !tip) MakeHint(pt);
}

// The hint window is made when a row first has a hint to show; the move
// that found it is passed on, so that it shows without another.
void GridForm::MakeHint(POINT pt) {
  tip = CreateTooltip(hwnd);
  if (!tip) return;
  TOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = hwnd;
  ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
  ti.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  // A hint of several lines breaks where its text does.
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, dpi.Scale(kHintWidth));
  MSG move{hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y), static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&move.pt);
  SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void GridForm::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  int col = -1, row = -1;
  const bool hit = GridHitTest(hwnd, pt, col, row);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(hwnd);
      if (hit) {
        MoveCurrent(row, (wp & MK_SHIFT) != 0);
        dragging = true;
        SetCapture(hwnd);
      }
      break;
    case WM_RBUTTONDOWN: SetFocus(hwnd); break;
    case WM_LBUTTONUP:
      if (dragging) ReleaseCapture();
      dragging = false;
      break;
    default: break;
  }
  if (events.mouse) events.mouse(hit ? row : -1, hit ? col : -1, msg, wp);
}

void GridForm::OnKey(UINT vk) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const int page = std::max(1, VisibleRows() - 1);
  switch (vk) {
    case VK_UP: MoveCurrent(current - 1, shift); break;
    case VK_DOWN: MoveCurrent(current + 1, shift); break;
    case VK_PRIOR: MoveCurrent(current - page, shift); break;
    case VK_NEXT: MoveCurrent(current + page, shift); break;
    case VK_HOME: MoveCurrent(0, shift); break;
    case VK_END: MoveCurrent(Rows() - 1, shift); break;
    default: break;
  }
}

LRESULT GridForm::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client{};
      GetClientRect(hwnd, &client);
      // Drawn off screen first, so that scrolling through long lists never flickers.
      {
        const MemoryDc mem(CreateCompatibleDC(dc));
        const BitmapHandle bmp(CreateCompatibleBitmap(dc, std::max(1, static_cast<int>(client.right)),
                                                      std::max(1, static_cast<int>(client.bottom))));
        const Selected bitmap(mem.Get(), bmp.Get()), withFont(mem.Get(), font);
        Paint(mem.Get(), client);
        BitBlt(dc, 0, 0, client.right, client.bottom, mem.Get(), 0, 0, SRCCOPY);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(hwnd, &client);
      HGDIOBJ oldFont = SelectObject(reinterpret_cast<HDC>(wp), font);
      Paint(reinterpret_cast<HDC>(wp), client);
      SelectObject(reinterpret_cast<HDC>(wp), oldFont);
      return 0;
    }
    case WM_SIZE:
      top = std::clamp(top, 0, MaxTop());
      UpdateScrollBar();
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_VSCROLL: {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_ALL;
      GetScrollInfo(hwnd, SB_VERT, &si);
      int t = top;
      switch (LOWORD(wp)) {
        case SB_LINEUP: --t; break;
        case SB_LINEDOWN: ++t; break;
        case SB_PAGEUP: t -= VisibleRows(); break;
        case SB_PAGEDOWN: t += VisibleRows(); break;
        case SB_TOP: t = 0; break;
        case SB_BOTTOM: t = MaxTop(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: t = si.nTrackPos; break;
        default: break;
      }
      Scroll(t);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      const int notches = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
      if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(VisibleRows());
      Scroll(top - notches * static_cast<int>(lines));
      return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      if (!list->Empty()) NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, current + 1);
      return 0;
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT) return DefWindowProcW(hwnd, msg, wp, lp);
      if (!access) access = std::make_shared<GridAccessLink>(GridAccessLink{hwnd});
      return GridAccessibleResult(access, wp);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (msg == WM_KEYDOWN) OnKey(static_cast<UINT>(wp));
      if (events.key) events.key(static_cast<UINT>(wp));
      return msg == WM_SYSKEYDOWN ? DefWindowProcW(hwnd, msg, wp, lp) : 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (events.keyUp) events.keyUp(static_cast<UINT>(wp));
      return DefWindowProcW(hwnd, msg, wp, lp);  // the menu key and Shift+F10 open the context menu
    case WM_MOUSEMOVE: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (dragging && (wp & MK_LBUTTON)) {
        // Dragging past the edge scrolls one row at a time.
        int col = -1, row = -1;
        if (pt.y < 0)
          row = std::max(0, top - 1);
        else if (!GridHitTest(hwnd, POINT{std::max(0L, pt.x), pt.y}, col, row))
          row = pt.y >= VisibleRows() * Pitch() ? std::min(Rows() - 1, top + VisibleRows()) : current;
        if (row != current) MoveCurrent(row, true);
      }
      UpdateHint(pt);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: OnMouse(msg, wp, lp); return 0;
    case WM_RBUTTONUP:
      OnMouse(msg, wp, lp);
      return DefWindowProcW(hwnd, msg, wp, lp);  // raises WM_CONTEXTMENU for the owner
    case WM_CAPTURECHANGED: dragging = false; return 0;
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(lp);
      if (nm && nm->hwndFrom == tip && nm->code == TTN_GETDISPINFOW) {
        auto* di = reinterpret_cast<NMTTDISPINFOW*>(lp);
        di->lpszText = const_cast<wchar_t*>(hint.c_str());
        di->hinst = nullptr;
      }
      return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

HWND CreateFileGrid(HWND parent, int controlId, const FileList* list, const Dpi& dpi, const RECT& at) {
  RegisterFormClass(kGridClassName);
  auto owner = std::make_unique<GridForm>();
  GridForm* form = owner.get();
  form->list = list;
  form->dpi = dpi;
  form->rowHeight = dpi.Scale(13);
  form->fonts[0].Reset(form->font = CreateFormFont(dpi));
  form->fonts[1].Reset(form->boldFont = CreateFormFont(dpi, true));
  form->fonts[2].Reset(form->checkFont = CheckMarkFont(dpi));
  form->widths.assign(kBaseColumnCount, -1);
  form->widths[ColCheckMark] = 64;
  form->widths[ColShortPath] = 64;
  HWND grid =
      CreateChildForm(std::move(owner), kGridClassName, L"", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL,
                      WS_EX_CLIENTEDGE, parent, controlId, at);
  if (!grid) return nullptr;
  form->UpdateScrollBar();

  return grid;
}

void GridSetEvents(HWND grid, GridEvents events) {
  if (GridForm* g = FormOf(grid)) g->events = std::move(events);
}

void GridRowsChanged(HWND grid) {
  GridForm* g = FormOf(grid);
  if (!g) return;
  const int last = g->Rows() - 1;
  g->current = std::min(g->current, last);
  g->anchor = std::min(g->anchor, last);
  g->selFirst = std::min(g->selFirst, last);
  g->selLast = std::min(g->selLast, last);
  if (static_cast<int>(g->widths.size()) < g->list->ColumnCount())
    g->widths.resize(static_cast<size_t>(g->list->ColumnCount()), -1);
  g->top = std::clamp(g->top, 0, g->MaxTop());
  g->UpdateScrollBar();
  InvalidateRect(grid, nullptr, FALSE);
  // Other rows now: screen readers ask anew.
  g->Disconnect();
  NotifyWinEvent(EVENT_OBJECT_REORDER, grid, OBJID_CLIENT, CHILDID_SELF);
}

void GridRowsStateChanged(HWND grid, int first, int last) {
  GridForm* g = FormOf(grid);
  if (!g || g->list->Empty()) return;
  InvalidateRect(grid, nullptr, FALSE);
  // Only the rows in view and the current one: a change of thousands of
  // rows is not read out row by row.
  const int from = std::max({first, g->top, 0});
  const int to = std::min({last, g->top + g->VisibleRows(), g->list->RowCount() - 1});
  for (int row = from; row <= to; ++row) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, grid, OBJID_CLIENT, row + 1);
  if (g->current >= first && g->current <= last && (g->current < from || g->current > to))
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, grid, OBJID_CLIENT, g->current + 1);
}

const FileList* GridList(HWND grid) {
  GridForm* g = FormOf(grid);
  return g ? g->list : nullptr;
}

GridPreviewCell GridPreview(HWND grid, int row) {
  GridForm* g = FormOf(grid);
  if (!g || !g->events.previewCell || g->list->Empty() || row < 0 || row >= g->list->RowCount()) return {};
  return g->events.previewCell(row);
}

int GridTopRow(HWND grid) {
  GridForm* g = FormOf(grid);
  return g ? g->top : 0;
}

void GridSetTopRow(HWND grid, int row) {
  if (GridForm* g = FormOf(grid)) g->Scroll(row);
}

int GridVisibleRows(HWND grid) {
  GridForm* g = FormOf(grid);
  return g ? g->VisibleRows() : 1;
}

bool GridHasScrollBar(HWND grid) {
  GridForm* g = FormOf(grid);
  return g && g->Rows() > g->VisibleRows();
}

void GridGetSelection(HWND grid, int& first, int& last) {
  GridForm* g = FormOf(grid);
  first = g ? g->selFirst : 0;
  last = g ? g->selLast : 0;
}

void GridSetSelection(HWND grid, int first, int last) {
  GridForm* g = FormOf(grid);
  if (!g) return;
  const int n = g->Rows() - 1;
  first = std::clamp(first, 0, n);
  last = std::clamp(last, 0, n);
  g->anchor = first;
  g->current = last;
  g->selFirst = std::min(first, last);
  g->selLast = std::max(first, last);
  g->EnsureVisible(last);
  InvalidateRect(grid, nullptr, FALSE);
  g->Announce();
}

int GridCurrentRow(HWND grid) {
  GridForm* g = FormOf(grid);
  return g ? g->current : 0;
}

void GridSetColumnWidth(HWND grid, int col, int width) {
  GridForm* g = FormOf(grid);
  if (g && col == kGridPreviewColumn) {
    g->previewWidth = width < 0 ? -1 : width;
    InvalidateRect(grid, nullptr, FALSE);
  }
  if (!g || col < 0) return;
  if (col >= static_cast<int>(g->widths.size())) g->widths.resize(static_cast<size_t>(col) + 1, -1);
  g->widths[static_cast<size_t>(col)] = width < 0 ? -1 : width;
  InvalidateRect(grid, nullptr, FALSE);
}

int GridColumnWidth(HWND grid, int col) {
  GridForm* g = FormOf(grid);
  return g ? g->Width(col) : -1;
}

int GridLineWidth(HWND) { return kLineWidth; }

std::wstring GridHintText(HWND grid) {
  GridForm* g = FormOf(grid);
  return g ? g->hint : std::wstring();
}

void GridCellRect(HWND grid, int col, int row, RECT& rect) {
  rect = RECT{};
  GridForm* g = FormOf(grid);
  if (!g || g->Width(col) < 0) return;
  const int x = g->ColumnLeft(col);
  const int y = (row - g->top) * g->Pitch();
  rect = RECT{x, y, x + g->Width(col), y + g->rowHeight};
}

bool GridHitTest(HWND grid, POINT pt, int& col, int& row) {
  col = row = -1;
  GridForm* g = FormOf(grid);
  if (!g || pt.x < 0 || pt.y < 0) return false;
  RECT client{};
  GetClientRect(grid, &client);
  if (pt.y >= client.bottom) return false;
  const int r = g->top + pt.y / g->Pitch();
  if (r >= g->list->RowCount()) return false;
  int x = 0;
  for (int place = 0; place < g->Columns(); ++place) {
    const int c = GridForm::ColumnAt(place);
    const int w = g->Width(c);
    if (w < 0) continue;
    if (pt.x < x + w + kLineWidth) {
      col = c;
      row = r;
      return true;
    }
    x += w + kLineWidth;
  }
  return false;
}

}  // namespace rn
