// Rename.exe driven from a second process, as the user's tools drive it: the
// window manager reads the topmost band after each way of asking to stay on
// top, and a screen reader asks the file list for its accessible object.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/MainForm_win.h"
#include "core/MainMenus_win.h"
#include "e2e/ProgramHarness.h"

using namespace rne2e;

namespace {

bool Topmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Sent, not posted: it has been handled when this returns.
void Send(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, msg, wp, lp, SMTO_BLOCK, 10000, &ignored);
}

}  // namespace

TEST(FromOutside, EachWayOfAskingToStayOnTopPutsTheWindowInTheTopmostBandAndTakesItOut) {
  ProgramFolder folder;
  folder.WriteSettings();
  Process p(folder);
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr);
  ASSERT_FALSE(Topmost(main));
  HWND button = GetDlgItem(main, rn::IdSpeedButton3);  // "T"
  ASSERT_NE(button, nullptr);
  const struct {
    const char* what;
    UINT msg;
    WPARAM wp;
    HWND target;
  } ways[] = {
      {"the \"T\" button, clicked", WM_LBUTTONDOWN, MK_LBUTTON, button},
      {"the system menu's entry", WM_SYSCOMMAND, rn::IdSysStayOnTop, main},
      {"the main menu's \"Stay on &Top ...\"", WM_COMMAND, rn::IdMenuStayonTop, main},
  };
  for (const auto& way : ways) {
    for (bool on : {true, false}) {
      Send(way.target, way.msg, way.wp, MAKELPARAM(4, 4));
      if (way.msg == WM_LBUTTONDOWN) Send(way.target, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
      EXPECT_EQ(Topmost(main), on) << way.what << (on ? ", on" : ", off");
      EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), on ? BST_CHECKED : BST_UNCHECKED) << way.what;
    }
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.Ended(20000));
}

TEST(FromOutside, AScreenReaderInAnotherProcessReadsTheFileList) {
  ProgramFolder folder;
  folder.WriteSettings();
  const std::filesystem::path a = folder.dir / L"one.txt", b = folder.dir / L"two.txt";
  std::ofstream(a) << "x";
  std::ofstream(b) << "x";
  Process p(folder);
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(SendHandOff(main, Utf8(a.wstring() + L"\r\n" + b.wstring() + L"\r\n") + '\0', 1), 2008);
  ASSERT_TRUE(WaitForCaption(main, L"  Rename  *.*    [2 items]"));
  HWND grid = GetDlgItem(main, rn::IdStringGrid1);
  ASSERT_NE(grid, nullptr);

  // A screen reader has COM; the interface's number comes from the header
  // (a MinGW import library's IID_IAccessible symbol is an import thunk).
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    IAccessible* list = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(grid, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&list)),
              S_OK);
    ASSERT_NE(list, nullptr);
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_EQ(list->get_accName(self, &name), S_OK);
    EXPECT_EQ(std::wstring(name ? name : L""), L"Files to rename");
    SysFreeString(name);
    long children = 0;
    EXPECT_EQ(list->get_accChildCount(&children), S_OK);
    EXPECT_EQ(children, 2);
    VARIANT second = self;
    second.lVal = 2;
    BSTR path = nullptr;
    EXPECT_EQ(list->get_accName(second, &path), S_OK);
    EXPECT_EQ(std::wstring(path ? path : L""), b.wstring()) << "a row is named by its full path";
    SysFreeString(path);
    list->Release();
  }
  CoUninitialize();
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.Ended(20000));
}
