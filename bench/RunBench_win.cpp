// A numbering run (operation 12) and its undo on real files through the main
// window, beside a plain loop of MoveFileW over the same files.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Bench_win.h"
#include "base/FileIo.h"
#include "core/MainForm_win.h"
#include "engine/Operation.h"
#include "engine/UndoJournal.h"
#include "ui/MessageBox_win.h"

namespace bench {

namespace {

double PlainLoop(const std::vector<std::wstring>& from, const std::vector<std::wstring>& to) {
  return Seconds([&] {
    for (size_t i = 0; i < from.size(); ++i) MoveFileW(from[i].c_str(), to[i].c_str());
  });
}

// What the journal writes for a run of these renames, alone: the plan
// (flushed), a mark after each rename, the end (flushed).
double JournalAlone(const std::wstring& file, const std::vector<std::wstring>& from) {
  std::vector<rn::JournalPair> plan;
  for (const auto& p : from) plan.push_back({p, L"0001" + p.substr(p.rfind(L'\\') + 1), false});
  rn::AppendFile out(file);
  rn::JournalFilePorts ports;
  ports.append = [&](const std::string& bytes, bool flush) { return out.Append(bytes, flush); };
  ports.replace = [&](const std::string& bytes) {
    out.Close();
    return rn::ReplaceFileContents(file, bytes);
  };
  ports.read = [&](std::string& bytes) { return rn::ReadWholeFile(file, bytes); };
  ports.remove = [&] {
    out.Close();
    DeleteFileW(file.c_str());
  };
  rn::JournalWriter writer(ports);
  const double seconds = Seconds([&] {
    writer.BeginRun(1, L"now", plan, nullptr);
    for (size_t i = 0; i < plan.size(); ++i) writer.MarkDone(i);
    writer.EndRun();
  });
  writer.End();
  return seconds;
}

}  // namespace

void RunBenchmarks() {
  std::printf("\n== rename run and undo (operation 12: ## + name + ext.)\n");
  const std::wstring root = TempRoot() + L"-run";
  const std::wstring programFolder = root + L"-program\\";
  CreateDirectoryW(programFolder.c_str(), nullptr);
  rn::SetDialogResponder([](const rn::DialogRequest&) { return 0; });
  double runPer[2] = {}, undoPer[2] = {};
  const int sizes[2] = {2000, 20000};
  for (int s = 0; s < 2; ++s) {
    const int n = sizes[s];
    const std::vector<std::wstring> paths = MakeTree(root, n);
    std::vector<std::wstring> moved;
    for (const auto& p : paths) {
      const size_t cut = p.rfind(L'\\') + 1;
      moved.push_back(p.substr(0, cut) + L"p" + p.substr(cut));
    }
    const double plain = PlainLoop(paths, moved);
    const double plainBack = PlainLoop(moved, paths);
    const double journalAlone = JournalAlone(programFolder + L"Rename.journal", paths);

    // The same run and undo without the undo journal, then with it.
    double run = 0, undo = 0, bareRun = 0;
    for (const bool journal : {false, true}) {
      rn::AppContext context;
      context.programFolder = programFolder;
      context.endProgramOnClose = false;
      context.welcomeReminder = false;  // no modal box in the way of the timings
      rn::TMorvaneFrm1 main(context);
      main.keepJournal = journal;
      main.Create(SW_SHOWNORMAL);
      for (const auto& p : paths) main.AddRow(p, false);
      main.ListChanged();
      main.currentOperation = rn::kOpNumerate;
      run = Seconds([&] { SendMessageW(main.hwnd, WM_COMMAND, MAKEWPARAM(rn::IdButton2, BN_CLICKED), 0); });
      const bool renamed = main.fileList.Cell(rn::ColFileName, 0) != L"IMG_100000.JPG";
      undo = Seconds([&] { SendMessageW(main.hwnd, WM_COMMAND, MAKEWPARAM(rn::IdButton3, BN_CLICKED), 0); });
      const bool restored = main.fileList.Cell(rn::ColFileName, 0) == L"IMG_100000.JPG";
      if (!renamed || !restored) std::printf("   (unexpected: renamed %d, restored %d)\n", renamed, restored);
      if (!journal) bareRun = run;
      SendMessageW(main.hwnd, WM_CLOSE, 0, 0);  // a clean close ends the journal
    }
    const char* label = s == 0 ? "2,000" : "20,000";
    std::printf("%-8s files: plain MoveFileW %7.2f s, back %7.2f s\n", label, plain, plainBack);
    Report(s == 0 ? "run without journal: 2,000 files" : "run without journal: 20,000 files", n, bareRun);
    Report(s == 0 ? "run: number 2,000 files" : "run: number 20,000 files", n, run);
    Report(s == 0 ? "undo: 2,000 files" : "undo: 20,000 files", n, undo);
    std::printf("%-44s %8.2f  (aim: at most 1.10)\n", "run time / plain loop", run / plain);
    Report(s == 0 ? "journal alone: 2,000 pairs" : "journal alone: 20,000 pairs", n, journalAlone);
    std::printf("%-44s %8.3f  (%+.1f%% of the plain loop)\n", "journal's cost: journal alone / plain loop",
                journalAlone / plain, journalAlone / plain * 100);
    std::printf("%-44s %8.2f  (%+.1f%%, noise included)\n", "run with journal / run without", run / bareRun,
                (run / bareRun - 1) * 100);
    std::printf("%-44s %8.2f  (aim: at most 1.10)\n", "undo time / plain loop back", undo / plainBack);
    runPer[s] = run / n;
    undoPer[s] = undo / n;
    RemoveTree(root, paths);
  }
  rn::SetDialogResponder(nullptr);
  std::printf("%-44s %8.2f  (linear = 10)\n", "run: time ratio 20,000 / 2,000", runPer[1] * 10 / runPer[0]);
  std::printf("%-44s %8.2f  (linear = 10)\n", "undo: time ratio 20,000 / 2,000", undoPer[1] * 10 / undoPer[0]);
  DeleteFileW((programFolder + L"Rename.ini").c_str());
  DeleteFileW((programFolder + L"Rename.journal").c_str());
  RemoveDirectoryW(programFolder.c_str());
}

}  // namespace bench
