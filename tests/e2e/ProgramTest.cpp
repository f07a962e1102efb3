// Rename.exe as the user starts it: a separate process in a copy of the
// program folder, found by its window class and driven from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::wstring ProgramUnderTest() {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(L"RENAME_EXE", buf, MAX_PATH * 2);
  std::wstring path(buf, n);
  if (!path.empty() && path[0] == L'/') {  // a Unix path from CTest: Wine maps / to Z:
    for (auto& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  return path;
}

struct ProgramFolder {
  std::filesystem::path dir;
  ProgramFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    dir = std::filesystem::path(base) / (L"rename-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                         std::to_wstring(++counter));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(ProgramUnderTest(), dir / L"Rename.exe");
  }
  ~ProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  std::wstring Ini() const { return (dir / L"Rename.ini").wstring(); }
  std::wstring Value(const wchar_t* section, const wchar_t* key) const {
    wchar_t buf[1024];
    GetPrivateProfileStringW(section, key, L"<none>", buf, 1024, Ini().c_str());
    return buf;
  }
};

struct Process {
  PROCESS_INFORMATION pi{};
  bool started = false;
  Process(const ProgramFolder& folder, const std::wstring& args = L"") {
    std::wstring cmd = L"\"" + (folder.dir / L"Rename.exe").wstring() + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.dir.c_str(), &si, &pi);
  }
  ~Process() {
    if (!started) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  bool Ended(DWORD ms) const { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
};

struct WindowOf {
  DWORD pid;
  HWND found = nullptr;
};

BOOL CALLBACK FindOwned(HWND h, LPARAM lp) {
  auto* w = reinterpret_cast<WindowOf*>(lp);
  wchar_t cls[64];
  GetClassNameW(h, cls, 64);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == w->pid && lstrcmpW(cls, L"TMorvaneFrm1") == 0 && IsWindowVisible(h)) {
    w->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForMainWindow(const Process& p, DWORD ms = 20000) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    WindowOf w{p.pi.dwProcessId};
    EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&w));
    if (w.found) return w.found;
    if (p.Ended(50)) return nullptr;
  }
  return nullptr;
}

int CountMainWindows() {
  int count = 0;
  for (HWND h = FindWindowW(L"TMorvaneFrm1", nullptr); h; h = FindWindowExW(nullptr, h, L"TMorvaneFrm1", nullptr))
    ++count;
  return count;
}

}  // namespace

TEST(Program, StartsShowsItsWindowAndWritesTheSettingsOnClose) {
  ASSERT_FALSE(ProgramUnderTest().empty()) << "RENAME_EXE is not set";
  ProgramFolder folder;
  Process p(folder);
  ASSERT_TRUE(p.started);
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr) << "no TMorvaneFrm1 window appeared";
  wchar_t caption[128];
  GetWindowTextW(main, caption, 128);
  EXPECT_STREQ(caption, L"  Rename  *.*");
  EXPECT_NE(FindWindowExW(main, nullptr, L"Button", L"Cl&ose"), nullptr);

  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.Ended(20000)) << "the program did not end after its window closed";
  EXPECT_EQ(folder.Value(L"Options", L"Version"), L"(v1.2.5.6)");
  EXPECT_EQ(folder.Value(L"Options", L"Size"), L"630|" + std::to_wstring(630 + 2 * GetSystemMetrics(SM_CXSIZEFRAME)));
  EXPECT_EQ(folder.Value(L"Options", L"PositLeft"), L"232");
  EXPECT_EQ(folder.Value(L"Options", L"PositTop"), L"110");
}

TEST(Program, SecondCopyEndsAtOnceWithoutAWindow) {
  ProgramFolder folder;
  Process first(folder);
  HWND main = WaitForMainWindow(first);
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(CountMainWindows(), 1);

  Process second(folder);
  ASSERT_TRUE(second.started);
  EXPECT_TRUE(second.Ended(10000)) << "the second copy kept running";
  EXPECT_EQ(CountMainWindows(), 1);
  DWORD code = 1;
  GetExitCodeProcess(second.pi.hProcess, &code);
  EXPECT_EQ(code, 0u);

  // The second copy wrote nothing: no settings file yet.
  EXPECT_FALSE(std::filesystem::exists(folder.dir / L"Rename.ini"));
  SendMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.Ended(20000));
}

TEST(Program, StartsWithAnUnreadableSizeAndALegacySection) {
  ProgramFolder folder;
  {
    std::ofstream ini(folder.dir / L"Rename.ini", std::ios::binary);
    ini << "[Options]\r\nSize=abc\r\n[Directories]\r\nRenamingHints=0\r\n";
  }
  Process p(folder);
  HWND main = WaitForMainWindow(p);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.Ended(20000));
  EXPECT_EQ(folder.Value(L"Options", L"RenamingHints"), L"0");
  EXPECT_EQ(folder.Value(L"Directories", L"RenamingHints"), L"<none>");
  EXPECT_NE(folder.Value(L"Options", L"Size"), L"abc");
}
