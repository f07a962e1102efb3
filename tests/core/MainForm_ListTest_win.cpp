// List commands through the real window: removing, clearing, sorting, checking,
// moving rows, the mouse on the list, and the information panel.
#include <windows.h>

#include "support/WindowHarness_win.h"
#include "ui/CharPosit_win.h"
#include "ui/Grid_win.h"
#include "ui/InfoPanel_win.h"

using namespace rntest;
using Paths = std::vector<std::wstring>;

TEST(ListEdit, RemovingTheMiddleBlockKeepsTheOrderAndTheLastRowEmptiesTheWindow) {
  ListWindow l({L"a.txt", L"b.txt", L"c.txt", L"d.txt"});
  l.Select(1, 2);
  l.w.Command(rn::IdPopRemoveFile1);
  EXPECT_EQ(l.Names(), Paths({L"a.txt", L"d.txt"}));
  EXPECT_EQ(l.w.Caption(), L"  Rename  *.*    [2 items]");
  l.Select(0, 0);
  l.w.Command(rn::IdPopRemoveFile1);
  EXPECT_FALSE(l.w.Enabled(rn::IdScrollBar1)) << "one row left: nothing to move";
  l.w.Command(rn::IdPopRemoveFile1);
  EXPECT_TRUE(l.w.form->fileList.Empty());
  EXPECT_EQ(l.w.Caption(), L"  Rename  *.*");
  EXPECT_FALSE(l.w.Enabled(rn::IdButton2));
  EXPECT_FALSE(l.w.Enabled(rn::IdButton4));
  EXPECT_EQ(l.w.Text(rn::IdButton1), L"&Add Files ...");
  // A removed file may come back.
  Drop(l.w.Hwnd(), {l.files[0]});
  EXPECT_EQ(l.Names(), Paths({L"a.txt"}));
}

TEST(ListEdit, ClearAfterRunsResetsTheUndoCaptionColumnsAndCount) {
  ListWindow l({L"a.txt", L"b.txt"});
  l.w.form->runCount = 2;
  l.w.form->fileList.SetCell(rn::ColHistory + 1, 0, L"older.txt");
  SetWindowTextW(l.w.Control(rn::IdButton3), L"&Undo (2)");
  EnableWindow(l.w.Control(rn::IdButton3), TRUE);
  l.w.Click(rn::IdButton4);
  EXPECT_EQ(l.w.Text(rn::IdButton3), L"&Undo");
  EXPECT_FALSE(l.w.Enabled(rn::IdButton3));
  EXPECT_EQ(l.w.form->runCount, 0);
  EXPECT_EQ(l.w.form->fileList.ColumnCount(), 9);
  EXPECT_TRUE(l.w.form->fileList.Empty());
  EXPECT_EQ(l.w.Caption(), L"  Rename  *.*");
  for (int id : {rn::IdButton2, rn::IdButton4, rn::IdSpeedButton5, rn::IdScrollBar1, rn::IdButton10})
    EXPECT_FALSE(l.w.Enabled(id)) << id;
}

TEST(ListEdit, SortingKeepsRowsWholeAndIsStable) {
  ListWindow l({L"b.txt", L"\u00c9t\u00e9.doc", L"y\\a.txt", L"c.bmp", L"x\\A.TXT"});
  l.w.form->fileList.SetCell(rn::ColHistory, 0, L"was-b.txt");
  l.w.form->fileList.SetCell(rn::ColFileDate, 3, L"2001/01/01");
  l.w.Command(rn::IdPopSortbyName1);
  const Paths byName = l.Names();
  ASSERT_EQ(byName.size(), 5u);
  // Equal names without regard to case: the rest of the row decides (folder x before y).
  EXPECT_EQ(byName[0], L"A.TXT");
  EXPECT_EQ(byName[1], L"a.txt");
  EXPECT_EQ(byName[2], L"b.txt");
  EXPECT_EQ(byName[3], L"c.bmp");
  EXPECT_EQ(byName[4], L"\u00c9t\u00e9.doc") << "after c in the user's locale";
  EXPECT_EQ(l.w.form->fileList.Cell(rn::ColHistory, 2), L"was-b.txt") << "history moves with its row";
  l.w.Command(rn::IdPopSortbyName1);
  EXPECT_EQ(l.Names(), byName) << "sorting twice gives the same order";

  l.w.Command(rn::IdPopSortbyDate1);
  EXPECT_EQ(l.Names()[0], L"c.bmp") << "the older day first";
  l.w.Command(rn::IdPopSortbyType1);
  EXPECT_EQ(l.Names()[0], L"c.bmp");
  EXPECT_EQ(l.Names()[1], L"\u00c9t\u00e9.doc");
  for (const auto& file : l.files) EXPECT_TRUE(l.w.form->fileList.ContainsPath(file));
}

