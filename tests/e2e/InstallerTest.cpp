// The installer that `make package` builds, run silently into the test prefix:
// the files and the uninstall entry, the installed program keeping its
// settings in the application-data folder and toggling its Explorer entry,
// and the uninstaller leaving no file and no key behind.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "base/VersionInfo.h"
#include "core/MainForm_win.h"
#include "e2e/ProgramHarness.h"
#include "shell/Registration.h"
#include "shell/RegistryScript.h"

using namespace rne2e;
namespace fs = std::filesystem;

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Rename";

fs::path KnownFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
  return path;
}

fs::path Setup() {
  WIN32_FIND_DATAW found;
  const fs::path package = PathFromEnvironment(L"RENAME_PACKAGE");
  HANDLE h = FindFirstFileW((package / L"Rename-*-setup.exe").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return {};
  FindClose(h);
  return package / found.cFileName;
}

std::set<std::wstring> Names(const fs::path& folder) {
  std::set<std::wstring> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) names.insert(e.path().filename().wstring());
  return names;
}

DWORD RunToTheEnd(const fs::path& exe, const std::wstring& args) {
  std::wstring cmd = L"\"" + exe.wstring() + L"\" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return GetLastError();
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

// The uninstaller hands over to a copy of itself outside the folder and ends
// at once; the test makes that copy itself, to wait for its end.
DWORD Uninstall(const fs::path& dir, const std::wstring& args) {
  const fs::path copy =
      fs::temp_directory_path() / (L"rename-uninstall-" + std::to_wstring(GetCurrentProcessId()) + L".exe");
  fs::copy_file(dir / L"uninstall.exe", copy, fs::copy_options::overwrite_existing);
  const DWORD code = RunToTheEnd(copy, args + L" _?=" + dir.wstring());
  fs::remove(copy);
  return code;
}

HKEY Root(const std::wstring& name) { return name == L"HKEY_CURRENT_USER" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
REGSAM View(bool view32) { return KEY_READ | (view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY); }

bool KeyExists(const rn::RegistryKey& k) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(Root(k.root), k.path.c_str(), 0, View(k.view32), &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring ValueOf(const rn::RegistryKey& k, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(Root(k.root), k.path.c_str(), 0, View(k.view32), &key) != ERROR_SUCCESS) return L"<no key>";
  wchar_t data[1024] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  const LSTATUS read = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return read == ERROR_SUCCESS ? data : L"<none>";
}

bool HasValue(const rn::RegistryValue& v) {
  const std::wstring data = ValueOf(v.key, v.name);
  return data != L"<no key>" && data != L"<none>";
}

std::wstring IniValue(const fs::path& ini, const wchar_t* key) {
  wchar_t buf[256];
  GetPrivateProfileStringW(L"Options", key, L"<none>", buf, 256, ini.c_str());
  return buf;
}

// The program's own add script, for a program in `dir`.
rn::RegistryScript AddScript(const fs::path& dir) {
  return rn::ReadRegistryScript(rn::AddScriptLines(dir.wstring() + L"\\", true, true));
}

bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 600; ++i, Sleep(50))
    if (done()) return true;
  return false;
}

// The installed program, started as a user who cannot write Program Files:
// Wine as root writes every folder, so the test says the folder is not writable.
struct UserWithoutWriteAccess {
  UserWithoutWriteAccess() { SetEnvironmentVariableW(L"RENAME_TEST_READONLY_PROGRAM_FOLDER", L"1"); }
  ~UserWithoutWriteAccess() { SetEnvironmentVariableW(L"RENAME_TEST_READONLY_PROGRAM_FOLDER", nullptr); }
};

// Toggles the Explorer entry from the program's menu, answering its question.
void ToggleExplorerEntry(const Process& p, HWND main) {
  PostMessageW(main, WM_COMMAND, rn::IdPopExplorerContMenu2, 0);
  HWND box = WaitForBox(p);
  ASSERT_NE(box, nullptr) << "no confirmation";
  PressButton(box, L"OK");
}

struct Installation {
  fs::path dir = KnownFolder(CSIDL_PROGRAM_FILES) / L"Rename";
  fs::path settings = KnownFolder(CSIDL_APPDATA) / L"Rename";
  fs::path startMenuLink = KnownFolder(CSIDL_COMMON_PROGRAMS) / L"Rename.lnk";
  fs::path sendToLink = KnownFolder(CSIDL_SENDTO) / rn::kSendToLinkName;
  fs::path setup = Setup();
  Installation() {
    std::error_code ec;
    fs::remove_all(settings, ec);
  }
  ~Installation() {
    std::error_code ec;
    fs::remove_all(settings, ec);
  }
  void ExpectNothingLeft() const {
    EXPECT_FALSE(fs::exists(dir)) << "files left: " << Names(dir).size();
    EXPECT_FALSE(fs::exists(startMenuLink));
    EXPECT_FALSE(fs::exists(sendToLink));
    EXPECT_FALSE(KeyExists({L"HKEY_LOCAL_MACHINE", kUninstallKey, false}));
    const rn::RegistryCleanUp all = rn::CleanUpFor(AddScript(dir), rn::ReadRegistryScript(rn::RemoveScriptLines(true)));
    for (const rn::RegistryKey& k : all.keys) EXPECT_FALSE(KeyExists(k)) << k.path << (k.view32 ? " (32)" : " (64)");
    for (const rn::RegistryValue& v : all.values) EXPECT_FALSE(HasValue(v)) << v.key.path;
  }
};

}  // namespace

