// The flat hover button as the mouse meets it: hover and press states, the
// enter and exit events, the click sent to the parent, and the edges and
// frame it paints, read back pixel by pixel.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/UiHarness_win.h"
#include "ui/Form_win.h"
#include "ui/SoftButt_win.h"

namespace {

using rntest::ClientPixels;
using rntest::PrintClient;
using rntest::Pump;

constexpr int kId = 42;
constexpr int kW = 40, kH = 24;
const COLORREF kUntouched = RGB(255, 0, 255);  // a colour no system colour has

// The parent: keeps the commands the button sends it.
struct HostForm : rn::Form {
  HWND button = nullptr;
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_COMMAND && reinterpret_cast<HWND>(lp) == button) {
      commands.emplace_back(wp, lp);
      return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
};

struct SoftButtFixture : ::testing::Test {
  HostForm host;
  HWND button = nullptr;
  HWND edit = nullptr;
  std::vector<std::string> events;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  COLORREF face = GetSysColor(COLOR_BTNFACE);

  void SetUp() override {
    rn::RegisterFormClass(L"TSoftButtTestHost");
    ASSERT_TRUE(rn::CreateForm(&host, L"TSoftButtTestHost", L"soft button host", WS_POPUP | WS_VISIBLE, 0, 0, 0, 200,
                               100, nullptr));
    edit = rn::MakeChild(host.hwnd, L"EDIT", L"", WS_TABSTOP, 7, rn::Bounds(100, 10, 80, 20), nullptr);
    button = rn::CreateSoftButt(host.hwnd, kId, L"...", rn::Bounds(10, 10, kW, kH), nullptr);
    ASSERT_NE(button, nullptr);
    host.button = button;
    rn::SoftButtSetOnEnter(button, [this](HWND h) { events.push_back(h == button ? "enter" : "enter from?"); });
    rn::SoftButtSetOnExit(button, [this](HWND h) { events.push_back(h == button ? "exit" : "exit from?"); });
    Pump();
  }
  void TearDown() override {
    DestroyWindow(host.hwnd);
    Pump();
  }