TEST(ListEdit, CheckUncheckSelectAllAndTheCheckColumnClick) {
  ListWindow l({L"a.txt", L"b.txt", L"c.txt"});
  auto checked = [&](int r) { return l.w.form->fileList.Cell(rn::ColCheckMark, r) == L"v"; };
  l.Select(0, 1);
  l.w.Command(rn::IdPopUnCheckFiles1);
  EXPECT_FALSE(checked(0));
  EXPECT_FALSE(checked(1));
  EXPECT_TRUE(checked(2));
  l.ClickCell(rn::ColCheckMark, 1);
  EXPECT_TRUE(checked(1));
  l.ClickCell(rn::ColShortPath, 2);
  EXPECT_TRUE(checked(2)) << "only the check column toggles";
  l.w.Command(rn::IdPopSelectAll1);
  int first = -1, last = -1;
  rn::GridGetSelection(l.Grid(), first, last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 2);
  l.w.Command(rn::IdPopCheckFiles1);
  EXPECT_TRUE(checked(0));
}

TEST(ListEdit, MovingABlockStopsAtBothEndsAndTheSelectionFollows) {
  ListWindow l({L"a.txt", L"b.txt", L"c.txt", L"d.txt"});
  HWND bar = l.w.Control(rn::IdScrollBar1);
  auto move = [&](WORD code) {
    SendMessageW(l.w.Hwnd(), WM_VSCROLL, code, reinterpret_cast<LPARAM>(bar));
    Pump();
  };
  l.Select(1, 3);
  move(SB_LINEDOWN);  // touches the last row: nothing moves
  EXPECT_EQ(l.Names(), Paths({L"a.txt", L"b.txt", L"c.txt", L"d.txt"}));
  move(SB_LINEUP);
  EXPECT_EQ(l.Names(), Paths({L"b.txt", L"c.txt", L"d.txt", L"a.txt"}));
  int first = -1, last = -1;
  rn::GridGetSelection(l.Grid(), first, last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 2);
  move(SB_PAGEUP);  // at row 0 already
  EXPECT_EQ(l.Names(), Paths({L"b.txt", L"c.txt", L"d.txt", L"a.txt"}));
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
  EXPECT_EQ(GetFocus(), l.Grid());
}

namespace {

// The state of a context menu's items while it is open: the menu is closed
// from a timer inside its own loop.
std::vector<UINT>* g_menuStates = nullptr;
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (HWND popup = FindWindowW(L"#32768", nullptr)) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
      const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      if (!(state & MF_SEPARATOR)) g_menuStates->push_back(state & (MF_GRAYED | MF_DISABLED));
    }
  }
  EndMenu();
}

std::vector<UINT> OpenListMenu(HWND grid, UINT msg, LPARAM at) {
  std::vector<UINT> states;
  g_menuStates = &states;
  SetTimer(nullptr, 0, 30, ReadAndCloseMenu);
  SendMessageW(grid, msg, msg == WM_CONTEXTMENU ? reinterpret_cast<WPARAM>(grid) : 0, at);
  Pump(10);
  g_menuStates = nullptr;
  return states;
}

}  // namespace

TEST(ListEdit, RightButtonMakesTheRowUnderThePointerCurrentUnlessABlockIsSelected) {
  ListWindow l({L"a.txt", L"b.txt", L"c.txt"});
  RECT cell{};
  rn::GridCellRect(l.Grid(), rn::ColShortPath, 2, cell);
  const LPARAM at = MAKELPARAM(cell.left + 3, cell.top + 3);
  l.Select(0, 0);
  const std::vector<UINT> states = OpenListMenu(l.Grid(), WM_RBUTTONUP, at);
  EXPECT_EQ(rn::GridCurrentRow(l.Grid()), 2);
  ASSERT_EQ(states.size(), 11u) << "the list's context menu opened";
  for (UINT s : states) EXPECT_EQ(s, 0u) << "every item works on a list with entries";
  l.Select(0, 1);
  OpenListMenu(l.Grid(), WM_RBUTTONUP, at);
  int first = -1, last = -1;
  rn::GridGetSelection(l.Grid(), first, last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 1);
}

TEST(ListEdit, ContextMenuOfAnEmptyListOffersOnlyAddingAndThePanel) {
  TempFolder f;
  MainWindow w(f);
  const std::vector<UINT> states = OpenListMenu(w.Control(rn::IdStringGrid1), WM_CONTEXTMENU, MAKELPARAM(300, 300));
  ASSERT_EQ(states.size(), 11u);
  // Remove, Add, Sort, Check, Uncheck, Select all, Clear, Date, Attr, Char position, Info panel.
  const bool enabled[11] = {false, true, false, false, false, false, false, false, false, false, true};
  for (size_t i = 0; i < 11; ++i) EXPECT_EQ(states[i] == 0, enabled[i]) << "item " << i;
}

