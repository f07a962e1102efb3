// Moving controls and measuring texts, the helpers every layout goes through.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/Controls_win.h"

namespace {

int g_moves = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_WINDOWPOSCHANGING) ++g_moves;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

struct Parent {
  HWND hwnd = nullptr, child = nullptr;
  Parent() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RenameControlsTestChild";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    child = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 10, 20, 30, 40, hwnd, nullptr, nullptr, nullptr);
  }
  ~Parent() { DestroyWindow(hwnd); }
};

}  // namespace

// A control already where it is asked to be is not moved again; any other
// place or size is taken.
TEST(Controls, MoveControlMovesOnlyWhatIsNotInPlace) {
  struct Case {
    int x, y, w, h;
    bool moves;
  } cases[] = {{10, 20, 30, 40, false},
               {11, 20, 30, 40, true},
               {10, 21, 30, 40, true},
               {10, 20, 31, 40, true},
               {10, 20, 30, 41, true}};
  for (const Case& c : cases) {
    Parent p;
    g_moves = 0;
    rn::MoveControl(p.child, c.x, c.y, c.w, c.h);
    const RECT r = rn::ControlBounds(p.child);
    EXPECT_EQ(g_moves > 0, c.moves) << c.x << "," << c.y << " " << c.w << "x" << c.h;
    EXPECT_EQ(r.left, c.x);
    EXPECT_EQ(r.top, c.y);
    EXPECT_EQ(r.right - r.left, c.w);
    EXPECT_EQ(r.bottom - r.top, c.h);
    g_moves = 0;
    rn::MoveControlTo(p.child, c.x + 5, c.y);
    EXPECT_GT(g_moves, 0);
    g_moves = 0;
    rn::MoveControlTo(p.child, c.x + 5, c.y);
    EXPECT_EQ(g_moves, 0);
    EXPECT_EQ(rn::ControlBounds(p.child).left, c.x + 5);
  }
}

// A drop-down combo box shows its closed height: asked again for the open
// list's height it already has, it is not moved; a new height is taken.
TEST(Controls, ADropDownComboBoxInPlaceIsNotMovedForItsListHeight) {
  Parent p;
  HWND combo = rn::MakeChild(p.hwnd, L"COMBOBOX", L"", CBS_DROPDOWN, 7, rn::Bounds(10, 20, 100, 200), nullptr);
  ASSERT_LT(rn::ControlBounds(combo).bottom - rn::ControlBounds(combo).top, 200);
  EXPECT_TRUE(rn::IsInPlace(combo, 10, 20, 100, 200));
  EXPECT_FALSE(rn::IsInPlace(combo, 10, 20, 100, 300));
  EXPECT_FALSE(rn::IsInPlace(combo, 10, 20, 101, 200));
  rn::MoveControl(combo, 10, 20, 100, 300);
  EXPECT_TRUE(rn::IsInPlace(combo, 10, 20, 100, 300));
  EXPECT_FALSE(rn::IsInPlace(p.child, 10, 20, 30, 41)) << "any other control keeps to its own height";
}

// Widths are remembered by the font's description, not its handle: a freed
// handle may come back for another font.
TEST(Controls, TextWidthFollowsTheFontNotItsHandle) {
  auto make = [](int height) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    wcscpy(lf.lfFaceName, L"MS Sans Serif");
    return CreateFontIndirectW(&lf);
  };
  const std::wstring text = L"A caption to measure";
  HFONT small = make(-11);
  const int narrow = rn::TextWidth(small, text);
  EXPECT_EQ(rn::TextWidth(small, text), narrow);
  DeleteObject(small);
  HFONT large = make(-33);
  EXPECT_GT(rn::TextWidth(large, text), narrow);
  EXPECT_GT(rn::DrawnWidth(large, text), rn::DrawnWidth(nullptr, text));
  DeleteObject(large);
}
