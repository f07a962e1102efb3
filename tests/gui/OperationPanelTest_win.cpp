// The operation panel through the real window: choosing operations, the
// parameter slot, touch rules, spins, selectors, arrows, key filters, the
// request read from the panel and the last operation restored.
#include <commctrl.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>

#include "core/OperationPanel.h"
#include "core/OperationPanel_win.h"
#include "engine/DateFormat.h"
#include "engine/Operation.h"
#include "gui/GuiHarness_win.h"

using namespace rntest;

namespace {

// With RENAME_SHOTS naming a folder, the test waits at each picture until the
// session's screen grabber has taken it (it answers name.ready with name.done).
void Shoot(HWND, const std::string& name) {
  const char* folder = std::getenv("RENAME_SHOTS");
  if (!folder) return;
  Pump(200);
  const std::string base = std::string(folder) + "\\" + name;
  std::ofstream(base + ".ready") << name;
  for (int i = 0; i < 300 && GetFileAttributesA((base + ".done").c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Pump(50);
}

}  // namespace

TEST(OperationPanelLook, Screenshots) {
  if (!std::getenv("RENAME_SHOTS")) GTEST_SKIP() << "RENAME_SHOTS not set";
  TempFolder f;
  MainWindow w(f);
  Shoot(w.Hwnd(), "start");
  for (int op : {1, 4, 6, 7, 9, 12, 15, 16, 18, 19}) {
    w.Click(rn::RadioId(op));
    Shoot(w.Hwnd(), "op" + std::to_string(op));
  }
}
