// A script of five lines replayed on 10,000 files through the main window,
// beside the same five operations run one by one from the panel: what the
// script itself costs (reading the settings, applying its lines) should be
// lost in the runs' noise.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchWindow_win.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/Operation.h"
#include "scripts/ScriptStore.h"

namespace bench {

namespace {

// Five name operations that touch every file.
std::vector<rn::RenameTask> FiveSteps() {
  std::vector<rn::RenameTask> steps(5);
  steps[0].Operation = rn::kOpAddFromBegin, steps[0].RenameTo = L"a_";
  steps[1].Operation = rn::kOpAddFromEnd, steps[1].RenameTo = L"_z";
  steps[2].Operation = rn::kOpConvertCase, steps[2].CaseMode = rn::kCaseLower;
  steps[3].Operation = rn::kOpConvertCase, steps[3].CaseMode = rn::kCaseUpper;
  steps[4].Operation = rn::kOpReplace, steps[4].RenameTo = L"A_", steps[4].ReplaceWith = L"B_";
  return steps;
}

void Command(const rn::TMorvaneFrm1& main, int id) {
  SendMessageW(main.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

}  // namespace

void ScriptBenchmarks() {
  std::printf("\n== a script of 5 lines against 5 single runs\n");
  const int n = 10000;
  WindowOnFiles w(L"script", n);
  rn::TMorvaneFrm1& main = *w.main;

  std::vector<rn::ScriptLine> lines;
  for (const rn::RenameTask& step : FiveSteps())
    lines.push_back(
        rn::FormatScriptLine(step, main.panel->RadioHint(step.Operation), main.panel->RadioCaption(step.Operation)));
  rn::SaveNewScript(*main.settingsFile, L"bench", lines);
  HWND chooser = main.Control(rn::IdComboBox4);
  SendMessageW(chooser, CB_RESETCONTENT, 0, 0);
  for (const auto& entry : rn::ChooserEntries(*main.settingsFile))
    SendMessageW(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));

  // Singles and script in turns, each taken back before the next, three
  // rounds: the disk's and Wine's state weigh on both alike; medians reported.
  std::vector<double> singles, scripts;
  int runs = 0;
  for (int round = 0; round < 3; ++round) {
    singles.push_back(Seconds([&] {
      for (const rn::RenameTask& step : FiveSteps()) {
        main.panel->WriteRenameTask(step);
        Command(main, rn::IdButton2);
      }
    }));
    for (int i = 0; i < 5; ++i) Command(main, rn::IdButton3);
    SendMessageW(chooser, CB_SETCURSEL, 1, 0);  // a script run leaves the chooser unselected
    main.ComboBox4Change();
    const int before = main.runCount;
    scripts.push_back(Seconds([&] { Command(main, rn::IdButton10); }));
    runs = main.runCount - before;
    for (int i = 0; i < runs; ++i) Command(main, rn::IdButton3);
  }
  const double single = Median(singles), script = Median(scripts);
  Report("5 single runs from the panel (median of 3)", n * 5, single);
  Report("the same 5 steps as one script (median of 3)", n * 5, script);
  std::printf("%-44s %8.2f  (aim: about 1)\n", "script time / single runs", script / single);
  if (runs != 5) std::printf("   (unexpected: the script made %d runs)\n", runs);
}

}  // namespace bench
