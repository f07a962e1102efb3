// A numbering run (operation 12) and its undo on real files through the main
// window, beside a plain loop of MoveFileW over the same files, in turns.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Bench_win.h"
#include "base/FileIo.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
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
  rn::JournalWriter writer(JournalFile(out, file, false));
  const double seconds = Seconds([&] {
    writer.BeginRun(1, L"now", plan);
    for (size_t i = 0; i < plan.size(); ++i) writer.MarkDone(i);
    writer.EndRun();
  });
  writer.End();
  return seconds;
}

enum class Disk { Real, LeftOut };

struct RunTimes {
  double run = 0, undo = 0;
};

// One numbering run and its undo through a new main window on the files.
// With the renames left out the disk is never changed: what remains is the
// run's own work around them (plan, checks, journal, rows, progress, paint).
// Without `task`, numbering.
RunTimes RunAndUndo(const std::wstring& programFolder, const std::vector<std::wstring>& paths, bool journal,
                    Disk disk, const rn::RenameTask* task = nullptr) {
  rn::AppContext context;
  context.programFolder = programFolder;
  context.endProgramOnClose = false;
  context.welcomeReminder = false;  // no modal box in the way of the timings
  rn::TMorvaneFrm1 main(context);
  main.keepJournal = journal;
  if (disk == Disk::LeftOut) main.renameOnDisk = [](const std::wstring&, const std::wstring&, bool) { return 0u; };
  main.Create(SW_SHOWNORMAL);
  for (const auto& p : paths) main.AddRow(p, false);
  main.ListChanged();
  if (task)
    main.panel->WriteRenameTask(*task);
  else
    main.currentOperation = rn::kOpNumerate;
  const std::wstring first = paths[0].substr(paths[0].rfind(L'\\') + 1);
  RunTimes t;
  t.run = Seconds([&] { SendMessageW(main.hwnd, WM_COMMAND, MAKEWPARAM(rn::IdButton2, BN_CLICKED), 0); });
  const bool renamed = main.fileList.Cell(rn::ColFileName, 0) != first;
  t.undo = Seconds([&] { SendMessageW(main.hwnd, WM_COMMAND, MAKEWPARAM(rn::IdButton3, BN_CLICKED), 0); });
  const bool restored = main.fileList.Cell(rn::ColFileName, 0) == first;
  if (!renamed || !restored) std::printf("   (unexpected: renamed %d, restored %d)\n", renamed, restored);
  SendMessageW(main.hwnd, WM_CLOSE, 0, 0);  // a clean close ends the journal
  return t;
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
  constexpr int kRounds = 3;  // the disk's pace drifts: loop and run take turns, medians count
  for (int s = 0; s < 2; ++s) {
    const int n = sizes[s];
    const char* label = s == 0 ? "2,000" : "20,000";
    const std::vector<std::wstring> paths = MakeTree(root, n);
    std::vector<std::wstring> moved;
    for (const auto& p : paths) {
      const size_t cut = p.rfind(L'\\') + 1;
      moved.push_back(p.substr(0, cut) + L"p" + p.substr(cut));
    }
    std::vector<double> plain, plainBack, run, undo, runRatio, undoRatio;
    for (int round = 0; round < kRounds; ++round) {
      plain.push_back(PlainLoop(paths, moved));
      plainBack.push_back(PlainLoop(moved, paths));
      const RunTimes t = RunAndUndo(programFolder, paths, true, Disk::Real);
      run.push_back(t.run);
      undo.push_back(t.undo);
      runRatio.push_back(t.run / plain.back());
      undoRatio.push_back(t.undo / plainBack.back());
    }
    const RunTimes bare = RunAndUndo(programFolder, paths, false, Disk::Real);
    const RunTimes own = RunAndUndo(programFolder, paths, true, Disk::LeftOut);
    const double journalAlone = JournalAlone(programFolder + L"Rename.journal", paths);
    const double loop = Median(plain), loopBack = Median(plainBack);

    std::printf("%-7s files, medians of %d rounds: plain MoveFileW %6.2f s, back %6.2f s\n", label, kRounds, loop,
                loopBack);
    Report(s == 0 ? "run: number 2,000 files" : "run: number 20,000 files", n, Median(run));
    Report(s == 0 ? "undo: 2,000 files" : "undo: 20,000 files", n, Median(undo));
    std::printf("%-44s %8.2f  (aim: at most 1.10)\n", "run time / plain loop", Median(runRatio));
    std::printf("%-44s %8.2f  (aim: at most 1.10)\n", "undo time / plain loop back", Median(undoRatio));
    Report("run's own work (renames left out)", n, own.run);
    Report("undo's own work (renames left out)", n, own.undo);
    std::printf("%-44s %8.3f  (%+.1f%% of the plain loop)\n", "run's own work / plain loop", own.run / loop,
                own.run / loop * 100);
    std::printf("%-44s %8.3f  (%+.1f%% of the plain loop back)\n", "undo's own work / plain loop back",
                own.undo / loopBack, own.undo / loopBack * 100);
    Report(s == 0 ? "journal alone: 2,000 pairs" : "journal alone: 20,000 pairs", n, journalAlone);
    std::printf("%-44s %8.3f  (%+.1f%% of the plain loop)\n", "journal's cost: journal alone / plain loop",
                journalAlone / loop, journalAlone / loop * 100);
    std::printf("%-44s %8.2f  (%+.1f%%, noise included)\n", "run with journal / run without", Median(run) / bare.run,
                (Median(run) / bare.run - 1) * 100);
    runPer[s] = Median(run) / n;
    undoPer[s] = Median(undo) / n;
    RemoveTree(root, paths);
  }
  std::printf("%-44s %8.2f  (linear = 10)\n", "run: time ratio 20,000 / 2,000", runPer[1] * 10 / runPer[0]);
  std::printf("%-44s %8.2f  (linear = 10)\n", "undo: time ratio 20,000 / 2,000", undoPer[1] * 10 / undoPer[0]);
  rn::SetDialogResponder(nullptr);
  DeleteFileW((programFolder + L"Rename.ini").c_str());
  DeleteFileW((programFolder + L"Rename.journal").c_str());
  RemoveDirectoryW(programFolder.c_str());
}