TEST(Installer, InstallsRunsFromProgramFilesAndUninstallsLeavingNothing) {
  Installation setup;
  ASSERT_FALSE(setup.setup.empty()) << "no Rename-*-setup.exe: `make package` builds it";
  ASSERT_FALSE(fs::exists(setup.dir)) << "an earlier run left " << setup.dir;
  ASSERT_EQ(RunToTheEnd(setup.setup, L"/S"), 0u);

  std::set<std::wstring> files = Names(setup.setup.parent_path() / L".." / L"stage" / L"Rename");
  ASSERT_GE(files.size(), 6u);
  files.insert(L"uninstall.exe");
  EXPECT_EQ(Names(setup.dir), files);
  const std::wstring version = rn::ReadFileVersionInfo((setup.dir / L"Rename.exe").wstring()).FileVersion;
  const rn::RegistryKey uninstall{L"HKEY_LOCAL_MACHINE", kUninstallKey, false};
  EXPECT_EQ(ValueOf(uninstall, L"DisplayVersion"), version);
  EXPECT_EQ(ValueOf(uninstall, L"UninstallString"), L"\"" + (setup.dir / L"uninstall.exe").wstring() + L"\"");
  EXPECT_TRUE(fs::exists(setup.startMenuLink));
  EXPECT_TRUE(fs::exists(setup.sendToLink));
  for (const rn::RegistryValue& v : AddScript(setup.dir).values)
    EXPECT_EQ(ValueOf(v.key, v.name), v.data) << v.key.path << (v.key.view32 ? " (32)" : " (64)");

  {
    UserWithoutWriteAccess user;
    fs::create_directories(setup.settings);
    std::ofstream(setup.settings / L"Rename.ini", std::ios::binary)
        << "[Options]\r\nDonated=1\r\nWindowPosition=1\r\nPositLeft=321\r\n";
    Process p(setup.dir / L"Rename.exe");
    HWND main = WaitForMainWindow(p);
    ASSERT_NE(main, nullptr);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 321) << "the settings in the application-data folder are read";

    // The installer's entry is the program's: it takes it out, and puts it back.
    const rn::RegistryKey marker{L"HKEY_CURRENT_USER", rn::kRegistrationMarkerKey, false};
    const rn::RegistryKey server = AddScript(setup.dir).values[1].key;
    ToggleExplorerEntry(p, main);
    EXPECT_TRUE(WaitFor([&] { return fs::exists(setup.settings / rn::kRegistrationScriptName); }))
        << "the registration script goes beside the settings";
    if (!WaitFor([&] { return !KeyExists(marker); })) {
      std::cout << "[ SKIPPED  ] the registry editor did not import the script (\"runas\" under this Wine)\n";
    } else {
      EXPECT_FALSE(KeyExists(server));
      EXPECT_FALSE(KeyExists({server.root, server.path, true}));
      ToggleExplorerEntry(p, main);
      EXPECT_TRUE(WaitFor([&] { return KeyExists(marker); }));
      EXPECT_EQ(ValueOf({server.root, server.path, true}, L""), (setup.dir / rn::kExtension64).wstring());
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(p.Ended(20000));
  }
  EXPECT_EQ(IniValue(setup.settings / L"Rename.ini", L"Version"), L"(v" + version + L")");
  EXPECT_EQ(Names(setup.settings), std::set<std::wstring>{L"Rename.ini"}) << "the script goes when the window closes";
  EXPECT_EQ(Names(setup.dir), files) << "nothing written beside the installed program";

  ASSERT_EQ(Uninstall(setup.dir, L"/S"), 0u);
  setup.ExpectNothingLeft();
  EXPECT_TRUE(fs::exists(setup.settings / L"Rename.ini")) << "a silent uninstall keeps the settings";
}

TEST(Installer, LeavesOutTheComponentsNotWantedAndDeletesTheSettingsWhenAsked) {
  // Also: the uninstaller waits for a running Rename to be closed.
  Installation setup;
  ASSERT_FALSE(setup.setup.empty()) << "no Rename-*-setup.exe: `make package` builds it";
  ASSERT_EQ(RunToTheEnd(setup.setup, L"/S /NOEXPLORER /NOSENDTO"), 0u);
  EXPECT_TRUE(fs::exists(setup.dir / L"Rename.exe"));
  EXPECT_FALSE(fs::exists(setup.sendToLink));
  for (const rn::RegistryValue& v : AddScript(setup.dir).values)
    EXPECT_FALSE(HasValue(v)) << v.key.path << " " << v.name;

  fs::create_directories(setup.settings);
  std::ofstream(setup.settings / L"Rename.ini") << "[Options]\r\nDonated=1\r\n";
  {
    UserWithoutWriteAccess user;
    Process p(setup.dir / L"Rename.exe");
    HWND main = WaitForMainWindow(p);
    ASSERT_NE(main, nullptr);
    EXPECT_NE(Uninstall(setup.dir, L"/S /REMOVESETTINGS"), 0u) << "a running Rename holds its files";
    EXPECT_TRUE(fs::exists(setup.dir / L"Rename.exe"));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(p.Ended(20000));
  }
  ASSERT_EQ(Uninstall(setup.dir, L"/S /REMOVESETTINGS"), 0u);
  setup.ExpectNothingLeft();
  EXPECT_FALSE(fs::exists(setup.settings));
}
