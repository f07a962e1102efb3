// The context-menu extension's hand-off as it really arrives: WM_COPYDATA from
// another process to the running program's window.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "e2e/ProgramHarness.h"

using namespace rne2e;

TEST(HandOffFromAnotherProcess, PathsArriveInOrderAndMalformedOnesAreRefused) {
  ProgramFolder folder;
  folder.WriteSettings();
  const std::filesystem::path a = folder.dir / L"one.txt", b = folder.dir / L"\u65e5\u672c\u8a9e.txt";
  std::ofstream(a) << "x";
  std::ofstream(b) << "x";
  Process p(folder);
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr);

  EXPECT_EQ(SendHandOff(main, Utf8(a.wstring() + L"\r\n" + b.wstring() + L"\r\n") + '\0', 1), 2008);
  EXPECT_TRUE(WaitForCaption(main, L"  Rename  *.*    [2 items]")) << "added once the answer is given";
  EXPECT_EQ(SendHandOff(main, std::string("\0", 1), 0), 0) << "no line";
  EXPECT_EQ(SendHandOff(main, "C:\\\xff\xfe.txt\r\n", 1), 0) << "not UTF-8";
  EXPECT_EQ(SendHandOff(main, "", 0), 0) << "no bytes";
  EXPECT_EQ(WindowTextOf(main), L"  Rename  *.*    [2 items]");
  EXPECT_TRUE(IsWindowEnabled(FindWindowExW(main, nullptr, L"Button", L"Clear &List")));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.Ended(20000));
}
