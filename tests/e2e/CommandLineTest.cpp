// The command line as Explorer and scripts use it: pairs renamed at once, and
// "-sendto" paths added to the list, through Rename.exe under test.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "e2e/ProgramHarness.h"

using namespace rne2e;

TEST(PairMode, RenamesInTheFileOwnFolderAndEndsWithoutAWindow) {
  ProgramFolder folder;
  const std::filesystem::path data = folder.dir / L"data";
  std::filesystem::create_directories(data);
  std::ofstream(data / L"old.txt") << "x";
  Process p(folder, L"\"" + (data / L"old.txt").wstring() + L"\" \"C:\\elsewhere\\new name.txt\"");
  ASSERT_TRUE(p.started);
  ASSERT_TRUE(p.Ended(20000)) << "the program ends after its pairs";
  EXPECT_TRUE(std::filesystem::exists(data / L"new name.txt")) << "renamed in its own folder, not moved";
  EXPECT_FALSE(std::filesystem::exists(data / L"old.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder.dir / L"Rename.ini")) << "pair mode writes no settings";
}

TEST(PairMode, ACaseOnlyRenameChangesTheSpelling) {
  ProgramFolder folder;
  std::ofstream(folder.dir / L"photo.jpg") << "x";
  Process p(folder, L"\"" + (folder.dir / L"photo.jpg").wstring() + L"\" Photo.JPG");
  ASSERT_TRUE(p.Ended(20000));
  EXPECT_EQ(SpellingOf(folder.dir / L"photo.jpg"), L"Photo.JPG");
}

TEST(PairMode, AFailedPairIsReportedOnceAndTheRestIsNotTried) {
  ProgramFolder folder;
  std::ofstream(folder.dir / L"second.txt") << "x";
  Process p(folder, L"\"" + (folder.dir / L"missing.txt").wstring() + L"\" first-new.txt \"" +
                        (folder.dir / L"second.txt").wstring() + L"\" second-new.txt");
  HWND box = WaitForBox(p);
  ASSERT_NE(box, nullptr) << "the failure is shown";
  EXPECT_EQ(BoxText(box), L"Error while renaming  'missing.txt'  to  'first-new.txt' ");
  PressButton(box, L"OK");
  ASSERT_TRUE(p.Ended(20000));
  EXPECT_TRUE(std::filesystem::exists(folder.dir / L"second.txt")) << "the second pair is untouched";
}

TEST(PairMode, AFolderThatCannotBeEnteredFailsLikeTheRename) {
  ProgramFolder folder;
  Process p(folder, L"\"" + (folder.dir / L"gone\\a.txt").wstring() + L"\" b.txt");
  HWND box = WaitForBox(p);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), L"Error while renaming  'a.txt'  to  'b.txt' ");
  PressButton(box, L"OK");
  EXPECT_TRUE(p.Ended(20000));
}

TEST(PairMode, AnOddCountIsReportedAndTheProgramStartsWithAnEmptyList) {
  ProgramFolder folder;
  folder.WriteSettings();
  std::ofstream(folder.dir / L"a.txt") << "x";
  Process p(folder, L"a.txt b.txt c.txt");
  HWND box = WaitForBox(p);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), L"Not enough Parameters passed on the command line");
  PressButton(box, L"OK");
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr) << "a normal start follows";
  EXPECT_EQ(WindowTextOf(main), L"  Rename  *.*");
  EXPECT_TRUE(std::filesystem::exists(folder.dir / L"a.txt"));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.Ended(20000));
}