TEST(InfoPanel, ShowsTheCurrentRowOnlyWhileOpenAndWithOneRowSelected) {
  ListWindow l({L"one.txt", L"two.txt"});
  HWND panel = l.w.Control(rn::IdPanelInfo);
  l.w.Command(rn::IdPopInfoPanel1);
  ASSERT_TRUE(l.w.form->infoPanelOpen);
  EXPECT_EQ(rn::ControlBounds(panel).bottom - rn::ControlBounds(panel).top, l.w.form->dpi.Scale(rn::kInfoPanelHeight));
  EXPECT_EQ(rn::InfoPanelFields(panel).name, L"one.txt") << "shown with entries: the current row at once";
  EXPECT_EQ(rn::InfoPanelFields(panel).size, L"0  Kb");
  l.ClickCell(rn::ColShortPath, 1);
  EXPECT_EQ(rn::InfoPanelFields(panel).name, L"two.txt");
  SendMessageW(l.Grid(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(rn::InfoPanelFields(panel).name, L"one.txt") << "a keyboard move shows the new row";
  // Several rows selected: the panel stays empty.
  SendMessageW(l.Grid(), WM_KEYDOWN, VK_END, 0);
  l.Select(0, 1);
  l.w.form->FillFileInfo();
  EXPECT_EQ(rn::InfoPanelFields(panel).name, L"");
  // Hidden by its X: empty; shown again: the current row at once.
  l.Select(1, 1);
  l.w.Command(rn::kInfoCloseId);
  EXPECT_FALSE(l.w.form->infoPanelOpen);
  EXPECT_EQ(rn::ControlBounds(panel).bottom - rn::ControlBounds(panel).top, l.w.form->dpi.Scale(2));
  EXPECT_EQ(rn::InfoPanelFields(panel).name, L"");
  l.w.Command(rn::IdPopFileInfo5);
  EXPECT_EQ(rn::InfoPanelFields(panel).name, L"two.txt");
  // A file deleted behind the program's back.
  DeleteFileW(l.files[1].c_str());
  l.w.form->FillFileInfo();
  EXPECT_EQ(rn::InfoPanelFields(panel).name, L"  [ file doesn't exist ]");
  l.w.Click(rn::IdButton4);
  EXPECT_EQ(rn::InfoPanelFields(panel).name, L"") << "clearing the list empties the fields";
}

TEST(CharPosition, OpensOverTheListWithTheCurrentRowsName) {
  ListWindow l({L"report.txt"});
  HWND strip = l.w.Control(rn::IdPanelCharPosit);
  EXPECT_FALSE(rn::CharPositIsOpen(strip));
  l.w.Command(rn::IdPopCharPosit1);
  EXPECT_TRUE(rn::CharPositIsOpen(strip));
  EXPECT_EQ(rn::WindowText(GetDlgItem(strip, rn::kCharPositEditId)), L"report.txt");
  EXPECT_EQ(rn::CharPositCounterText(strip), L"0");
  EXPECT_EQ(rn::ControlBounds(strip).left, l.w.form->dpi.Scale(24));
  SendMessageW(GetDlgItem(strip, rn::kCharPositCloseId), BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(rn::CharPositIsOpen(strip));
}

TEST(ListEdit, GetDateAndAttrShowTheCurrentRowsStampAndAttributeNames) {
  ListWindow l({L"x.txt"});
  HANDLE h = CreateFileW(l.files[0].c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SYSTEMTIME st{2014, 3, 2, 25, 18, 53, 5, 0};
  FILETIME local, utc;
  SystemTimeToFileTime(&st, &local);
  LocalFileTimeToFileTime(&local, &utc);
  SetFileTime(h, nullptr, nullptr, &utc);
  CloseHandle(h);
  SetFileAttributesW(l.files[0].c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
  ScriptedDialogs dialogs;
  wchar_t date[64], time[64];
  st.wSecond = 4;  // two-second steps
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 64);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 64);
  dialogs.Expect(std::wstring(L"x.txt = ") + date + L" " + time);
  l.w.Command(rn::IdPopGetFileDate1);
  dialogs.Expect(L"x.txt = Archive ReadOnly ");
  l.w.Command(rn::IdPopGetFileAttr1);
  SetFileAttributesW(l.files[0].c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(l.files[0].c_str());
  dialogs.Expect(L"x.txt = ");
  l.w.Command(rn::IdPopGetFileAttr1);
  dialogs.Expect(L"x.txt = ");
  l.w.Command(rn::IdPopGetFileDate1);
}
