// The settings place on Windows: the probe of the program's folder, and the
// application-data folder that a copy in a folder it cannot write uses.
#include <windows.h>

#include <shlobj.h>

#include "base/LongPath.h"
#include "core/MainForm_win.h"
#include "support/WindowHarness_win.h"

using namespace rntest;

TEST(SettingsPlace, TheProbeMakesAFileAndLeavesNone) {
  TempFolder folder;
  EXPECT_TRUE(rn::FolderIsWritable(folder.Folder()));
  EXPECT_TRUE(std::filesystem::is_empty(folder.path));
  EXPECT_FALSE(rn::FolderIsWritable(folder.Folder() + L"gone\\"));
  std::wstring deep = folder.Folder();  // past the old length limit
  while (deep.size() < 300) deep += std::wstring(60, L'd') + L"\\";
  std::filesystem::create_directories(L"\\\\?\\" + deep);
  EXPECT_TRUE(rn::FolderIsWritable(deep));
  for (std::wstring d = deep; d.size() > folder.Folder().size(); d.resize(d.find_last_of(L'\\', d.size() - 2) + 1))
    RemoveDirectoryW(rn::SystemPath(d).c_str());
  EXPECT_EQ(rn::DecideSettingsFolder(folder.Folder()), folder.Folder()) << "the portable copy keeps its place";
}

TEST(SettingsPlace, AFolderThatCannotBeWrittenSendsTheSettingsToTheApplicationData) {
  TempFolder program;
  program.WriteIni("[Options]\r\nLanguage=Portuguese\r\n");
  wchar_t appData[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData)));
  const std::filesystem::path moved = std::filesystem::path(appData) / L"Rename";
  std::filesystem::remove_all(moved);
  SetEnvironmentVariableW(L"RENAME_TEST_READONLY_PROGRAM_FOLDER", L"1");
  EXPECT_EQ(rn::DecideSettingsFolder(program.Folder()), moved.wstring() + L"\\");
  program.WriteIni("[Options]\r\n");
  rn::DecideSettingsFolder(program.Folder());
  SetEnvironmentVariableW(L"RENAME_TEST_READONLY_PROGRAM_FOLDER", nullptr);
  std::ifstream in(moved / L"Rename.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[Options]\r\nLanguage=Portuguese\r\n")
      << "started from the copy's own settings, never overwritten";
  in.close();
  std::filesystem::remove_all(moved);
}
