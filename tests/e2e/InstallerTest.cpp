// The installer that `make package` builds, run silently into the test prefix:
// the files and the uninstall entry, the installed program keeping its
// settings in the application-data folder and toggling its Explorer entry,
// and the uninstaller leaving no file and no key behind.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <functional>
#include <optional>
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

std::set<std::wstring> Names(const fs::path& folder) {
  std::set<std::wstring> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) names.insert(e.path().filename().wstring());
  return names;
}

DWORD ExitCodeOf(const fs::path& exe, const std::wstring& args) {
  Process p(exe, args);
  DWORD code = ~0u;
  if (p.started && p.Ended(INFINITE)) GetExitCodeProcess(p.pi.hProcess, &code);
  return code;
}

// The uninstaller hands over to a copy of itself outside the folder and ends
// at once; the test makes that copy itself, to wait for its end.
DWORD Uninstall(const fs::path& dir, const std::wstring& args) {
  const fs::path copy = fs::temp_directory_path() / L"rename-uninstall.exe";
  fs::copy_file(dir / L"uninstall.exe", copy, fs::copy_options::overwrite_existing);
  const DWORD code = ExitCodeOf(copy, args + L" _?=" + dir.wstring());
  fs::remove(copy);
  return code;
}

HKEY Open(const rn::RegistryKey& k) {
  HKEY key = nullptr;
  const HKEY root = k.root == L"HKEY_CURRENT_USER" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const REGSAM view = k.view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  return RegOpenKeyExW(root, k.path.c_str(), 0, KEY_READ | view, &key) == ERROR_SUCCESS ? key : nullptr;
}

bool KeyExists(const rn::RegistryKey& k) {
  HKEY key = Open(k);
  if (key) RegCloseKey(key);
  return key != nullptr;
}

// The value's data, or nothing when the key or the value is missing.
std::optional<std::wstring> ValueOf(const rn::RegistryKey& k, const std::wstring& name = L"") {
  HKEY key = Open(k);
  if (!key) return std::nullopt;
  wchar_t data[1024] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  const LSTATUS read = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS) return std::nullopt;
  return data;
}

bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 600; ++i, Sleep(50))
    if (done()) return true;
  return false;
}

// Wine as root writes every folder: the program is told its folder is not
// writable, as Program Files is not to a normal user.
struct UserWithoutWriteAccess {
  UserWithoutWriteAccess() { SetEnvironmentVariableW(L"RENAME_TEST_READONLY_PROGRAM_FOLDER", L"1"); }
  ~UserWithoutWriteAccess() { SetEnvironmentVariableW(L"RENAME_TEST_READONLY_PROGRAM_FOLDER", nullptr); }
};

struct InstalledProgram {
  UserWithoutWriteAccess user;
  Process p;
  HWND main;
  explicit InstalledProgram(const fs::path& exe) : p(exe), main(WaitForMainWindow(p)) {}
  bool Close() const {
    PostMessageW(main, WM_CLOSE, 0, 0);
    return p.Ended(20000);
  }
};

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
  fs::path setup;
  Installation() {
    // A run that stopped half-way leaves its installation: taken out first.
    if (fs::exists(dir / L"uninstall.exe")) Uninstall(dir, L"/S");
    fs::remove_all(dir);
    fs::remove_all(settings);
    WIN32_FIND_DATAW found;
    const fs::path package = PathFromEnvironment(L"RENAME_PACKAGE");
    HANDLE h = FindFirstFileW((package / L"Rename-*-setup.exe").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    setup = package / found.cFileName;
    FindClose(h);
  }
  ~Installation() { fs::remove_all(settings); }
  // What the program's own add script writes for a program in `dir`.
  rn::RegistryScript AddScript() const {
    return rn::ReadRegistryScript(rn::AddScriptLines(dir.wstring() + L"\\", true, true));
  }
  // The installed program, its settings written first.
  fs::path Program(const char* settingsText) const {
    fs::create_directories(settings);
    std::ofstream(settings / L"Rename.ini") << settingsText;
    return dir / L"Rename.exe";
  }
  void ExpectNothingLeft() const {
    EXPECT_EQ(Names(dir).size(), 0u);
    EXPECT_FALSE(fs::exists(dir));
    EXPECT_FALSE(fs::exists(startMenuLink));
    EXPECT_FALSE(fs::exists(sendToLink));
    EXPECT_FALSE(KeyExists({L"HKEY_LOCAL_MACHINE", kUninstallKey}));
    const rn::RegistryCleanUp all = rn::CleanUpFor(AddScript(), rn::ReadRegistryScript(rn::RemoveScriptLines(true)));
    for (const rn::RegistryKey& k : all.keys) EXPECT_FALSE(KeyExists(k)) << k.path << (k.view32 ? " (32)" : "");
    for (const rn::RegistryValue& v : all.values) EXPECT_FALSE(ValueOf(v.key, v.name)) << v.key.path;
  }
};

}  // namespace

