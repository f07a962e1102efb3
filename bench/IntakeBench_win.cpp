// Files added to the real main window by one hand-off and by "All* Files" on a
// folder tree, at two sizes, with the ratio that shows how adding scales.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "Bench_win.h"
#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/Operation.h"
#include "shell/HandOff.h"
#include "ui/MessageBox_win.h"

#include <shlobj.h>

namespace bench {

namespace {

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

}  // namespace

void IntakeBenchmarks() {
  std::printf("\n== adding files to the window\n");
  const std::wstring root = TempRoot();
  const std::wstring programFolder = root + L"-program\\";
  CreateDirectoryW(programFolder.c_str(), nullptr);
  rn::SetDialogResponder([](const rn::DialogRequest&) { return 2; });  // "All* Files"
  double perFile[2][2] = {};
  const int sizes[2] = {10000, 100000};
  for (int s = 0; s < 2; ++s) {
    const int n = sizes[s];
    const std::vector<std::wstring> paths = MakeTree(root, n);
    rn::AppContext context;
    context.programFolder = programFolder;
    context.endProgramOnClose = false;
    context.welcomeReminder = false;  // no modal box in the way of the timings
    rn::TMorvaneFrm1 main(context);
    main.Create(SW_SHOWNORMAL);
    main.panel->ChooseOperation(rn::kOpNumerate);  // the new names' column shows
    Pump();

    std::string text;
    for (const auto& p : paths) {
      const int len =
          WideCharToMultiByte(CP_ACP, 0, p.c_str(), static_cast<int>(p.size()), nullptr, 0, nullptr, nullptr);
      const size_t at = text.size();
      text.resize(at + static_cast<size_t>(len));
      WideCharToMultiByte(CP_ACP, 0, p.c_str(), static_cast<int>(p.size()), text.data() + at, len, nullptr, nullptr);
      text += "\r\n";
    }
    text += '\0';
    COPYDATASTRUCT cds{0, static_cast<DWORD>(text.size()), text.data()};
    LRESULT reply = 0;
    double answered = 0;
    // The sender has its answer at once; the paths are added after it.
    const double handOff = Seconds([&] {
      answered = Seconds([&] { reply = SendMessageW(main.hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)); });
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    });
    Report(s == 0 ? "hand-off: 10,000 paths answered" : "hand-off: 100,000 paths answered", n, answered);
    Report(s == 0 ? "hand-off: 10,000 paths in one message" : "hand-off: 100,000 paths in one message", n, handOff);
    if (reply != rn::kHandOffAccepted || main.fileList.EntryCount() != n)
      std::printf("   (unexpected: reply %lld, %d rows)\n", static_cast<long long>(reply), main.fileList.EntryCount());

    SendMessageW(main.hwnd, WM_COMMAND, MAKEWPARAM(rn::IdButton4, BN_CLICKED), 0);  // Clear &List
    const double bareBefore = Seconds([&] { BareWalk(root); });
    std::wstring drop = root;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (drop.size() + 2) * sizeof(wchar_t));
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    drop.copy(reinterpret_cast<wchar_t*>(df + 1), drop.size());
    GlobalUnlock(mem);
    // Up to the list on the screen: the drop, then the paint it left waiting.
    const double walk = Seconds([&] {
      SendMessageW(main.hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
      RedrawWindow(main.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    Report(s == 0 ? "\"All* Files\": 10,000 files in 10 folders" : "\"All* Files\": 100,000 files in 100 folders", n,
           walk);
    if (main.fileList.EntryCount() != n) std::printf("   (unexpected: %d rows)\n", main.fileList.EntryCount());
    // The new names' column fills in idle time after that: until its counts show.
    const double names = Seconds([&] {
      while (main.PreviewStatusText() == rn::Text(rn::TextId::PreviewCounting)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
      }
    });
    Report("  then the new names' column complete", n, names);
    // The bare walk before and after the window's, the faster counting.
    int found = 0;
    const double bare = std::min(bareBefore, Seconds([&] { found = BareWalk(root); }));
    Report(s == 0 ? "bare FindFirstFileW walk: 10,000 files" : "bare FindFirstFileW walk: 100,000 files", n, bare);
    if (found != n) std::printf("   (unexpected: the walk found %d files)\n", found);
    std::printf("%-44s %8.2f  (aim: at most 2)\n", "\"All* Files\" / bare walk", walk / bare);
    perFile[s][0] = handOff / n;
    perFile[s][1] = walk / n;
    DestroyWindow(main.hwnd);
    RemoveTree(root, paths);
  }
  rn::SetDialogResponder(nullptr);
  std::printf("%-44s %8.2f  (linear = 10)\n", "hand-off: time ratio 100,000 / 10,000",
              perFile[1][0] * 10 / perFile[0][0]);
  std::printf("%-44s %8.2f  (linear = 10)\n", "\"All* Files\": time ratio 100,000 / 10,000",
              perFile[1][1] * 10 / perFile[0][1]);
  DeleteFileW((programFolder + L"Rename.ini").c_str());
  RemoveDirectoryW(programFolder.c_str());
}

}  // namespace bench
