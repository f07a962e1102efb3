// Replace by pattern on 100,000 rows through the main window: a keystroke in
// the pattern box until the grid has painted the rows in view again, and the
// pass over every row with a typical pattern ("Artist - Title" turned round)
// beside the pass of a plain replace over the same rows. Medians of rounds
// in turns; then a run by pattern on 20,000 files (RunBench_win.cpp).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchWindow_win.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/Operation.h"
#include "ui/Grid_win.h"

namespace bench {

void PatternBenchmarks() {
  std::printf("\n== Replace by pattern on 100,000 rows (^(.+?) - (.+)$ to $2 - $1)\n");
  const int n = 100000;
  WindowOnFiles w(L"pattern", n, L"Artist - Title ");
  rn::TMorvaneFrm1& main = *w.main;
  rn::RenameTask plain;
  plain.Operation = rn::kOpReplace;
  plain.RenameTo = L"Title";
  rn::RenameTask pattern = plain;
  pattern.RenameTo = L"^(.+?) - (.+)$";
  pattern.ReplacePattern = true;
  main.panel->WriteRenameTask(plain);
  main.FinishPreview();  // the folders read once, for both

  // Each round changes the replacement, so that every pass is a new one.
  std::vector<double> plainPass, patternPass, ratio;
  for (int round = 0; round < 5; ++round) {
    plain.ReplaceWith = L"Song" + std::to_wstring(round);
    pattern.ReplaceWith = L"$2 - $1_" + std::to_wstring(round);
    main.panel->WriteRenameTask(plain);
    plainPass.push_back(Seconds([&] { main.FinishPreview(); }));
    main.panel->WriteRenameTask(pattern);
    patternPass.push_back(Seconds([&] { main.FinishPreview(); }));
    ratio.push_back(patternPass.back() / plainPass.back());
  }
  Report("pass over every row, plain replace", n, Median(plainPass));
  Report("pass over every row, pattern", n, Median(patternPass));
  std::printf("%-44s %8.2f  (aim: at most 2)\n", "pattern pass / plain pass", Median(ratio));
  std::printf("%-44s %ls\n", "   counts:", main.PreviewStatusText().c_str());

  HWND edit = GetWindow(main.Control(rn::IdComboBox2), GW_CHILD);
  HWND grid = main.Control(rn::IdStringGrid1);
  Print("keystroke in the pattern to repaint, top", Type(edit, grid, 40));
  rn::GridSetTopRow(grid, n / 2);
  UpdateWindow(grid);
  Print("keystroke in the pattern to repaint, middle", Type(edit, grid, 40));
}

}  // namespace bench
