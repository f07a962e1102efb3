// The undo journal as a crash leaves it: Rename.exe killed in the middle of a
// run of a thousand files, then started again over the same folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "e2e/ProgramHarness.h"

using namespace rne2e;
namespace fs = std::filesystem;

namespace {

std::wstring Numbered(const wchar_t* prefix, int n) {
  wchar_t text[32];
  wsprintfW(text, L"%s%04d", prefix, n);
  return text;
}

// Waits for the program's next box, once the one before it has gone.
HWND NextBox(const Process& p, HWND before) {
  const DWORD start = GetTickCount();
  while (before && IsWindow(before) && GetTickCount() - start < 20000) Sleep(20);
  return WaitForBox(p);
}

}  // namespace

TEST(Journal, AKilledRunOfAThousandFilesIsTakenBackAtTheNextStartAndAChangedFileIsLeftAlone) {
  ProgramFolder folder;
  folder.WriteSettings("LastSelection=1\r\nLastRenameSelect=12\r\n");
  const fs::path data = folder.dir / L"data";
  fs::create_directories(data);
  std::wstring paths;
  for (int i = 0; i < 1000; ++i) {
    const fs::path file = data / (Numbered(L"f", i) + L".txt");
    std::ofstream(file) << i;
    paths += file.wstring() + L"\r\n";
  }
  // Another file already has the name the 501st entry is given: the run
  // stops there on the question, and the program is killed while it asks.
  std::ofstream(data / L"0501f0500.txt") << "other";
  {
    Process p(folder);
    HWND main = WaitForMainWindow(p);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(SendHandOff(main, Utf8(paths) + '\0', 1), 2008);
    ASSERT_TRUE(WaitForCaption(main, L"  Rename  *.*    [1000 items]"));
    PostMessageW(FindWindowExW(main, nullptr, L"Button", L"&Rename Files ..."), BM_CLICK, 0, 0);
    HWND box = nullptr;
    while ((box = NextBox(p, box)) && WindowTextOf(box) != L" Duplicate file !!") PressButton(box, L"OK");
    ASSERT_NE(box, nullptr) << "the run did not reach the entry whose name is taken";
    ASSERT_TRUE(TerminateProcess(p.pi.hProcess, 1));
    ASSERT_TRUE(p.Ended(20000));
  }
  ASSERT_TRUE(fs::exists(data / L"0500f0499.txt"));
  ASSERT_TRUE(fs::exists(data / L"f0500.txt"));
  ASSERT_TRUE(fs::exists(folder.dir / L"Rename.journal"));
  fs::rename(data / L"0001f0000.txt", data / L"changed.txt");  // behind the program's back

  Process q(folder);
  HWND offer = WaitForBox(q);
  ASSERT_NE(offer, nullptr) << "no offer to take the renames back";
  // The window is on the screen behind the offer, and takes no input until the answer.
  const HWND behind = WaitForMainWindow(q, 200);
  ASSERT_NE(behind, nullptr) << "the offer came before the window";
  EXPECT_FALSE(IsWindowEnabled(behind));
  EXPECT_NE(BoxText(offer).find(L"499 file(s) still carry the new names"), std::wstring::npos) << Utf8(BoxText(offer));
  PressButton(offer, L"Yes");
  HWND summary = NextBox(q, offer);
  ASSERT_NE(summary, nullptr);
  const std::wstring said = BoxText(summary);
  EXPECT_EQ(said.find(L"499 file(s) got their former names back."), 0u) << Utf8(said);
  EXPECT_NE(said.find(L"1 file(s) no longer match"), std::wstring::npos);
  EXPECT_NE(said.find(L"0001f0000.txt"), std::wstring::npos) << "the changed file is named";
  PressButton(summary, L"OK");
  HWND main = WaitForMainWindow(q);
  ASSERT_NE(main, nullptr);

  // Every file is there under some name; only the changed one and the
  // stranger kept theirs.
  for (int i = 1; i < 1000; ++i) EXPECT_TRUE(fs::exists(data / (Numbered(L"f", i) + L".txt"))) << i;
  EXPECT_TRUE(fs::exists(data / L"changed.txt"));
  EXPECT_TRUE(fs::exists(data / L"0501f0500.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(data), fs::directory_iterator()), 1001);
  EXPECT_FALSE(fs::exists(folder.dir / L"Rename.journal")) << "the journal is done with";
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(q.Ended(20000));
}
