// The file grid as the user meets it: clicks, keys and the wheel move the
// selection and the view, the hint names the file, and the cells are painted
// by the drawing rules.
#include <windows.h>

#include <vector>

#include "support/UiHarness_win.h"
#include "ui/Grid_win.h"

namespace {

using rntest::Pump;

constexpr int kViewRows = 10;

WPARAM Wheel(int delta) { return MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))); }

struct GridFixture : ::testing::Test {
  rn::FileList list;
  rn::Dpi dpi;
  HWND parent = nullptr;
  HWND grid = nullptr;
  int selectionEvents = 0;
  std::vector<int> clickedRows;

  void SetUp() override {
    parent = CreateWindowExW(0, L"STATIC", L"grid host", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    grid = rn::CreateFileGrid(parent, 100, &list, dpi);
    ASSERT_NE(grid, nullptr);
    // A client area of exactly ten rows and their grid lines.
    const int pitch = dpi.Scale(13) + 1;
    RECT want{0, 0, 300, kViewRows * pitch};
    AdjustWindowRectEx(&want, WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
    MoveWindow(grid, 0, 0, want.right - want.left + GetSystemMetrics(SM_CXVSCROLL), want.bottom - want.top, TRUE);
    rn::GridSetColumnWidth(grid, rn::ColCheckMark, 12);
    rn::GridSetColumnWidth(grid, rn::ColShortPath, 250);
    rn::GridEvents events;
    events.selectionChanged = [this] { ++selectionEvents; };
    events.mouse = [this](int row, int, UINT msg, WPARAM) {
      if (msg == WM_LBUTTONDOWN) clickedRows.push_back(row);
    };
    rn::GridSetEvents(grid, std::move(events));
    Pump();
  }
  void TearDown() override {
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    DestroyWindow(parent);
    Pump();
  }

  void AddFiles(int count, bool folders = false) {
    for (int i = 0; i < count; ++i)
      list.AddRow(L"C:\\data\\file" + std::to_wstring(list.EntryCount()) + L".txt", folders, L"2014/03/25");
    rn::GridRowsChanged(grid);
  }
  POINT CellCenter(int col, int row) {
    RECT r;
    rn::GridCellRect(grid, col, row, r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Click(int col, int row, WPARAM keys = 0) {
    POINT p = CellCenter(col, row);
    SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
    SendMessageW(grid, WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
  }
  void Key(UINT vk, bool shift = false) {
    BYTE keys[256] = {};
    if (shift) keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(grid, WM_KEYDOWN, vk, 1);
    SendMessageW(grid, WM_KEYUP, vk, 1);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
  std::pair<int, int> Selection() {
    int first = -1, last = -1;
    rn::GridGetSelection(grid, first, last);
    return {first, last};
  }
  bool ScrollBarVisible() { return (GetWindowLongPtrW(grid, GWL_STYLE) & WS_VSCROLL) != 0; }

  // The grid painted into a bitmap of our own, pixel by pixel.
  std::vector<COLORREF> Render(int& width, int& height) {
    RECT client;
    GetClientRect(grid, &client);
    width = client.right;
    height = client.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(grid, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    const auto* p = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
  }
  int CountInCell(const std::vector<COLORREF>& px, int width, int col, int row, COLORREF colour) {
    RECT r;
    rn::GridCellRect(grid, col, row, r);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (px[static_cast<size_t>(y) * width + x] == colour) ++n;
    return n;
  }
};

TEST_F(GridFixture, ScrollBarAppearsOnlyWhenRowsExceedTheView) {
  EXPECT_EQ(rn::GridVisibleRows(grid), kViewRows);
  AddFiles(kViewRows);
  EXPECT_FALSE(rn::GridHasScrollBar(grid));
  EXPECT_FALSE(ScrollBarVisible());
  AddFiles(1);
  EXPECT_TRUE(rn::GridHasScrollBar(grid));
  EXPECT_TRUE(ScrollBarVisible());
  list.Clear();
  rn::GridRowsChanged(grid);
  EXPECT_FALSE(ScrollBarVisible());
  EXPECT_EQ(Selection(), std::make_pair(0, 0));
}

TEST_F(GridFixture, ClicksAndKeysSelectContiguousRows) {
  AddFiles(30);
  Click(1, 2);
  EXPECT_EQ(Selection(), std::make_pair(2, 2));
  EXPECT_EQ(clickedRows, std::vector<int>{2});
  Click(1, 5, MK_SHIFT);
  EXPECT_EQ(Selection(), std::make_pair(2, 5));
  EXPECT_EQ(rn::GridCurrentRow(grid), 5);
  Click(1, 0, MK_SHIFT);  // the anchor stays where the range began
  EXPECT_EQ(Selection(), std::make_pair(0, 2));

  Key(VK_DOWN);
  EXPECT_EQ(Selection(), std::make_pair(1, 1));
  Key(VK_DOWN, true);
  Key(VK_DOWN, true);
  EXPECT_EQ(Selection(), std::make_pair(1, 3));
  Key(VK_END);
  EXPECT_EQ(Selection(), std::make_pair(29, 29));
  EXPECT_EQ(rn::GridTopRow(grid), 30 - kViewRows);  // the current row is scrolled into view
  Key(VK_PRIOR);
  EXPECT_EQ(rn::GridCurrentRow(grid), 29 - (kViewRows - 1));
  Key(VK_HOME, true);
  EXPECT_EQ(Selection(), std::make_pair(0, 29 - (kViewRows - 1)));
  EXPECT_EQ(rn::GridTopRow(grid), 0);
  Key(VK_UP);  // already at the top
  EXPECT_EQ(Selection(), std::make_pair(0, 0));
  EXPECT_GE(selectionEvents, 8);
}

TEST_F(GridFixture, ClickBelowTheLastRowLeavesTheSelection) {
  AddFiles(3);
  Click(1, 1);
  POINT below = CellCenter(1, 8);
  SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(below.x, below.y));
  SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
  EXPECT_EQ(Selection(), std::make_pair(1, 1));
  EXPECT_EQ(clickedRows.back(), -1);
}

TEST_F(GridFixture, WheelAndScrollBarMoveTheViewWithinItsRange) {
  AddFiles(25);
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  SendMessageW(grid, WM_MOUSEWHEEL, Wheel(-WHEEL_DELTA), 0);
  EXPECT_EQ(rn::GridTopRow(grid), static_cast<int>(lines));
  SendMessageW(grid, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(rn::GridTopRow(grid), 25 - kViewRows);
  SendMessageW(grid, WM_MOUSEWHEEL, Wheel(-10 * WHEEL_DELTA), 0);
  EXPECT_EQ(rn::GridTopRow(grid), 25 - kViewRows);
  SendMessageW(grid, WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(rn::GridTopRow(grid), 25 - 2 * kViewRows);
  SendMessageW(grid, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(rn::GridTopRow(grid), 25 - 2 * kViewRows - 1);
  SendMessageW(grid, WM_MOUSEWHEEL, Wheel(10 * WHEEL_DELTA), 0);
  EXPECT_EQ(rn::GridTopRow(grid), 0);
  // Removing rows pulls the view back so that no blank page is shown.
  rn::GridSetTopRow(grid, 15);
  list.Rows().resize(12);
  rn::GridRowsChanged(grid);
  EXPECT_EQ(rn::GridTopRow(grid), 2);
}

// The grid's hint window: made when a row first has a hint, not with the grid.
HWND HintWindowOf(HWND grid) { return rntest::TooltipFor(grid, grid); }

TEST_F(GridFixture, HintNamesTheFileOnlyOverThePathColumn) {
  AddFiles(3);
  auto move = [&](POINT p) { SendMessageW(grid, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); };
  move(CellCenter(0, 1));
  EXPECT_EQ(HintWindowOf(grid), nullptr) << "no hint yet, no hint window";
  move(CellCenter(1, 1));
  EXPECT_EQ(rn::GridHintText(grid), L"file1.txt");
  EXPECT_NE(HintWindowOf(grid), nullptr);
  move(CellCenter(1, 2));
  EXPECT_EQ(rn::GridHintText(grid), L"file2.txt");
  move(CellCenter(0, 2));
  EXPECT_EQ(rn::GridHintText(grid), L"");
  move(CellCenter(1, 6));  // below the last row
  EXPECT_EQ(rn::GridHintText(grid), L"");
}

TEST_F(GridFixture, HitTestGivesTheLineToTheCellBeforeItAndSkipsHiddenColumns) {
  AddFiles(2);
  int col = -1, row = -1;
  const int check = rn::GridColumnWidth(grid, rn::ColCheckMark);
  ASSERT_TRUE(rn::GridHitTest(grid, POINT{check, 0}, col, row));
  EXPECT_EQ(col, 0);
  ASSERT_TRUE(rn::GridHitTest(grid, POINT{check + 1, dpi.Scale(13)}, col, row));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 0);
  // Column 2 is hidden, so a point past the path column hits nothing.
  EXPECT_FALSE(rn::GridHitTest(grid, POINT{check + 1 + 252, 2}, col, row));
  rn::GridSetColumnWidth(grid, rn::ColExt, 40);
  ASSERT_TRUE(rn::GridHitTest(grid, POINT{check + 1 + 252, 2}, col, row));
  EXPECT_EQ(col, rn::ColExt);
  RECT hidden;
  rn::GridCellRect(grid, rn::ColFolder, 0, hidden);
  EXPECT_TRUE(IsRectEmpty(&hidden));
}

TEST_F(GridFixture, CellsArePaintedByTheDrawingRules) {
  AddFiles(2);
  AddFiles(1, true);  // row 2 is a folder entry
  list.Row(1).checked = false;
  rn::GridSetSelection(grid, 0, 0);
  int w = 0, h = 0;
  auto px = Render(w, h);
  const COLORREF selected = RGB(230, 230, 230);
  const COLORREF red = RGB(255, 0, 0);
  RECT cell;
  rn::GridCellRect(grid, 1, 0, cell);
  const int area = (cell.right - cell.left) * (cell.bottom - cell.top);
  // The selected row's background; the others keep the window colour.
  EXPECT_GT(CountInCell(px, w, 1, 0, selected), area / 2);
  EXPECT_EQ(CountInCell(px, w, 1, 1, selected), 0);
  EXPECT_GT(CountInCell(px, w, 1, 1, GetSysColor(COLOR_WINDOW)), area / 2);
  // The red check mark shows in checked rows only.
  EXPECT_GT(CountInCell(px, w, 0, 0, red), 0);
  EXPECT_EQ(CountInCell(px, w, 0, 1, red), 0);
  EXPECT_GT(CountInCell(px, w, 0, 2, red), 0);
  // Folder entries are written in the grey-text colour, files in window text.
  EXPECT_GT(CountInCell(px, w, 1, 2, GetSysColor(COLOR_GRAYTEXT)), 0);
  EXPECT_EQ(CountInCell(px, w, 1, 2, GetSysColor(COLOR_WINDOWTEXT)), 0);
  EXPECT_GT(CountInCell(px, w, 1, 1, GetSysColor(COLOR_WINDOWTEXT)), 0);
}

TEST_F(GridFixture, AHundredThousandRowsScrollToTheEnd) {
  for (int i = 0; i < 100000; ++i) list.AddRow(L"C:\\big\\f" + std::to_wstring(i), false, L"");
  rn::GridRowsChanged(grid);
  Key(VK_END);
  EXPECT_EQ(rn::GridCurrentRow(grid), 99999);
  EXPECT_EQ(rn::GridTopRow(grid), 100000 - kViewRows);
  int w = 0, h = 0;
  auto px = Render(w, h);
  EXPECT_GT(CountInCell(px, w, 1, 99999, RGB(230, 230, 230)), 0);
  POINT p = CellCenter(1, 99999);
  SendMessageW(grid, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(rn::GridHintText(grid), L"f99999");
}

TEST(Grid, HostileMessagesAreHarmless) {
  rn::FileList list;
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND grid = rn::CreateFileGrid(parent, 1, &list, rn::Dpi{});
  SendMessageW(grid, WM_NOTIFY, 0, 0);
  SendMessageW(grid, WM_VSCROLL, 0xFFFF, 0);
  SendMessageW(grid, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
  SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30000, 30000));
  // Functions given a window that is not a grid do nothing.
  rn::GridSetSelection(parent, 3, 4);
  EXPECT_EQ(rn::GridColumnWidth(parent, 0), -1);
  DestroyWindow(parent);
  EXPECT_EQ(rn::GridTopRow(grid), 0);  // destroyed: no form behind it any more
}

}  // namespace
