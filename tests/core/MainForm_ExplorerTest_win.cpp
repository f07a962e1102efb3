// The Explorer entry and the Send To link through the real window: the
// confirmation, the script written, the three check marks, the entries at
// rest without an extension, and the link in the Send To folder.
#include <windows.h>

#include "base/Texts.h"
#include "core/MainMenus_win.h"
#include "shell/HandOffWire.h"
#include "support/WindowHarness_win.h"

using namespace rntest;

namespace {

bool Checked(HMENU menu, int id) { return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0; }
bool Grayed(HMENU menu, int id) { return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0; }

// The Send To folder Explorer names, set for the test and put back after it.
struct SendToValue {
  static constexpr wchar_t kKey[] = L"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  std::wstring saved;
  bool had = false;
  SendToValue() {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    had = RegGetValueW(HKEY_CURRENT_USER, kKey, L"SendTo", RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS;
    saved = value;
  }
  void Set(const std::wstring& folder) const {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"SendTo", REG_SZ, folder.c_str(),
                    static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  }
  void Remove() const { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"SendTo"); }
  ~SendToValue() { had ? Set(saved) : Remove(); }
};

}  // namespace

TEST(Explorer, TheEntryAddsAndRemovesTheExtensionAfterAConfirmation) {
  TempFolder folder;
  Make(folder, L"RENAME64.DLL");
  RegistryImports().clear();
  MainWindow w(folder);
  const HMENU system = GetSystemMenu(w.Hwnd(), FALSE);
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(rn::Text(rn::TextId::MsgAddContextMenu), 1);  // Cancel: nothing happens
    w.Command(rn::IdPopExplorerContMenu2);
    EXPECT_TRUE(RegistryImports().empty());
    EXPECT_FALSE(w.form->ExplorerEntryChecked());
    dialogs.Expect(rn::Text(rn::TextId::MsgAddContextMenu), 0);
    w.Command(rn::IdMenuAddContextmenu);
  }
  ASSERT_EQ(RegistryImports().size(), 1u);
  EXPECT_EQ(RegistryImports()[0], folder.Folder() + L"Morvane.reg");
  const std::string script = [&] {
    std::ifstream in(folder.path / "Morvane.reg", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  EXPECT_EQ(script.rfind("Windows Registry Editor Version 5.00\r\n\r\n", 0), 0u);
  EXPECT_NE(script.find("RENAME64.DLL"), std::string::npos);
  EXPECT_TRUE(w.form->ExplorerEntryChecked());
  EXPECT_TRUE(Checked(GetMenu(w.Hwnd()), rn::IdMenuAddContextmenu));
  EXPECT_TRUE(Checked(system, rn::IdSysExplorer));
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(rn::Text(rn::TextId::MsgRemoveContextMenu), 0);
    SendMessageW(w.Hwnd(), WM_SYSCOMMAND, rn::IdSysExplorer, 0);
  }
  EXPECT_FALSE(w.form->ExplorerEntryChecked());
  EXPECT_FALSE(Checked(system, rn::IdSysExplorer));
  w.Close();
  EXPECT_FALSE(std::filesystem::exists(folder.path / "Morvane.reg")) << "the script goes when the window closes";
}

TEST(Explorer, WithoutAnExtensionBesideTheProgramTheEntriesRest) {
  TempFolder folder;
  RegistryImports().clear();
  MainWindow w(folder);
  EXPECT_TRUE(Grayed(GetMenu(w.Hwnd()), rn::IdMenuAddContextmenu));
  EXPECT_TRUE(Grayed(GetSystemMenu(w.Hwnd(), FALSE), rn::IdSysExplorer));
  EXPECT_TRUE(RegistryImports().empty()) << "nothing registered: no script to import";
  w.Command(rn::IdPopExplorerContMenu2);  // resting: no box, nothing written
  EXPECT_FALSE(std::filesystem::exists(folder.path / "Morvane.reg"));
}

TEST(Explorer, TheSendToLinkIsMadeInTheFolderExplorerNames) {
  TempFolder folder;
  SendToValue value;
  MainWindow w(folder);
  const std::wstring sendTo = Make(folder, L"sendto\\");
  value.Set(sendTo);
  w.Command(rn::IdPopSendToExt2);
  w.Command(rn::IdPopSendToExt2);  // twice: one link, replaced
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(sendTo) / L"Rename fileNames.lnk"));
  value.Remove();
  ScriptedDialogs dialogs;
  dialogs.Expect(L"No 'Send To' directory in your Windows OS !!?");
  SendMessageW(w.Hwnd(), WM_SYSCOMMAND, rn::IdSysSendTo, 0);
}

TEST(Explorer, TheRegistryEditorImportsBothScripts) {
  // The scripts as the registry editor reads them: the add script makes the
  // class, the handlers and the marker; the remove script takes them out.
  auto import = [](const std::wstring& script) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(windows) + L"\\regedit.exe\" /s \"" + script + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  };
  auto keyExists = [](HKEY root, const std::wstring& path, REGSAM view = 0) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  };
  const std::wstring handler = L"SOFTWARE\\Classes\\*\\ShellEx\\ContextMenuHandlers\\Morvane";
  const std::wstring server = L"SOFTWARE\\Classes\\CLSID\\" + std::wstring(rn::kExtensionClassId) + L"\\InProcServer32";
  TempFolder folder;
  Make(folder, L"RENAME64.DLL");
  MainWindow w(folder);
  ScriptedDialogs dialogs;
  dialogs.Expect(rn::Text(rn::TextId::MsgAddContextMenu), 0);
  w.Command(rn::IdPopExplorerContMenu2);
  import(folder.Folder() + L"Morvane.reg");
  EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, L"SOFTWARE\\Morvane"));
  EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, handler));
  // Both registry views hold the class on 64-bit Windows, each naming the
  // extension of its own word size.
  auto serverIn = [&](REGSAM view) {
    HKEY key = nullptr;
    wchar_t dll[MAX_PATH * 2] = L"";
    DWORD bytes = sizeof(dll) - sizeof(wchar_t);
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, server.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
      return std::wstring(L"<none>");
    const LSTATUS read = RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(dll), &bytes);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? std::wstring(dll) : std::wstring(L"<unreadable>");
  };
  EXPECT_EQ(serverIn(KEY_WOW64_64KEY), folder.Folder() + L"RENAME64.DLL");
  EXPECT_EQ(serverIn(KEY_WOW64_32KEY), folder.Folder() + L"RENAME32.DLL");
  dialogs.Expect(rn::Text(rn::TextId::MsgRemoveContextMenu), 0);
  w.Command(rn::IdPopExplorerContMenu2);
  import(folder.Folder() + L"Morvane.reg");
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, L"SOFTWARE\\Morvane"));
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, handler));
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, server, KEY_WOW64_64KEY));
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, server, KEY_WOW64_32KEY));
}
