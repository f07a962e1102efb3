// The program's registration scripts read back as the changes they make, and
// what takes all of it out again in both registry views.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "shell/HandOffWire.h"
#include "shell/Registration.h"
#include "shell/RegistryScript.h"

using namespace rn;

namespace {

const std::wstring kClass = std::wstring(L"SOFTWARE\\Classes\\CLSID\\") + kExtensionClassId;

int Count(const std::vector<RegistryKey>& keys, const std::wstring& root, const std::wstring& path, bool view32) {
  int n = 0;
  for (const RegistryKey& k : keys) n += k.root == root && k.path == path && k.view32 == view32;
  return n;
}

}  // namespace

TEST(RegistryScript, TheAddScriptReadsAsItsValuesEachInItsView) {
  const RegistryScript add = ReadRegistryScript(AddScriptLines(L"C:\\My Tools & R\\", true, true));
  ASSERT_EQ(add.values.size(), 11u);
  EXPECT_TRUE(add.deletedKeys.empty());
  const RegistryValue& dll = add.values[1];
  EXPECT_EQ(dll.key.path, kClass + L"\\InProcServer32");
  EXPECT_EQ(dll.name, L"");
  EXPECT_EQ(dll.data, L"C:\\My Tools & R\\RENAME64.DLL") << "escapes undone";
  EXPECT_FALSE(dll.key.view32);
  EXPECT_EQ(add.values[2].name, L"ThreadingModel");
  // The Wow6432Node keys are the 32-bit view's keys of the same name.
  const RegistryValue& dll32 = add.values[9];
  EXPECT_EQ(dll32.key.path, dll.key.path);
  EXPECT_TRUE(dll32.key.view32);
  EXPECT_EQ(dll32.data, L"C:\\My Tools & R\\RENAME32.DLL") << "the 32-bit view loads the 32-bit extension";
  EXPECT_EQ(add.values[6].key.root, L"HKEY_CURRENT_USER");
  EXPECT_EQ(add.values[6].data, L"C:\\My Tools & R\\");
}

TEST(RegistryScript, TheCleanUpNamesEveryKeyOnceInBothViewsAndLeavesSharedKeys) {
  const RegistryCleanUp out = CleanUpFor(ReadRegistryScript(AddScriptLines(L"C:\\R\\", true, true)),
                                         ReadRegistryScript(RemoveScriptLines(true)));
  ASSERT_EQ(out.keys.size(), 12u);  // CLSID, InProcServer32, three handlers, the marker; two views each
  for (bool view32 : {false, true}) {
    EXPECT_EQ(Count(out.keys, L"HKEY_LOCAL_MACHINE", kClass, view32), 1);
    EXPECT_EQ(Count(out.keys, L"HKEY_LOCAL_MACHINE", kClass + L"\\InProcServer32", view32), 1);
    EXPECT_EQ(Count(out.keys, L"HKEY_CURRENT_USER", L"SOFTWARE\\Morvane", view32), 1) << "one spelling of the marker";
  }
  // Explorer's list of approved extensions is shared: only its value goes.
  ASSERT_EQ(out.values.size(), 2u);
  EXPECT_EQ(out.values[0].key.path, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved");
  EXPECT_EQ(out.values[0].name, kExtensionClassId);
  EXPECT_NE(out.values[0].key.view32, out.values[1].key.view32);
}

TEST(RegistryScript, ALineItCannotReadIsNamed) {
  for (const wchar_t* line : {L"\"n\"=dword:00000001", L"@=\"open", L"[HKEY_CURRENT_USER\\A", L"x"}) {
    try {
      ReadRegistryScript({L"Windows Registry Editor Version 5.00", L"[HKEY_CURRENT_USER\\A]", line});
      ADD_FAILURE() << "read: " << line;
    } catch (const AppError& e) {
      EXPECT_NE(e.text.find(line), std::wstring::npos) << e.text;
    }
  }
  EXPECT_THROW(ReadRegistryScript({L"@=\"a\""}), AppError) << "a value before any key";
}
