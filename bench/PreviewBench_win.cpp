// The new names' column on 100,000 files through the main window: what a
// keystroke in the "Rename to" box costs until the grid has painted the rows
// in view again, at the top of the list and in its middle; the pass over
// every row that follows in idle time; a first paint that reads the folders;
// and the same keystroke without the column.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchWindow_win.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/Operation.h"
#include "ui/Grid_win.h"

namespace bench {

void PreviewBenchmarks() {
  std::printf("\n== the new names' column on 100,000 rows\n");
  const int n = 100000;
  WindowOnFiles w(L"preview", n);
  rn::TMorvaneFrm1& main = *w.main;
  main.panel->ChooseOperation(rn::kOpAddFromBegin);
  HWND edit = GetWindow(main.Control(rn::IdComboBox2), GW_CHILD);
  HWND grid = main.Control(rn::IdStringGrid1);

  main.ForgetFolderNames();
  const double cold = Seconds([&] {
    SendMessageW(edit, WM_CHAR, L'a', 0);
    UpdateWindow(grid);
  });
  std::printf("%-44s %8.2f ms  (the folders in view read)\n", "first keystroke, folders not read yet", cold * 1e3);
  const double firstPass = Seconds([&] { main.FinishPreview(); });
  Report("the first pass, reading every folder", n, firstPass);
  SendMessageW(edit, WM_CHAR, L'b', 0);
  const size_t before = LiveHeapBytes();
  const double pass = Seconds([&] { main.FinishPreview(); });
  const size_t after = LiveHeapBytes();
  Report("the pass over every row (idle time)", n, pass);
  std::printf("%-44s %8.0f bytes/row\n", "   memory the pass holds", static_cast<double>(after - before) / n);
  std::printf("%-44s %ls\n", "   counts:", main.PreviewStatusText().c_str());

  Print("keystroke to repaint, top of the list", Type(edit, grid, 40));
  rn::GridSetTopRow(grid, n / 2);
  UpdateWindow(grid);
  Print("keystroke to repaint, middle of the list", Type(edit, grid, 40));
  main.SetPreviewShown(false);
  Print("keystroke to repaint, without the column", Type(edit, grid, 40));
  main.SetPreviewShown(true);
}

}  // namespace bench