  // The mouse as the button sees it. The real pointer is elsewhere, so a leave
  // the system posts at once for it is not the test's and is dropped.
  void Move(int x, int y, WPARAM keys = 0) {
    SendMessageW(button, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
    MSG m;
    while (PeekMessageW(&m, button, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE)) {
    }
  }
  void Leave() { SendMessageW(button, WM_MOUSELEAVE, 0, 0); }
  void Press(int x, int y) { SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Release(int x, int y) { SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

  bool ColoursDistinct() const { return light != shadow && light != face && shadow != face; }
  // Every pixel of the ring `inset` pixels inside the client edge has this colour.
  static bool RingIs(const ClientPixels& px, int inset, COLORREF colour) {
    for (int x = inset; x < px.width - inset; ++x)
      if (px.At(x, inset) != colour || px.At(x, px.height - 1 - inset) != colour) return false;
    for (int y = inset; y < px.height - inset; ++y)
      if (px.At(inset, y) != colour || px.At(px.width - 1 - inset, y) != colour) return false;
    return true;
  }
};

TEST_F(SoftButtFixture, StartsFlatFramedAndOpaqueWithoutTakingTheFocus) {
  EXPECT_TRUE(rn::SoftButtBorder(button));
  EXPECT_FALSE(rn::SoftButtTransparent(button));
  EXPECT_TRUE(rn::SoftButtFlat(button));
  EXPECT_FALSE(rn::SoftButtMouseInside(button));
  EXPECT_EQ(rn::WindowText(button), L"...");
  EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & WS_TABSTOP, 0) << "not a tab stop";
  EXPECT_EQ(GetDlgCtrlID(button), kId);

  // Empty bounds give the default size on this screen.
  HDC screen = GetDC(nullptr);
  const rn::Dpi dpi{GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  HWND sized = rn::CreateSoftButt(host.hwnd, 43, L"x", RECT{5, 6, 5, 6}, nullptr);
  RECT r = rn::ControlBounds(sized);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 6);
  EXPECT_EQ(r.right - r.left, dpi.Scale(rn::kSoftButtDefaultWidth));
  EXPECT_EQ(r.bottom - r.top, dpi.Scale(rn::kSoftButtDefaultHeight));

  // The other controls' functions leave windows of other kinds alone.
  rn::SoftButtSetBorder(edit, false);
  EXPECT_FALSE(rn::SoftButtBorder(edit));
  EXPECT_FALSE(rn::SoftButtMouseInside(edit));
}

TEST_F(SoftButtFixture, EnteringAndLeavingFireOnceEach) {
  Move(5, 5);
  EXPECT_TRUE(rn::SoftButtMouseInside(button));
  Move(6, 7);  // moving about inside is no new entry
  EXPECT_EQ(events, (std::vector<std::string>{"enter"}));
  Leave();
  EXPECT_FALSE(rn::SoftButtMouseInside(button));
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
  Leave();  // a second leave without an entry in between is nothing
  Move(5, 5);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit", "enter"}));
}

TEST_F(SoftButtFixture, DisabledButtonIgnoresTheEntryButStillReportsLeaving) {
  EnableWindow(button, FALSE);
  Move(5, 5);
  EXPECT_FALSE(rn::SoftButtMouseInside(button));
  EXPECT_TRUE(events.empty()) << "no OnEnter for a disabled button";
  Leave();
  EXPECT_EQ(events, (std::vector<std::string>{"exit"}));

  // Disabled while the mouse is over it: leaving clears the hover look and reports.
  EnableWindow(button, TRUE);
  events.clear();
  Move(5, 5);
  ASSERT_TRUE(rn::SoftButtMouseInside(button));
  EnableWindow(button, FALSE);
  Leave();
  EXPECT_FALSE(rn::SoftButtMouseInside(button));
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
  if (ColoursDistinct()) {
    EXPECT_TRUE(RingIs(PrintClient(button, kUntouched), 1, face)) << "repainted without the raised edge";
  }
}

TEST_F(SoftButtFixture, EdgesTouchTheOuterPixelsWithoutBorderAndLieInsideTheFrameWithIt) {
  if (!ColoursDistinct()) GTEST_SKIP() << "highlight, shadow and face colours are not distinct on this system";
  rn::SoftButtSetBorder(button, false);
  Move(5, 5);
  ClientPixels px = PrintClient(button, kUntouched);
  ASSERT_EQ(px.width, kW);
  // Raised: highlight on the left and top, shadow on the right and bottom.
  EXPECT_EQ(px.At(0, kH / 2), light);
  EXPECT_EQ(px.At(kW / 2, 0), light);
  EXPECT_EQ(px.At(kW - 1, kH / 2), shadow);
  EXPECT_EQ(px.At(kW / 2, kH - 1), shadow);
  EXPECT_EQ(px.At(0, 0), light);
  EXPECT_EQ(px.At(kW - 1, 0), light);
  EXPECT_EQ(px.At(0, kH - 1), shadow);
  EXPECT_EQ(px.At(kW - 1, kH - 1), shadow);
  EXPECT_EQ(px.At(1, kH / 2), face);

  rn::SoftButtSetBorder(button, true);
  px = PrintClient(button, kUntouched);
  EXPECT_TRUE(RingIs(px, 0, shadow)) << "the frame";
  EXPECT_EQ(px.At(1, kH / 2), light);
  EXPECT_EQ(px.At(kW / 2, 1), light);
  EXPECT_EQ(px.At(kW - 2, kH / 2), shadow);
  EXPECT_EQ(px.At(kW / 2, kH - 2), shadow);
  EXPECT_EQ(px.At(2, kH / 2), face);

  // Pressed: the same places, the colours swapped (sunken); the frame stays.
  Press(5, 5);
  EXPECT_TRUE(rn::SoftButtDown(button));
  px = PrintClient(button, kUntouched);
  EXPECT_TRUE(RingIs(px, 0, shadow));
  EXPECT_EQ(px.At(1, kH / 2), shadow);
  EXPECT_EQ(px.At(kW / 2, 1), shadow);
  EXPECT_EQ(px.At(kW - 2, kH / 2), light);
  EXPECT_EQ(px.At(kW / 2, kH - 2), light);
  Release(-5, -5);

  // Neither hovered nor pressed: only the frame.
  Leave();
  px = PrintClient(button, kUntouched);
  EXPECT_TRUE(RingIs(px, 0, shadow));
  EXPECT_TRUE(RingIs(px, 1, face));
}

TEST_F(SoftButtFixture, NotFlatDrawsNoEdgesAndNoFrame) {
  if (!ColoursDistinct()) GTEST_SKIP() << "highlight, shadow and face colours are not distinct on this system";
  rn::SoftButtSetFlat(button, false);
  EXPECT_FALSE(rn::SoftButtFlat(button));
  Move(5, 5);
  ClientPixels px = PrintClient(button, kUntouched);
  EXPECT_TRUE(RingIs(px, 0, face));
  EXPECT_TRUE(RingIs(px, 1, face));
  Press(5, 5);
  px = PrintClient(button, kUntouched);
  EXPECT_TRUE(RingIs(px, 0, face));
  EXPECT_TRUE(RingIs(px, 1, face));
  Release(-5, -5);
}

TEST_F(SoftButtFixture, TransparentLeavesTheAreaAsItWas) {
  rn::SoftButtSetBorder(button, false);
  rn::SoftButtSetTransparent(button, true);
  EXPECT_TRUE(rn::SoftButtTransparent(button));
  ClientPixels px = PrintClient(button, kUntouched);
  EXPECT_TRUE(RingIs(px, 0, kUntouched));
  EXPECT_GT(px.Count(GetSysColor(COLOR_BTNTEXT)), 0) << "the caption is still drawn";
  // Opaque, the whole area is cleared first.
  rn::SoftButtSetTransparent(button, false);
  px = PrintClient(button, kUntouched);
  EXPECT_EQ(px.Count(kUntouched), 0);
  EXPECT_TRUE(RingIs(px, 0, face));
}

TEST_F(SoftButtFixture, CaptionIsCentredAndEmbossedWhenDisabled) {
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  rn::SoftButtSetBorder(button, false);  // no shadow but the caption's
  ClientPixels px = PrintClient(button, kUntouched);
  int left = px.width, right = -1;
  for (int y = 0; y < px.height; ++y)
    for (int x = 0; x < px.width; ++x)
      if (px.At(x, y) == text) left = std::min(left, x), right = std::max(right, x);
  ASSERT_GE(right, 0) << "no caption drawn";
  EXPECT_LE(std::abs(left - (px.width - 1 - right)), 2) << "centred: " << left << " and " << px.width - 1 - right;

  EnableWindow(button, FALSE);
  px = PrintClient(button, kUntouched);
  if (text == shadow || text == light) GTEST_SKIP() << "text colour equals a 3-D colour on this system";
  EXPECT_EQ(px.Count(text), 0);
  EXPECT_GT(px.Count(shadow), 0) << "the caption in shadow";
}

TEST_F(SoftButtFixture, ClickSendsBnClickedToTheParentAndLeavesTheFocus) {
  SetFocus(edit);
  const std::pair<WPARAM, LPARAM> click{MAKEWPARAM(kId, BN_CLICKED), reinterpret_cast<LPARAM>(button)};

  Press(5, 5);
  EXPECT_TRUE(rn::SoftButtDown(button));
  EXPECT_TRUE(host.commands.empty()) << "nothing before the release";
  Release(5, 5);
  EXPECT_FALSE(rn::SoftButtDown(button));
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0], click);
  EXPECT_EQ(GetFocus(), edit);

