// The command: the selection handed to the main window, the program started
// when no window is there, and what the user sees when that fails.
#include <fstream>

#include "ext/ExtHarness_win.h"

using namespace rnext;

namespace {

const char* const kFirstCommand = MAKEINTRESOURCEA(0);
const std::wstring kLong = L"C:\\" + std::wstring(150, L'd') + L"\\" + std::wstring(150, L'f') + L".txt";

IContextMenu* HandlerFor(Server& server, std::vector<std::wstring> paths) {
  IContextMenu* menu = server.Handler();
  DropObject data(std::move(paths));
  if (menu) {
    EXPECT_EQ(InitializeWith(menu, data), S_OK);
  }
  return menu;
}

}  // namespace

TEST(HandOff, SendsTheWholeSelectionAsUtf8InOneMessage) {
  Server server;
  Receiver window(2008);
  BoxWatcher boxes;
  IContextMenu* menu = HandlerFor(
      server, {L"C:\\a\\x.txt", L"C:\\\u0395\u03bb\u03bb\u03ac\u03b4\u03b1", L"D:\\\u65e5\u672c.txt", kLong});
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Invoke(menu, "Morvane"), E_FAIL) << "a verb string";
  EXPECT_TRUE(Receiver::received.empty());
  EXPECT_EQ(Invoke(menu, kFirstCommand), S_OK);
  ASSERT_EQ(Receiver::received.size(), 1u);
  const auto& m = Receiver::received[0];
  EXPECT_EQ(m.wParam, 0u);
  EXPECT_EQ(m.dwData, 1u);
  const std::string expected =
      std::string("C:\\a\\x.txt\r\n") + "C:\\\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1\r\n" +
      "D:\\\xe6\x97\xa5\xe6\x9c\xac.txt\r\n" + std::string(kLong.begin(), kLong.end()) + "\r\n" + '\0';
  EXPECT_EQ(m.bytes, expected);
  EXPECT_TRUE(boxes.Boxes().empty());
  menu->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST(HandOff, AReceiverThatRefusesGivesOneBox) {
  Server server;
  Receiver window(0);
  IContextMenu* menu = HandlerFor(server, {L"C:\\a\\x.txt"});
  ASSERT_NE(menu, nullptr);
  BoxWatcher boxes;
  EXPECT_EQ(Invoke(menu, kFirstCommand), S_OK);
  EXPECT_EQ(Receiver::received.size(), 1u);
  const auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, L"Morvane context...");
  EXPECT_EQ(shown[0].text, L"Failed to send data to Morvane.. :(");
  menu->Release();
}

TEST(HandOff, WithoutTheProgramBesideItTheCommandFailsWithABox) {
  ASSERT_EQ(FindWindowW(L"TMorvaneFrm1", nullptr), nullptr);
  rne2e::ProgramFolder folder;
  std::filesystem::remove(folder.dir / L"Rename.exe");
  Server server(DllBeside(folder));
  IContextMenu* menu = HandlerFor(server, {L"C:\\a\\x.txt"});
  ASSERT_NE(menu, nullptr);
  BoxWatcher boxes;
  EXPECT_TRUE(FAILED(Invoke(menu, kFirstCommand)));
  const auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"Unable to run RENAME.EXE");
  menu->Release();
}

namespace {

int g_timer;  // 0 not fired, 1 fired with no box open, 2 fired inside a box

BOOL CALLBACK SeeBox(HWND h, LPARAM) {
  wchar_t cls[16];
  GetClassNameW(h, cls, 16);
  if (lstrcmpW(cls, L"#32770") == 0) g_timer = 2;
  return TRUE;
}

void CALLBACK TimerFired(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_timer = 1;
  EnumThreadWindows(GetCurrentThreadId(), SeeBox, 0);
}

}  // namespace

// Takes the full 30 seconds of the wait.
TEST(HandOff, AProgramThatNeverShowsItsWindowIsGivenUpOnWhileMessagesFlow) {
  ASSERT_EQ(FindWindowW(L"TMorvaneFrm1", nullptr), nullptr);
  rne2e::ProgramFolder folder;
  std::filesystem::copy_file(rne2e::PathFromEnvironment(L"RENAME_DRIVER"), folder.dir / L"Rename.exe",
                             std::filesystem::copy_options::overwrite_existing);  // ends at once, no window
  Server server(DllBeside(folder));
  IContextMenu* menu = HandlerFor(server, {L"C:\\a\\x.txt"});
  ASSERT_NE(menu, nullptr);
  BoxWatcher boxes;
  // A timer of this thread fires during the wait, while no box is open yet.
  g_timer = 0;
  SetTimer(nullptr, 0, 10, TimerFired);
  EXPECT_EQ(Invoke(menu, kFirstCommand), HRESULT_FROM_WIN32(ERROR_TIMEOUT));
  EXPECT_EQ(g_timer, 1);
  const auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            L"RENAME.EXE did not start in time: its window did not appear within 30 seconds. Nothing was sent.");
  menu->Release();
}