// Operation 4 by pattern ("Artist - Title" turned round) on 20,000 files
// beside a plain MoveFileW loop over the same renames, in turns.
void PatternRunBenchmarks() {
  const std::wstring root = TempRoot() + L"-pattern-run";
  const std::wstring programFolder = root + L"-program\\";
  CreateDirectoryW(programFolder.c_str(), nullptr);
  rn::SetDialogResponder([](const rn::DialogRequest&) { return 0; });
  const int n = 20000;
  const std::vector<std::wstring> paths = MakeTree(root, n, L"Artist - Title ");
  std::vector<std::wstring> moved;
  for (const auto& p : paths) {
    const size_t cut = p.rfind(L'\\') + 1;
    moved.push_back(p.substr(0, cut) + L"Title " + p.substr(cut + 15, 6) + L" - Artist.JPG");
  }
  rn::RenameTask task;
  task.Operation = rn::kOpReplace;
  task.RenameTo = L"^(.+?) - (.+)$";
  task.ReplaceWith = L"$2 - $1";
  task.ReplacePattern = true;
  std::vector<double> run, ratio;
  for (int round = 0; round < 3; ++round) {
    const double loop = PlainLoop(paths, moved);
    PlainLoop(moved, paths);
    run.push_back(RunAndUndo(programFolder, paths, true, Disk::Real, &task).run);
    ratio.push_back(run.back() / loop);
  }
  const double own = RunAndUndo(programFolder, paths, true, Disk::LeftOut, &task).run;
  std::printf("-- a run by pattern on files, medians of 3 rounds in turns with a plain MoveFileW loop\n");
  Report("run: 20,000 files by pattern", n, Median(run));
  std::printf("%-44s %8.2f  (aim: at most 1.10)\n", "pattern run / plain loop", Median(ratio));
  Report("its own work (renames left out)", n, own);
  RemoveTree(root, paths);
  rn::SetDialogResponder(nullptr);
  for (const wchar_t* file : {L"Rename.ini", L"Rename.journal"}) DeleteFileW((programFolder + file).c_str());
  RemoveDirectoryW(programFolder.c_str());
}

}  // namespace bench
