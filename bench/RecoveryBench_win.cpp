// The start after a crash: beside the program the journal of a run of 6,000
// renames that did not end, the files as the crash left them. Rename.exe
// starts over them as a user starts it, watched from this second process:
// the times from its start to the window on the screen, to the offer to take
// the run back, and the taking back itself (Yes clicked, until the summary)
// beside a bare MoveFileW loop over the same files, in turns; medians of a
// few rounds. The taking back's own work is timed inside this process, with
// the renames left out.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Bench_win.h"
#include "base/FileIo.h"
#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "engine/UndoJournal.h"
#include "ui/MessageBox_win.h"

namespace bench {

namespace {

constexpr int kFiles = 6000;
constexpr int kRounds = 5;

struct Layout {
  const char* label;
  int folders;  // the files spread evenly over them
  int made;     // the renames the run made before the crash
};

struct Files {
  std::wstring root;
  std::vector<std::wstring> folders, from, to;  // the run's renames: from -> to
};

Files MakeFiles(const std::wstring& root, const Layout& layout) {
  Files f;
  f.root = root;
  CreateDirectoryW(root.c_str(), nullptr);
  const int perFolder = kFiles / layout.folders;
  for (int i = 0; i < kFiles; ++i) {
    if (i % perFolder == 0) {
      f.folders.push_back(root + L"\\f" + std::to_wstring(i / perFolder) + L"\\");
      CreateDirectoryW(f.folders.back().c_str(), nullptr);
    }
    const std::wstring name = L"IMG_" + std::to_wstring(100000 + i) + L".JPG";
    f.from.push_back(f.folders.back() + name);
    f.to.push_back(f.folders.back() + L"0001" + name);
    HANDLE h = CreateFileW(f.from.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  return f;
}

void RemoveFiles(const Files& f) {
  for (size_t i = 0; i < f.from.size(); ++i) {
    DeleteFileW(f.from[i].c_str());
    DeleteFileW(f.to[i].c_str());
  }
  for (const auto& folder : f.folders) RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(f.root.c_str());
}

double Loop(const std::vector<std::wstring>& from, const std::vector<std::wstring>& to, int n) {
  return Seconds([&] {
    for (int i = 0; i < n; ++i) MoveFileW(from[static_cast<size_t>(i)].c_str(), to[static_cast<size_t>(i)].c_str());
  });
}

// The run as a crash leaves it: all its steps written, the first `made`
// renames made and marked, no end.
void Crash(const std::wstring& journal, const Files& f, int made) {
  std::vector<rn::JournalPair> steps;
  for (size_t i = 0; i < f.from.size(); ++i)
    steps.push_back({f.from[i], f.to[i].substr(f.to[i].rfind(L'\\') + 1), false});
  rn::AppendFile out(journal);
  rn::JournalWriter writer(JournalFile(out, journal, true));
  writer.BeginRun(1, L"2024-05-01 10:00:00", steps);
  for (int i = 0; i < made; ++i) {
    MoveFileW(f.from[static_cast<size_t>(i)].c_str(), f.to[static_cast<size_t>(i)].c_str());
    writer.MarkDone(static_cast<size_t>(i));
  }
}

// The moments of one start, in seconds from it.
struct Moments {
  double paint = -1;    // the main window on the screen
  double offer = -1;    // the offer to take the run back
  double summary = -1;  // the report once it is taken back
  bool windowFirst = false;
};

// The taking back's own work: a main window in this process, the offer
// answered Yes and every rename left out; the seconds from the offer to the
// summary.
double OwnWork(const std::wstring& programFolder, int expected) {
  const std::wstring offer = rn::Text(rn::TextId::MsgJournalOffer, {std::to_wstring(expected)});
  LARGE_INTEGER offered{};
  double seconds = -1;
  rn::SetDialogResponder([&](const rn::DialogRequest& r) {
    if (r.text == offer)
      QueryPerformanceCounter(&offered);
    else if (offered.QuadPart && seconds < 0)
      seconds = SecondsSince(offered);
    return 0;
  });
  rn::AppContext context;
  context.programFolder = programFolder;
  context.endProgramOnClose = false;
  context.welcomeReminder = false;  // no modal box in the way of the timings
  auto main = std::make_unique<rn::TMorvaneFrm1>(context);
  main->renameOnDisk = [](const std::wstring&, const std::wstring&, bool) { return 0u; };
  if (main->Create(SW_SHOWNORMAL)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    SendMessageW(main->hwnd, WM_CLOSE, 0, 0);
  }
  main.reset();
  rn::SetDialogResponder(nullptr);
  return seconds;
}

// One start of Rename.exe over the journal, from outside: the main window
// and the boxes as another program sees them; Yes clicked in the offer.
Moments StartFromOutside(const std::wstring& programFolder, const std::wstring& back, bool& allBack) {
  Moments m;
  allBack = false;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  StartedProgram started(programFolder);
  if (!started.started) return m;
  const DWORD process = started.pi.dwProcessId;
  HWND& main = started.main;
  HWND offer = nullptr;
  for (int i = 0; i < 60000 && m.summary < 0; ++i) {
    if (!main && (main = VisibleWindowOf(process, rn::kMainClassName))) m.paint = SecondsSince(start);
    if (HWND box = VisibleWindowOf(process, L"TMessageForm")) {
      if (!offer) {
        offer = box;
        m.offer = SecondsSince(start);
        m.windowFirst = m.paint >= 0;
        if (HWND yes = FindWindowExW(box, nullptr, L"Button", L"Yes")) PostMessageW(yes, BM_CLICK, 0, 0);
      } else if (box != offer) {
        m.summary = SecondsSince(start);
        for (HWND c = FindWindowExW(box, nullptr, L"Static", nullptr); c; c = FindWindowExW(box, c, L"Static", nullptr)) {
          wchar_t text[512] = {};
          GetWindowTextW(c, text, 512);
          allBack = allBack || back == text;
        }
        PostMessageW(box, WM_CLOSE, 0, 0);
      }
    }
    // Each look goes through the window server, which the renames need too:
    // once the offer is answered, it looks less often.
    if (m.summary < 0) Sleep(offer ? 5 : 1);
  }
  return m;
}

}  // namespace

void RecoveryBenchmarks() {
  std::printf("\n== start after a crash: a journal of 6,000 renames (medians of %d rounds, in turns)\n", kRounds);
  const std::wstring root = TempRoot() + L"-recovery";
  const std::wstring programFolder = root + L"-program\\";
  CreateDirectoryW(programFolder.c_str(), nullptr);
  CopyFileW(BesideThisProgram(L"Rename.exe").c_str(), (programFolder + L"Rename.exe").c_str(), FALSE);
  const std::wstring ini = programFolder + L"Rename.ini", journal = programFolder + L"Rename.journal";
  std::ofstream(std::filesystem::path(ini), std::ios::binary) << "[Options]\r\nDonated=1\r\n";
  const Layout layouts[] = {{"one folder, 858 renamed", 1, 858},
                            {"60 folders, 858 renamed", 60, 858},
                            {"60 folders, all 6,000 renamed", 60, kFiles}};
  for (const Layout& layout : layouts) {
    const Files f = MakeFiles(root, layout);
    std::vector<double> paint, offer, gap, back, loop, ratio;
    int windowFirst = 0, wrong = 0;
    for (int round = 0; round < kRounds; ++round) {
      Crash(journal, f, layout.made);
      bool allBack = false;
      const Moments m = StartFromOutside(
          programFolder, rn::Text(rn::TextId::MsgJournalTakenBack, {std::to_wstring(layout.made)}), allBack);
      for (int i = 0; i < layout.made; ++i)
        allBack = allBack && GetFileAttributesW(f.from[static_cast<size_t>(i)].c_str()) != INVALID_FILE_ATTRIBUTES;
      wrong += !allBack || m.offer < 0;
      windowFirst += m.windowFirst;
      paint.push_back(m.paint);
      offer.push_back(m.offer);
      gap.push_back(m.offer - m.paint);
      back.push_back(m.summary - m.offer);
      Loop(f.from, f.to, layout.made);
      loop.push_back(Loop(f.to, f.from, layout.made));
      ratio.push_back(back.back() / loop.back());
    }
    // The taking back's own work: the same start with the renames left out.
    Crash(journal, f, layout.made);
    const double own = OwnWork(programFolder, layout.made);
    Loop(f.to, f.from, layout.made);
    DeleteFileW(journal.c_str());
    std::printf("-- %s\n", layout.label);
    if (wrong) std::printf("   (unexpected: %d round(s) without the offer or with files not back)\n", wrong);
    std::printf("%-44s %9.3f s\n", "start to the window on the screen", Median(paint));
    std::printf("%-44s %9.3f s\n", "start to the offer", Median(offer));
    std::printf("%-44s %9.3f s  (aim: at most 1; window first in %d of %d)\n", "offer after the window", Median(gap),
                windowFirst, kRounds);
    Report("taking back (Yes to the summary)", layout.made, Median(back));
    Report("bare MoveFileW loop over the same files", layout.made, Median(loop));
    std::printf("%-44s %8.2f  (aim: at most 1.2)\n", "taking back / bare loop", Median(ratio));
    Report("its own work (renames left out)", layout.made, own);
    std::printf("%-44s %8.3f  (%+.1f%% of the bare loop)\n", "own work / bare loop",
                own / Median(loop), own / Median(loop) * 100);
    RemoveFiles(f);
  }
  for (const std::wstring& file : {ini, programFolder + L"Rename.exe"}) DeleteFileW(file.c_str());
  RemoveDirectoryW(programFolder.c_str());
}

}  // namespace bench
