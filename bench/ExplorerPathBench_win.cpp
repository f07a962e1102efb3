// "All* Files" the way Explorer's user gets it: a second process (this one)
// starts Rename.exe, hands it a folder as the extension does, clicks "All*
// Files" in the folder prompt and reads the caption until it counts every
// row; beside it the bare walk of the same tree. Medians of rounds in turns.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Bench_win.h"
#include "shell/HandOffWire.h"

namespace bench {

namespace {

constexpr int kFiles = 100000;
constexpr int kRounds = 7;

// The caption as another process reads it: a message the window answers.
std::wstring Caption(HWND window) {
  wchar_t text[128] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &got);
  return text;
}

struct Round {
  double total = 0;       // the hand-off to the caption counting every row
  double afterClick = 0;  // from the click on
  double firstCount = 0;  // from the click to the first count in the caption
  int counts = 0;         // the counts the caption showed on the way
  bool ok = false;
};

// One start of the program: the folder handed over, the prompt answered,
// the caption waited for; then the program is closed.
Round ExplorerRound(const std::wstring& program, const std::wstring& root) {
  Round round;
  StartedProgram started(program);
  if (!started.started) return round;
  const PROCESS_INFORMATION& pi = started.pi;
  WaitForInputIdle(pi.hProcess, 20000);
  HWND& main = started.main;
  for (int i = 0; i < 2000 && !(main = VisibleWindowOf(pi.dwProcessId, L"TMorvaneFrm1")); ++i) Sleep(10);
  WaitForInputIdle(pi.hProcess, 20000);

  const int length = WideCharToMultiByte(CP_UTF8, 0, root.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string path(static_cast<size_t>(length > 0 ? length - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, root.c_str(), -1, path.data(), length, nullptr, nullptr);
  std::string text = rn::BuildHandOffText({path});
  COPYDATASTRUCT cds{rn::kHandOffUtf8, static_cast<DWORD>(text.size()), text.data()};
  const std::wstring wanted = L"  Rename  *.*    [" + std::to_wstring(kFiles) + L" items]";
  bool clicked = false, done = false;
  LARGE_INTEGER start{}, click{};
  QueryPerformanceCounter(&start);
  DWORD_PTR reply = 0;
  if (main && SendMessageTimeoutW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 20000, &reply) &&
      reply == static_cast<DWORD_PTR>(rn::kHandOffAccepted)) {
    for (int i = 0; i < 20000 && !clicked; ++i) {
      if (HWND box = VisibleWindowOf(pi.dwProcessId, L"TMessageForm")) {
        if (HWND all = FindWindowExW(box, nullptr, L"Button", L"All* Files")) {
          QueryPerformanceCounter(&click);
          PostMessageW(all, BM_CLICK, 0, 0);
          clicked = true;
        }
      }
      if (!clicked) Sleep(1);
    }
    std::wstring last;
    for (int i = 0; i < 60000 && clicked && !done; ++i) {
      const std::wstring caption = Caption(main);
      if (caption != last && caption.find(L" items]") != std::wstring::npos) {
        if (round.counts++ == 0) round.firstCount = SecondsSince(click);
        last = caption;
      }
      done = caption == wanted;
      if (!done) Sleep(1);
    }
  }
  round.ok = done;
  if (clicked) round.afterClick = SecondsSince(click);
  round.total = SecondsSince(start);
  return round;
}

}  // namespace

void ExplorerPathBenchmarks() {
  std::printf("\n== \"All* Files\" on a folder handed over by Explorer, from a second process (medians of %d rounds)\n",
              kRounds);
  const std::wstring root = TempRoot() + L"-explorer";
  const std::wstring program = root + L"-program\\";
  CreateDirectoryW(program.c_str(), nullptr);
  CopyFileW(BesideThisProgram(L"Rename.exe").c_str(), (program + L"Rename.exe").c_str(), FALSE);
  std::ofstream(std::filesystem::path(program + L"Rename.ini"), std::ios::binary) << "[Options]\r\nDonated=1\r\n";
  const std::vector<std::wstring> paths = MakeTree(root, kFiles);

  ExplorerRound(program, root);  // warm-up: the system's DLLs and the tree in the cache
  std::vector<double> total, afterClick, firstCount, counts, bare, ratio;
  bool allOk = true;
  for (int i = 0; i < kRounds; ++i) {
    const Round r = ExplorerRound(program, root);
    int found = 0;
    const double b = Seconds([&] { found = BareWalk(root); });
    allOk = allOk && r.ok && found == kFiles;
    total.push_back(r.total);
    afterClick.push_back(r.afterClick);
    firstCount.push_back(r.firstCount);
    counts.push_back(r.counts);
    bare.push_back(b);
    ratio.push_back(r.total / b);
  }
  Report("hand-off to the caption's full count", kFiles, Median(total));
  Report("  of which from the click on", kFiles, Median(afterClick));
  std::printf("%-44s %9.3f s  (counts on the way: %.0f)\n", "  the click to the caption's first count",
              Median(firstCount), Median(counts));
  Report("bare FindFirstFileW walk: 100,000 files", kFiles, Median(bare));
  std::printf("%-44s %8.2f  (aim: at most 2)\n", "Explorer's \"All* Files\" / bare walk", Median(total) / Median(bare));
  std::printf("%-44s %8.2f\n", "median of the rounds' ratios", Median(ratio));
  if (!allOk) std::printf("   (unexpected: a round did not reach the full count)\n");

  RemoveTree(root, paths);
  for (const wchar_t* name : {L"Rename.exe", L"Rename.ini", L"Rename.journal"}) DeleteFileW((program + name).c_str());
  RemoveDirectoryW(program.c_str());
}

}  // namespace bench
