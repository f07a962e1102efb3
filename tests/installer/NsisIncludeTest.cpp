// The installer's include as made from the program's registration scripts.
#include <gtest/gtest.h>

#include "NsisInclude.h"
#include "base/Text.h"
#include "shell/HandOffWire.h"

using namespace rn;

TEST(NsisInclude, TextsAreEscapedForNsisAndTheFolderMarkIsTheInstallFolder) {
  EXPECT_EQ(NsisString(L"a$b \"c\"\r\n", L'\x01'), "a$$b $\\\"c$\\\"$\\r$\\n");
  EXPECT_EQ(NsisString(L"\x01\\RENAME64.DLL", L'\x01'), "$INSTDIR\\RENAME64.DLL");
}

TEST(NsisInclude, WritesTheAddScriptsKeysInTheirViewsAndRemovesThemInBoth) {
  const std::string text = NsisInclude();
  const std::string server =
      "HKLM \"SOFTWARE\\Classes\\CLSID\\" + Utf8FromWide(kExtensionClassId) + "\\InProcServer32\"";
  const size_t add = text.find("!macro RenameExplorerAdd"), remove = text.find("!macro RenameExplorerRemove");
  ASSERT_LT(add, remove);
  EXPECT_NE(text.find("!define RENAME_SENDTO_LINK \"Rename fileNames.lnk\"\n"), std::string::npos);
  // The 64-bit view's key, then the same key in the 32-bit view (the
  // script's Wow6432Node), each naming the extension of its word size.
  const std::string write = "  WriteRegStr " + server + " \"\" \"$INSTDIR\\RENAME64.DLL\"\n";
  const std::string write32 = "  WriteRegStr " + server + " \"\" \"$INSTDIR\\RENAME32.DLL\"\n";
  const size_t first = text.find(write, add), second = text.find(write32, first + 1);
  ASSERT_LT(second, remove);
  EXPECT_LT(text.rfind("SetRegView 64", first), first);
  EXPECT_GT(text.rfind("SetRegView 32", second), first) << "the second write goes to the 32-bit view";
  EXPECT_NE(text.find("  WriteRegStr HKCU \"SOFTWARE\\Morvane\" \"\" \"$INSTDIR\\\"\n", add), std::string::npos);
  const size_t delete64 = text.find("  DeleteRegKey " + server + "\n", remove);
  ASSERT_NE(delete64, std::string::npos);
  EXPECT_NE(text.find("  DeleteRegKey " + server + "\n", delete64 + 1), std::string::npos) << "in both views";
  EXPECT_NE(
      text.find("DeleteRegValue HKLM \"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved\""),
      std::string::npos);
  EXPECT_EQ(text.find("Wow6432Node"), std::string::npos);
}