TEST(HandOff, StartsTheProgramBesideItWhichListsThePathsSent) {
  ASSERT_EQ(FindWindowW(L"TMorvaneFrm1", nullptr), nullptr);
  rne2e::ProgramFolder folder;
  const std::wstring dll = DllBeside(folder);
  std::ofstream(folder.dir / L"Rename.ini", std::ios::binary)
      << "[Options]\r\nLastSelection=1\r\nLastRenameSelect=12\r\n";
  const std::wstring names[] = {L"a.txt", L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1.txt", L"\u65e5\u672c\u8a9e.txt"};
  std::vector<std::wstring> paths;
  for (const auto& name : names) {
    std::ofstream(folder.dir / name) << "x";
    paths.push_back((folder.dir / name).wstring());
  }
  {
    Server server(dll);
    IContextMenu* menu = HandlerFor(server, paths);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Invoke(menu, kFirstCommand), S_OK);
    menu->Release();
  }
  HWND main = FindWindowW(L"TMorvaneFrm1", nullptr);
  ASSERT_NE(main, nullptr);
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  HANDLE program = OpenProcess(SYNCHRONIZE, FALSE, pid);
  // The program answers at once and adds the paths after the answer.
  EXPECT_TRUE(rne2e::WaitForCaption(main, L"  Rename  *.*    [3 items]")) << rne2e::Utf8(rne2e::WindowTextOf(main));
  // A second command finds the running program and adds to its list.
  std::ofstream(folder.dir / L"d.txt") << "x";
  {
    Server server(dll);
    IContextMenu* menu = HandlerFor(server, {(folder.dir / L"d.txt").wstring()});
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Invoke(menu, kFirstCommand), S_OK);
    menu->Release();
  }
  EXPECT_EQ(FindWindowW(L"TMorvaneFrm1", nullptr), main) << "no second program";
  EXPECT_TRUE(rne2e::WaitForCaption(main, L"  Rename  *.*    [4 items]")) << rne2e::Utf8(rne2e::WindowTextOf(main));
  // Numbered in the order sent: the names arrived whole.
  PostMessageW(FindWindowExW(main, nullptr, L"Button", L"&Rename Files ..."), BM_CLICK, 0, 0);
  for (int i = 0; i < 3; ++i) {  // d.txt, sent last, is number 4
    const auto renamed = folder.dir / (L"00" + std::to_wstring(i + 1) + names[i]);
    for (int tries = 0; tries < 500 && !std::filesystem::exists(renamed); ++tries) Sleep(20);
    EXPECT_TRUE(std::filesystem::exists(renamed)) << renamed;
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(program, 20000), WAIT_OBJECT_0);
  CloseHandle(program);
}

TEST(HandOff, AProgramThatStopsAnsweringCostsExplorerAtMostTheBound) {
  // The stand-in window lives on a thread of its own, which then stops.
  HWND window = nullptr;
  DWORD ownerId = 0;
  std::atomic<bool> made{false};
  std::thread owner([&] {
    Receiver receiver(2008);
    window = receiver.hwnd;
    ownerId = GetCurrentThreadId();
    made = true;
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  });
  while (!made) Sleep(5);
  ASSERT_NE(window, nullptr);
  HANDLE ownerThread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, ownerId);
  ASSERT_NE(ownerThread, nullptr);
  ASSERT_NE(SuspendThread(ownerThread), static_cast<DWORD>(-1));
  Server server;
  IContextMenu* menu = HandlerFor(server, {L"C:\\a\\x.txt"});
  ASSERT_NE(menu, nullptr);
  BoxWatcher boxes;
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(Invoke(menu, kFirstCommand), HRESULT_FROM_WIN32(ERROR_TIMEOUT));
  const ULONGLONG waited = GetTickCount64() - start;
  EXPECT_LT(waited, 20000u) << "the bound is 10 seconds; a wait without one never ends";
  const auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            L"RENAME.EXE does not answer (it may be busy or hung), so nothing was sent. Try again once it answers.");
  menu->Release();
  ResumeThread(ownerThread);
  CloseHandle(ownerThread);
  PostMessageW(window, WM_QUIT, 0, 0);
  owner.join();
  EXPECT_TRUE(Receiver::received.empty() || Receiver::received.size() == 1u);
}
