// The registry scripts that add the extension to Explorer and take it out.
#include <gtest/gtest.h>

#include "shell/HandOffWire.h"
#include "shell/Registration.h"

using namespace rn;

TEST(Registration, TheAddScriptHasItsLinesForTheSystemItRunsOn) {
  struct Case {
    bool nt, windows64;
    size_t lines;  // text lines, the final empty one included
    const wchar_t* dll;
  };
  for (const Case& c : {Case{true, false, 24, L"RENAME32.DLL"}, Case{true, true, 31, L"RENAME64.DLL"},
                        Case{false, false, 21, L"RENAME32.DLL"}}) {
    const auto lines = AddScriptLines(L"C:\\Tools\\Ren\\", c.nt, c.windows64);
    ASSERT_EQ(lines.size(), c.lines) << c.nt << c.windows64;
    EXPECT_EQ(lines[0], L"Windows Registry Editor Version 5.00");
    EXPECT_EQ(lines[6], L"@=\"C:\\\\Tools\\\\Ren\\\\" + std::wstring(c.dll) + L"\"");
    EXPECT_EQ(lines[18], L"@=\"C:\\\\Tools\\\\Ren\\\\\"");
    EXPECT_EQ(lines[13], L"@=\"" + std::wstring(kExtensionClassId) + L"\"");
    EXPECT_EQ(lines[14], L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Folder\\ShellEx\\ContextMenuHandlers\\Morvane]")
        << "no empty line between the folder blocks";
    EXPECT_EQ(lines.back(), L"");
    EXPECT_EQ(lines[2], L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\" + std::wstring(kExtensionClassId) + L"]");
    if (c.windows64) {
      EXPECT_EQ(lines[23], L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Classes\\CLSID\\" +
                               std::wstring(kExtensionClassId) + L"]");
      EXPECT_EQ(lines[27], L"@=\"C:\\\\Tools\\\\Ren\\\\RENAME32.DLL\"") << "the 32-bit view names the 32-bit extension";
    }
  }
}

TEST(Registration, TheRemoveScriptTakesOutEveryKeyButTheApprovedValue) {
  const auto lines32 = RemoveScriptLines(false), lines64 = RemoveScriptLines(true);
  EXPECT_EQ(lines32.size(), 15u);
  EXPECT_EQ(lines64.size(), 19u);
  EXPECT_EQ(lines32[12], L"[-HKEY_CURRENT_USER\\Software\\Morvane]");
  for (const auto& line : lines64) EXPECT_EQ(line.find(L"Approved"), std::wstring::npos);
  EXPECT_EQ(lines64[16],
            L"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Classes\\CLSID\\" + std::wstring(kExtensionClassId) + L"]");
}

TEST(Registration, FolderNamesPassUnchangedButForTheirBackslashes) {
  EXPECT_EQ(EscapeRegistryPath(L"C:\\My Tools\\R & R\\"), L"C:\\\\My Tools\\\\R & R\\\\");
  EXPECT_EQ(RegeditParameters(L"C:\\My Tools\\Morvane.reg"), L"/s \"C:\\My Tools\\Morvane.reg\"");
  // An ANSI script while every character fits the code page; UTF-16 otherwise.
  const std::string plain = RegistryScriptBytes({L"a", L""});
  EXPECT_EQ(plain, "a\r\n\r\n");
  const std::string greek = RegistryScriptBytes({L"\u03b1"});
  EXPECT_EQ(greek, std::string("\xFF\xFE\xB1\x03\r\0\n\0", 8));
}
