// The character position strip on a plain host window: how the counter
// follows the pointer and the caret, and what reaches the host.
#include <windows.h>

#include "support/StripHarness_win.h"
#include "ui/CharPosit_win.h"

namespace {

using namespace rntest;

struct CharPositFixture : StripFixture {
  HWND strip = nullptr;
  void SetUp() override {
    StripFixture::SetUp();
    if (HasFatalFailure()) return;
    strip = rn::CreateCharPositPanel(host, kPanelId, font, dpi);
    ASSERT_NE(strip, nullptr);
    Pump();
  }
  HWND Edit() { return GetDlgItem(strip, rn::kCharPositEditId); }
  void PointAt(int index) {
    const LRESULT pos = SendMessageW(Edit(), EM_POSFROMCHAR, index, 0);
    RECT client{};
    GetClientRect(Edit(), &client);
    const int x = static_cast<short>(LOWORD(pos)) + 1;
    SendMessageW(Edit(), WM_MOUSEMOVE, 0, MAKELPARAM(x, client.bottom / 2));
  }
  void Key(UINT vk, bool shift = false) {
    BYTE keys[256] = {};
    if (shift) keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(Edit(), WM_KEYDOWN, vk, 1);
    SendMessageW(Edit(), WM_KEYUP, vk, 0xC0000001);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
};

TEST_F(CharPositFixture, StartsParkedAndOpensWithTheNameReadyForTheCaret) {
  RECT r = rn::ControlBounds(strip);
  EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) + dpi.Scale(100));
  EXPECT_EQ(r.right - r.left, dpi.Scale(416));
  EXPECT_EQ(r.bottom - r.top, dpi.Scale(24));
  EXPECT_FALSE(rn::CharPositIsOpen(strip));
  RECT counter = rn::ControlBounds(GetDlgItem(strip, rn::kCharPositCounterId));
  EXPECT_EQ(counter.right - counter.left, dpi.Scale(20));
  EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(strip, rn::kCharPositCounterId), GWL_STYLE) & SS_CENTER);
  EXPECT_TRUE(GetWindowLongPtrW(Edit(), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(Edit(), GCLP_HCURSOR)), LoadCursorW(nullptr, IDC_IBEAM));
  EXPECT_EQ(rn::WindowText(GetDlgItem(strip, rn::kCharPositCloseId)), L"X");

  rn::OpenCharPosit(strip, L"report.txt", dpi.Scale(24), dpi.Scale(30));
  r = rn::ControlBounds(strip);
  EXPECT_EQ(r.left, dpi.Scale(24));
  EXPECT_EQ(r.top, dpi.Scale(30));
  EXPECT_TRUE(rn::CharPositIsOpen(strip));
  EXPECT_EQ(rn::WindowText(Edit()), L"report.txt");
  EXPECT_EQ(rn::CharPositCounterText(strip), L"0");
  EXPECT_EQ(GetFocus(), Edit());
  DWORD start = 99, end = 99;
  SendMessageW(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
}

TEST_F(CharPositFixture, PointerShowsPositionsUpToTheExtension) {
  rn::OpenCharPosit(strip, L"report.txt", 10, 10);
  PointAt(2);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"2");
  PointAt(6);  // the dot
  EXPECT_EQ(rn::CharPositCounterText(strip), L"6");
  PointAt(8);  // inside the extension
  EXPECT_EQ(rn::CharPositCounterText(strip), L"6");
  RECT client{};
  GetClientRect(Edit(), &client);
  SendMessageW(Edit(), WM_MOUSEMOVE, 0, MAKELPARAM(client.right - 2, client.bottom / 2));  // past the end
  EXPECT_EQ(rn::CharPositCounterText(strip), L"6");
  PointAt(0);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"0");

  // Opening again starts from 0 with the new name's limit.
  PointAt(4);
  rn::OpenCharPosit(strip, L"ab.cdefgh", 10, 10);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"0");
  PointAt(4);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"0");
  PointAt(2);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"2");
}

TEST_F(CharPositFixture, ACharacterBeyondTheBasicPlaneCountsOnce) {
  // The box reports UTF-16 indexes: the emoji takes units 0 and 1.
  rn::OpenCharPosit(strip, L"\U0001F600 party.jpg", 10, 10);
  PointAt(3);  // before "p"
  EXPECT_EQ(rn::CharPositCounterText(strip), L"2");
  PointAt(8);  // the dot
  EXPECT_EQ(rn::CharPositCounterText(strip), L"7");
}

TEST_F(CharPositFixture, KeysMoveTheCounterWithTheCaret) {
  rn::OpenCharPosit(strip, L"report.txt", 10, 10);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"3");
  Key(VK_END);  // after the extension: unchanged
  EXPECT_EQ(rn::CharPositCounterText(strip), L"3");
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"6");
  Key(VK_HOME);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"0");
  // Selecting with Shift follows the moving end of the selection.
  Key(VK_RIGHT, true);
  Key(VK_RIGHT, true);
  EXPECT_EQ(rn::CharPositCounterText(strip), L"2");
}

TEST_F(CharPositFixture, CloseButtonParksTheStripAndTellsTheHost) {
  rn::OpenCharPosit(strip, L"report.txt", 10, 10);
  SendMessageW(GetDlgItem(strip, rn::kCharPositCloseId), BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(rn::CharPositIsOpen(strip));
  EXPECT_EQ(rn::ControlBounds(strip).left, GetSystemMetrics(SM_CXSCREEN) + dpi.Scale(100));
  EXPECT_NE(GetFocus(), Edit());
  bool told = false;
  for (WPARAM wp : log.commands) told = told || (LOWORD(wp) == rn::kCharPositCloseId && HIWORD(wp) == BN_CLICKED);
  EXPECT_TRUE(told);
  rn::OpenCharPosit(strip, L"x.y", 10, 10);
  EXPECT_TRUE(rn::CharPositIsOpen(strip));
  rn::CloseCharPosit(strip);
  EXPECT_FALSE(rn::CharPositIsOpen(strip));
}

}  // namespace
