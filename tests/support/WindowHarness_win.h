// What the tests of the main window share: the real window over a settings
// file in the one temporary folder, a list of files dropped on it, and the
// hand-off as the extension sends it. Below it, UiHarness_win.h.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "support/UiHarness_win.h"
#include "ui/Grid_win.h"

namespace rntest {

// The real main window over a settings file in a temporary folder.
// Registry scripts the windows under test would have imported: no test ever
// starts the registry editor.
inline std::vector<std::wstring>& RegistryImports() {
  static std::vector<std::wstring> imports;
  return imports;
}

struct MainWindow {
  std::unique_ptr<rn::TMorvaneFrm1> form;
  // `prepare` sees the form before its window exists (start-up runs in Create).
  // Without `welcome` the window starts as for a user who is never reminded of donations.
  explicit MainWindow(const TempFolder& folder, std::vector<std::wstring> args = {},
                      const std::function<void(rn::TMorvaneFrm1&)>& prepare = {}, bool welcome = false) {
    rn::AppContext context;
    context.programFolder = folder.Folder();
    context.args = std::move(args);
    context.endProgramOnClose = false;
    context.welcomeReminder = welcome;
    ++WindowsAlive();
    if (ScriptedDepth() == 0) InstallFailingResponder();
    form = std::make_unique<rn::TMorvaneFrm1>(context);
    form->registryImport = [](const std::wstring& script) { RegistryImports().push_back(script); };
    form->registryImportPauseMs = 0;
    if (prepare) prepare(*form);
    EXPECT_TRUE(form->Create(SW_SHOWNORMAL));
    Pump();
  }
  ~MainWindow() {
    Close();
    if (--WindowsAlive() == 0 && ScriptedDepth() == 0) ClearResponders();
  }
  HWND Hwnd() const { return form ? form->hwnd : nullptr; }
  // Controls that start out of sight are made when a test reaches for one.
  HWND Control(int id) const { return form->MadeControl(id); }
  std::wstring Caption() const { return rn::WindowText(Hwnd()); }
  std::wstring Text(int id) const { return rn::WindowText(Control(id)); }
  bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
  // The rows' full paths in list order.
  std::vector<std::wstring> Paths() const {
    std::vector<std::wstring> out;
    for (int r = 0; r < form->fileList.EntryCount(); ++r) out.push_back(form->fileList.Cell(rn::ColFullPath, r));
    return out;
  }
  void Command(int id, int code = 0) {
    SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(id < 2000 ? Control(id) : nullptr));
    Pump();
  }
  void Click(int id) {
    SendMessageW(Control(id), BM_CLICK, 0, 0);
    Pump();
  }
  // The mouse comes over the window: its hints follow once the window has
  // nothing else to do.
  void MouseComes() const {
    SendMessageW(Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    Pump(200);
  }
  void Close() {
    if (form && form->hwnd) {
      SendMessageW(form->hwnd, WM_CLOSE, 0, 0);
      Pump();
    }
  }
};

inline void Drop(HWND window, const std::vector<std::wstring>& paths) {
  SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
  Pump();
}

// A hand-off as the context-menu extension sends it; the paths are added
// once the message has returned, here by the messages pumped after it.
inline LRESULT HandOff(HWND window, const std::string& bytes, ULONG_PTR kind = 0, DWORD size = 0xFFFFFFFF) {
  COPYDATASTRUCT cds{};
  cds.dwData = kind;
  cds.cbData = size == 0xFFFFFFFF ? static_cast<DWORD>(bytes.size()) : size;
  cds.lpData = const_cast<char*>(bytes.data());
  const LRESULT answer = SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
  Pump();
  return answer;
}

// A window holding the named files (created in a temporary folder), in order.
struct ListWindow {
  TempFolder folder;
  MainWindow w{folder};
  std::vector<std::wstring> files;
  explicit ListWindow(const std::vector<std::wstring>& names) {
    for (const auto& n : names) files.push_back(Make(folder, n));
    Drop(w.Hwnd(), files);
  }
  HWND Grid() const { return w.Control(rn::IdStringGrid1); }
  void Select(int first, int last) { rn::GridSetSelection(Grid(), first, last); }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> out;
    for (int r = 0; r < w.form->fileList.EntryCount(); ++r) out.push_back(w.form->fileList.Cell(rn::ColFileName, r));
    return out;
  }
  void ClickCell(int col, int row) {
    RECT cell{};
    rn::GridCellRect(Grid(), col, row, cell);
    const LPARAM at = MAKELPARAM(cell.left + 2, cell.top + 2);
    SendMessageW(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(Grid(), WM_LBUTTONUP, 0, at);
    Pump();
  }
};

}  // namespace rntest