TEST(SendTo, AddsTheFileAndAsksAboutTheFolder) {
  ProgramFolder folder;
  folder.WriteSettings();
  const std::filesystem::path dir = folder.dir / L"pictures";
  std::filesystem::create_directories(dir);
  std::ofstream(folder.dir / L"note.txt") << "x";
  Process p(folder, L"-sendto \"" + (folder.dir / L"note.txt").wstring() + L"\" \"" + dir.wstring() + L"\"");
  HWND box = WaitForBox(p);
  ASSERT_NE(box, nullptr) << "the folder prompt";
  EXPECT_EQ(WindowTextOf(box), L" Add Directory names or Files ?");
  EXPECT_FALSE(IsWindowEnabled(FindWindowExW(box, nullptr, L"Button", L"All Folders")));
  PressButton(box, L"Folder");
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr);
  const DWORD start = GetTickCount();
  while (WindowTextOf(main) != L"  Rename  *.*    [2 items]" && GetTickCount() - start < 10000) Sleep(20);
  EXPECT_EQ(WindowTextOf(main), L"  Rename  *.*    [2 items]");
  EXPECT_TRUE(IsWindowEnabled(FindWindowExW(main, nullptr, L"Button", L"&Rename Files ...")));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.Ended(20000));
}

TEST(SendTo, ExactCaseOnlyAndNothingElseSelectsTheMode) {
  ProgramFolder folder;
  folder.WriteSettings();
  // "-SendTo" is a pair: the file "x" does not exist, so the pair fails.
  Process p(folder, L"-SendTo x");
  HWND box = WaitForBox(p);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), L"Error while renaming  '-SendTo'  to  'x' ");
  PressButton(box, L"OK");
  EXPECT_TRUE(p.Ended(20000));

  Process q(folder, L"-sendto");
  HWND main = WaitForMainWindow(q);
  ASSERT_NE(main, nullptr) << "nothing to add: a normal start";
  EXPECT_EQ(WindowTextOf(main), L"  Rename  *.*");
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(q.Ended(20000));
}

TEST(PairMode, NamesOutsideTheAnsiCodePageSurviveTheCommandLine) {
  ProgramFolder folder;
  std::ofstream(folder.dir / L"\u65e5\u672c.txt") << "x";
  Process p(folder,
            L"\"" + (folder.dir / L"\u65e5\u672c.txt").wstring() + L"\" \"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1.txt\"");
  ASSERT_TRUE(p.Ended(20000));
  EXPECT_TRUE(std::filesystem::exists(folder.dir / L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1.txt"));
}

TEST(RoadOfOneRename, SentFilesAreNumberedByTheRememberedOperationAndTakenBack) {
  ProgramFolder folder;
  folder.WriteSettings("LastSelection=1\r\nLastRenameSelect=12\r\n");
  std::ofstream(folder.dir / L"a.txt") << "x";
  std::ofstream(folder.dir / L"b.txt") << "x";
  Process p(folder,
            L"-sendto \"" + (folder.dir / L"a.txt").wstring() + L"\" \"" + (folder.dir / L"b.txt").wstring() + L"\"");
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr);
  auto waitFor = [&](const std::filesystem::path& path, bool present) {
    const DWORD start = GetTickCount();
    while (std::filesystem::exists(path) != present && GetTickCount() - start < 10000) Sleep(20);
    return std::filesystem::exists(path) == present;
  };
  const DWORD start = GetTickCount();
  while (WindowTextOf(main) != L"  Rename  *.*    [2 items]" && GetTickCount() - start < 10000) Sleep(20);
  PostMessageW(FindWindowExW(main, nullptr, L"Button", L"&Rename Files ..."), BM_CLICK, 0, 0);
  EXPECT_TRUE(waitFor(folder.dir / L"001a.txt", true));
  EXPECT_TRUE(waitFor(folder.dir / L"002b.txt", true));
  HWND undo = FindWindowExW(main, nullptr, L"Button", L"&Undo (1)");
  ASSERT_NE(undo, nullptr);
  PostMessageW(undo, BM_CLICK, 0, 0);
  EXPECT_TRUE(waitFor(folder.dir / L"a.txt", true));
  EXPECT_TRUE(waitFor(folder.dir / L"b.txt", true));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.Ended(20000));
}