TEST(Installer, InstallsRunsFromProgramFilesAndUninstallsLeavingNothing) {
  Installation setup;
  ASSERT_FALSE(setup.setup.empty()) << "no Rename-*-setup.exe: `make package` builds it";
  ASSERT_EQ(ExitCodeOf(setup.setup, L"/S"), 0u);

  std::set<std::wstring> files = Names(setup.setup.parent_path() / L".." / L"stage" / L"Rename");
  ASSERT_GE(files.size(), 6u);
  files.insert(L"uninstall.exe");
  EXPECT_EQ(Names(setup.dir), files);
  const std::wstring version = rn::ReadFileVersionInfo((setup.dir / L"Rename.exe").wstring()).FileVersion;
  EXPECT_EQ(ValueOf({L"HKEY_LOCAL_MACHINE", kUninstallKey}, L"DisplayVersion"), version);
  EXPECT_TRUE(fs::exists(setup.startMenuLink));
  EXPECT_TRUE(fs::exists(setup.sendToLink));
  for (const rn::RegistryValue& v : setup.AddScript().values)
    EXPECT_EQ(ValueOf(v.key, v.name), v.data) << v.key.path << (v.key.view32 ? " (32)" : "");

  {
    const InstalledProgram run(setup.Program("[Options]\nDonated=1\nWindowPosition=1\nPositLeft=321\n"));
    ASSERT_NE(run.main, nullptr);
    RECT r;
    GetWindowRect(run.main, &r);
    EXPECT_EQ(r.left, 321) << "the settings in the application-data folder are read";

    // The entry the installer wrote is the program's own: it takes it out, and puts it back.
    const rn::RegistryKey marker{L"HKEY_CURRENT_USER", rn::kRegistrationMarkerKey};
    rn::RegistryKey server32 = setup.AddScript().values[1].key;
    server32.view32 = true;
    ToggleExplorerEntry(run.p, run.main);
    EXPECT_TRUE(WaitFor([&] { return fs::exists(setup.settings / rn::kRegistrationScriptName); }))
        << "the registration script goes beside the settings";
    if (!WaitFor([&] { return !KeyExists(marker); })) {
      std::cout << "[ SKIPPED  ] the registry editor did not import the script (\"runas\" under this Wine)\n";
    } else {
      EXPECT_FALSE(KeyExists(server32));
      ToggleExplorerEntry(run.p, run.main);
      EXPECT_TRUE(WaitFor([&] { return KeyExists(marker); }));
      EXPECT_EQ(ValueOf(server32), (setup.dir / rn::kExtension32).wstring()) << "the 32-bit view loads RENAME32.DLL";
    }
    ASSERT_TRUE(run.Close());
  }
  wchar_t written[64];
  GetPrivateProfileStringW(L"Options", L"Version", L"", written, 64, (setup.settings / L"Rename.ini").c_str());
  EXPECT_EQ(written, L"(v" + version + L")");
  EXPECT_EQ(Names(setup.settings), std::set<std::wstring>{L"Rename.ini"}) << "the script goes when the window closes";
  EXPECT_EQ(Names(setup.dir), files) << "nothing written beside the installed program";

  ASSERT_EQ(Uninstall(setup.dir, L"/S"), 0u);
  setup.ExpectNothingLeft();
  EXPECT_TRUE(fs::exists(setup.settings / L"Rename.ini")) << "a silent uninstall keeps the settings";
}

TEST(Installer, LeavesOutTheComponentsNotWantedAndWaitsForTheProgramToClose) {
  Installation setup;
  ASSERT_FALSE(setup.setup.empty()) << "no Rename-*-setup.exe: `make package` builds it";
  ASSERT_EQ(ExitCodeOf(setup.setup, L"/S /NOEXPLORER /NOSENDTO"), 0u);
  EXPECT_FALSE(fs::exists(setup.sendToLink));
  for (const rn::RegistryValue& v : setup.AddScript().values) EXPECT_FALSE(ValueOf(v.key, v.name)) << v.key.path;

  {
    const InstalledProgram run(setup.Program("[Options]\nDonated=1\n"));
    ASSERT_NE(run.main, nullptr);
    EXPECT_NE(Uninstall(setup.dir, L"/S /REMOVESETTINGS"), 0u) << "a running Rename holds its files";
    EXPECT_TRUE(fs::exists(setup.dir / L"Rename.exe"));
    ASSERT_TRUE(run.Close());
  }
  ASSERT_EQ(Uninstall(setup.dir, L"/S /REMOVESETTINGS"), 0u);
  setup.ExpectNothingLeft();
  EXPECT_FALSE(fs::exists(setup.settings)) << "asked for, the settings go too";
}
