// Where the settings go: beside a program whose folder the user can write,
// in the user's application-data folder otherwise.
#include <gtest/gtest.h>

#include "base/SettingsPlace.h"

using namespace rn;

TEST(SettingsPlace, BesideAWritableProgramElseInTheApplicationData) {
  struct Case {
    bool writable;
    const wchar_t* appData;
    const wchar_t* folder;
  };
  for (const Case& c :
       {Case{true, L"C:\\Users\\ann\\AppData\\Roaming", L"D:\\Tools\\Ren\\"},
        Case{false, L"C:\\Users\\ann\\AppData\\Roaming", L"C:\\Users\\ann\\AppData\\Roaming\\Rename\\"},
        Case{false, L"C:\\Users\\ann\\AppData\\Roaming\\", L"C:\\Users\\ann\\AppData\\Roaming\\Rename\\"},
        Case{false, L"", L"D:\\Tools\\Ren\\"}})
    EXPECT_EQ(SettingsFolderFor(L"D:\\Tools\\Ren\\", c.writable, c.appData), c.folder) << c.writable << c.appData;
}

TEST(SettingsPlace, AMovedCopyStartsFromTheSettingsBesideItOnce) {
  const std::wstring program = L"C:\\Program Files\\Rename\\", moved = L"C:\\Users\\ann\\AppData\\Roaming\\Rename\\";
  EXPECT_TRUE(SeedSettingsFromProgramFolder(program, moved, true, false));
  EXPECT_FALSE(SeedSettingsFromProgramFolder(program, moved, true, true)) << "never over settings already there";
  EXPECT_FALSE(SeedSettingsFromProgramFolder(program, moved, false, false));
  EXPECT_FALSE(SeedSettingsFromProgramFolder(program, program, true, false)) << "the portable copy stays as it is";
}
