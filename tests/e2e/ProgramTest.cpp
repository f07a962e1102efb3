// Rename.exe as the user starts it: a separate process in a copy of the
// program folder, found by its window class and driven from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "e2e/ProgramHarness.h"

using namespace rne2e;

TEST(Program, StartsShowsItsWindowAndWritesTheSettingsOnClose) {
  ASSERT_FALSE(ProgramUnderTest().empty()) << "RENAME_EXE is not set";
  ProgramFolder folder;
  Process p(folder);
  ASSERT_TRUE(p.started);
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr) << "no TMorvaneFrm1 window appeared";
  // A first start reminds that donations are welcome, over the window.
  HWND welcome = WaitForWindow(p, L"TFormFirst", 20000);
  ASSERT_NE(welcome, nullptr) << "no welcome box on the first start";
  EXPECT_EQ(WindowTextOf(welcome), L" Welcome !");
  EXPECT_FALSE(IsWindowEnabled(main));
  PressButton(welcome, L"no, thanks");
  const DWORD start = GetTickCount();
  while (!IsWindowEnabled(main) && GetTickCount() - start < 10000) Sleep(20);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(folder.Value(L"Options", L"RemindLater"), L"1");
  wchar_t caption[128];
  GetWindowTextW(main, caption, 128);
  EXPECT_STREQ(caption, L"  Rename  *.*");
  EXPECT_NE(FindWindowExW(main, nullptr, L"Button", L" Cl&ose"), nullptr);

  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.Ended(20000)) << "the program did not end after its window closed";
  EXPECT_EQ(folder.Value(L"Options", L"Version"), L"(v1.2.5.6)");
  EXPECT_EQ(folder.Value(L"Options", L"Size"), L"630|" + std::to_wstring(630 + 2 * GetSystemMetrics(SM_CXSIZEFRAME)));
  EXPECT_EQ(folder.Value(L"Options", L"PositLeft"), L"232");
  EXPECT_EQ(folder.Value(L"Options", L"PositTop"), L"110");
}

TEST(Program, SecondCopyEndsAtOnceWithoutAWindow) {
  ProgramFolder folder;
  folder.WriteSettings();
  const std::string settings = folder.SettingsBytes();
  Process first(folder);
  HWND main = WaitForMainWindow(first);
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(CountMainWindows(), 1);

  Process second(folder);
  ASSERT_TRUE(second.started);
  EXPECT_TRUE(second.Ended(10000)) << "the second copy kept running";
  EXPECT_EQ(CountMainWindows(), 1);
  DWORD code = 1;
  GetExitCodeProcess(second.pi.hProcess, &code);
  EXPECT_EQ(code, 0u);

  // The second copy wrote nothing.
  EXPECT_EQ(folder.SettingsBytes(), settings);
  SendMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.Ended(20000));
}

TEST(Program, StartsWithAnUnreadableSizeAndALegacySection) {
  ProgramFolder folder;
  folder.WriteSettings("Size=abc\r\n[Directories]\r\nRenamingHints=0\r\n");
  Process p(folder);
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.Ended(20000));
  EXPECT_EQ(folder.Value(L"Options", L"RenamingHints"), L"0");
  EXPECT_EQ(folder.Value(L"Directories", L"RenamingHints"), L"<none>");
  EXPECT_NE(folder.Value(L"Options", L"Size"), L"abc");
}