  // Released off the button: no click. Dragged off and back: it rises and sinks again.
  Press(5, 5);
  Release(kW + 5, 5);
  EXPECT_EQ(host.commands.size(), 1u);
  Press(5, 5);
  Move(kW + 5, 5, MK_LBUTTON);
  EXPECT_FALSE(rn::SoftButtDown(button));
  EXPECT_FALSE(rn::SoftButtMouseInside(button));
  Move(5, 5, MK_LBUTTON);
  EXPECT_TRUE(rn::SoftButtDown(button));
  Release(5, 5);
  EXPECT_EQ(host.commands.size(), 2u);

  // Disabled, it neither sinks nor clicks; BM_CLICK clicks an enabled one.
  EnableWindow(button, FALSE);
  Press(5, 5);
  EXPECT_FALSE(rn::SoftButtDown(button));
  Release(5, 5);
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(host.commands.size(), 2u);
  EnableWindow(button, TRUE);
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(host.commands.size(), 3u);
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(SoftButtFixture, DisablingWhileHeldDownCancelsThePress) {
  Press(5, 5);
  ASSERT_TRUE(rn::SoftButtDown(button));
  EnableWindow(button, FALSE);
  EXPECT_FALSE(rn::SoftButtDown(button));
  EXPECT_NE(GetCapture(), button);
  EnableWindow(button, TRUE);
  Release(5, 5);
  EXPECT_TRUE(host.commands.empty());
}

}  // namespace
