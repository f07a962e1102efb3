// The new names' column through the real window on real files: what it
// shows before a run is what the run leaves on disk, for every operation,
// numbering across unchecked rows included; a collision marked with its
// tooltip; typing follows at once; hiding it is remembered.
#include <windows.h>

#include "core/OperationPanel_win.h"
#include "engine/Operation.h"
#include "support/WindowHarness_win.h"

using namespace rntest;
using Names = std::vector<std::wstring>;

namespace {

rn::RenameTask Task(rn::OperationId op, const std::wstring& renameTo = L"") {
  rn::RenameTask t;
  t.Operation = op;
  t.RenameTo = renameTo;
  t.DateFormat = L"yyyy-mm-dd";
  return t;
}

// What the column shows for each row, once the pass has gone through them all.
Names Shown(MainWindow& w) {
  w.form->FinishPreview();
  Names out;
  for (int r = 0; r < w.form->fileList.EntryCount(); ++r) out.push_back(w.form->PreviewCell(r).text);
  return out;
}

// Hovers over the new name of a row: the grid's tooltip text.
std::wstring HintOver(ListWindow& l, int row) {
  RECT cell{};
  rn::GridCellRect(l.Grid(), rn::kGridPreviewColumn, row, cell);
  SendMessageW(l.Grid(), WM_MOUSEMOVE, 0, MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  return rn::GridHintText(l.Grid());
}

}  // namespace

TEST(PreviewColumn, ShowsBeforeTheRunTheNamesTheRunLeavesOnDisk) {
  struct Case {
    const char* what;
    rn::RenameTask task;
    Names expected;  // for a.txt, B File.TXT (unchecked), c-d.txt; empty: not checked here
  };
  auto with = [](rn::RenameTask t, auto set) {
    set(t);
    return t;
  };
  const Case cases[] = {
      {"insert", Task(rn::kOpAddFromBegin, L"x_"), {L"x_a.txt", L"", L"x_c-d.txt"}},
      {"insert from the end", Task(rn::kOpAddFromEnd, L"_1"), {L"a_1.txt", L"", L"c-d_1.txt"}},
      {"remove", Task(rn::kOpRemove, L"-"), {L"a.txt", L"", L"cd.txt"}},
      {"replace", with(Task(rn::kOpReplace, L"c"), [](auto& t) { t.ReplaceWith = L"e"; }), {L"a.txt", L"", L"e-d.txt"}},
      {"extension", Task(rn::kOpChangeExtension, L"md"), {L"a.md", L"", L"c-d.md"}},
      {"capitals", with(Task(rn::kOpCapitalize), [](auto& t) { t.EveryWord = true; }), {L"A.txt", L"", L"C-d.txt"}},
      {"upper case", Task(rn::kOpConvertCase), {L"A.TXT", L"", L"C-D.TXT"}},
      {"trim", with(Task(rn::kOpTrimFromBegin), [](auto& t) { t.TrimCount = 1; }), {L".txt", L"", L"-d.txt"}},
      {"trim from the end",
       with(Task(rn::kOpTrimFromEnd), [](auto& t) { t.TrimCount = 1; }),
       {L".txt", L"", L"c-.txt"}},
      {"head and tail", with(Task(rn::kOpTrimBetween), [](auto& t) { t.KeepTail = 1; }), {L"a.txt", L"", L"d.txt"}},
      {"numbers across an unchecked row",
       with(Task(rn::kOpNumerate), [](auto& t) { t.StartNumber = L"01"; }),
       {L"01a.txt", L"", L"02c-d.txt"}},
      {"new names across an unchecked row",
       with(Task(rn::kOpCreateNames), [](auto& t) { t.Prefix = L"img"; }),
       {L"img001.txt", L"", L"img002.txt"}},
      {"date in front", Task(rn::kOpDateToBegin), {}},
      {"date and time at the end",
       with(Task(rn::kOpDateToEnd), [](auto& t) { t.AddDatePart = rn::kDatePartBoth; }),
       {}},
  };
  for (const Case& c : cases) {
    ListWindow l({L"a.txt", L"B File.TXT", L"c-d.txt"});
    l.w.form->fileList.Row(1).checked = false;
    l.w.form->panel->WriteRenameTask(c.task);
    const Names shown = Shown(l.w);
    std::vector<bool> changes;
    for (int r = 0; r < 3; ++r) changes.push_back(l.w.form->PreviewCell(r).look == rn::PreviewLook::Change);
    if (!c.expected.empty()) {
      EXPECT_EQ(shown, c.expected) << c.what;
    }
    {
      ScriptedDialogs dialogs;  // "trim" cuts a.txt to nothing in front of its extension: the run says so
      if (shown[0] == L".txt")
        dialogs.Expect(L"Zero size names not allowed, so file\r'a.txt'\rwill keep it's name as it was.");
      l.w.Click(rn::IdButton2);
    }
    for (size_t r = 0; r < 3; ++r) {
      const std::wstring before = std::filesystem::path(l.files[r]).filename().wstring();
      const std::wstring after = changes[r] ? shown[r] : before;
      EXPECT_EQ(Spelling(l.folder.Folder() + after), after) << c.what << " row " << r;
      EXPECT_EQ(l.w.form->fileList.Row(static_cast<int>(r)).name, after) << c.what << " row " << r;
    }
  }
}

TEST(PreviewColumn, ACollisionIsMarkedWithItsReasonAndCounted) {
  ListWindow l({L"a-old.txt", L"a.txt", L"b-old.txt"});
  l.w.form->panel->WriteRenameTask(Task(rn::kOpRemove, L"-old"));
  EXPECT_EQ(Shown(l.w), Names({L"a.txt", L"a.txt", L"b.txt"}));
  EXPECT_EQ(l.w.form->PreviewCell(0).look, rn::PreviewLook::Marked);
  EXPECT_EQ(l.w.form->PreviewCell(1).look, rn::PreviewLook::Same);
  EXPECT_EQ(l.w.form->PreviewCell(2).look, rn::PreviewLook::Change);
  EXPECT_EQ(HintOver(l, 0), L"A file named 'a.txt' is already there:\r\nthe run will ask before overwriting it.");
  EXPECT_EQ(HintOver(l, 1), L"No change: the name stays as it is.");
  EXPECT_EQ(HintOver(l, 2), L"b.txt") << "a plain change shows the whole new name";
  EXPECT_EQ(l.w.Text(rn::IdPreviewStatus), L"1 will change, 1 collide");
  EXPECT_EQ(l.w.Caption(), L"  Rename  *.*    [3 items]") << "the caption keeps its own text";
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(rn::CollisionRequest(L"a.txt").text, 1);  // No: the row keeps its name, as marked
    l.w.Click(rn::IdButton2);
  }
  EXPECT_EQ(l.Names(), Names({L"a-old.txt", L"a.txt", L"b.txt"}));
}

TEST(PreviewColumn, FollowsTypingAndTheSpinsAtOnce) {
  ListWindow l({L"a.txt", L"b.txt"});
  l.w.form->panel->ChooseOperation(rn::kOpAddFromBegin);
  HWND edit = GetWindow(l.w.Control(rn::IdComboBox2), GW_CHILD);
  ASSERT_TRUE(edit);
  for (wchar_t c : std::wstring(L"new_")) SendMessageW(edit, WM_CHAR, c, 0);
  Pump();
  EXPECT_EQ(l.w.form->PreviewCell(1).text, L"new_b.txt") << "no other command needed: the typing shows";
  SendMessageW(l.w.Hwnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0),
               reinterpret_cast<LPARAM>(l.w.Control(rn::IdScrollBar3)));
  Pump();
  EXPECT_EQ(l.w.form->PreviewCell(1).text, L"bnew_.txt");
  SendMessageW(edit, WM_CHAR, L'*', 0);  // the run would stop at its checks: the line under the grid says why
  Pump();
  EXPECT_EQ(l.w.Text(rn::IdPreviewStatus), L"Ilegal characters:  *");
  EXPECT_EQ(l.w.form->PreviewCell(1).look, rn::PreviewLook::Same);
  EXPECT_EQ(l.w.form->PreviewCell(1).hint, L"Ilegal characters:  *");
  l.w.form->fileList.Row(0).checked = false;  // a list edit repaints the grid, which starts the preview over
  rn::GridRowsChanged(l.Grid());
  UpdateWindow(l.Grid());
  EXPECT_EQ(l.w.form->PreviewCell(0).look, rn::PreviewLook::Blank);
}

TEST(PreviewColumn, HidingItGivesThePathItsRoomAndIsRememberedInRenameIni) {
  TempFolder folder;
  folder.WriteIni("[Options]\r\nDonated=1\r\n");  // a settings file of an older version: the column shows
  int pathAlone = 0;
  {
    MainWindow w(folder);
    HWND grid = w.Control(rn::IdStringGrid1);
    EXPECT_GT(rn::GridColumnWidth(grid, rn::kGridPreviewColumn), 0);
    const int shared = rn::GridColumnWidth(grid, rn::ColShortPath);
    EXPECT_TRUE(GetMenuState(w.form->Menus().settings, rn::IdPopPreview2, MF_BYCOMMAND) & MF_CHECKED);
    w.Command(rn::IdMenuPreview);
    EXPECT_FALSE(w.form->showPreview);
    EXPECT_EQ(rn::GridColumnWidth(grid, rn::kGridPreviewColumn), -1);
    pathAlone = rn::GridColumnWidth(grid, rn::ColShortPath);
    EXPECT_GT(pathAlone, shared);
    EXPECT_FALSE(GetMenuState(w.form->Menus().main, rn::IdMenuPreview, MF_BYCOMMAND) & MF_CHECKED);
    RECT status = rn::ControlBounds(w.Control(rn::IdPreviewStatus)), gridBox = rn::ControlBounds(grid);
    EXPECT_EQ(status.bottom - status.top, 0) << "no status line without the column";
    EXPECT_EQ(gridBox.bottom, status.top);
  }
  EXPECT_NE(folder.ReadIni().find("ShowPreview=0"), std::string::npos);
  MainWindow again(folder);
  EXPECT_FALSE(again.form->showPreview);
  EXPECT_EQ(rn::GridColumnWidth(again.Control(rn::IdStringGrid1), rn::ColShortPath), pathAlone);
  again.Command(rn::IdPopPreview2);
  EXPECT_TRUE(again.form->showPreview);
  EXPECT_NE(folder.ReadIni().find("ShowPreview=1"), std::string::npos);
}

TEST(PreviewColumn, ALongListIsCountedInIdleTime) {
  TempFolder folder;
  MainWindow w(folder);
  const int n = 5000;  // more than a change makes at once
  for (int i = 0; i < n; ++i) w.form->AddRow(folder.Folder() + L"gone " + std::to_wstring(i) + L".txt", false);
  w.form->ListChanged();
  w.form->panel->WriteRenameTask(Task(rn::kOpAddFromBegin, L"x"));
  UpdateWindow(w.Control(rn::IdStringGrid1));
  EXPECT_EQ(w.Text(rn::IdPreviewStatus), L"counting ...");
  EXPECT_EQ(w.form->PreviewCell(0).hint, L"Not found, deleted or in use by another program")
      << "the rows in view at once";
  for (int i = 0; i < 2000 && w.Text(rn::IdPreviewStatus) == L"counting ..."; ++i) Pump(5);
  EXPECT_EQ(w.Text(rn::IdPreviewStatus), L"0 will change, 5000 not found");
}

TEST(PreviewColumn, AFolderTakenWithAllFilesIsCheckedAgainstEverythingItHoldsFoldersIncluded) {
  TempFolder f;
  MainWindow w(f);
  w.form->FinishPreview();  // the column is there before the drop, as on the screen
  const std::wstring tree = Make(f, L"tree\\"), a = Make(f, L"tree\\a.txt"), b = Make(f, L"tree\\b.txt");
  Make(f, L"tree\\x_a.txt\\");  // a folder the new name of a.txt runs into
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(
        L"This is a directory name !  Want to add it to list ?\n\nIf you press 'Files', all files (of type "
        L"selected) inside folder\rwill be added to this list, instead of folder name.\n\nIf you press 'All "
        L"Files', all files will be added recursively\rfrom this folder down.",
        2);
    Drop(w.Hwnd(), {tree});
  }
  ASSERT_EQ(w.Paths(), std::vector<std::wstring>({a, b}));
  w.form->panel->WriteRenameTask(Task(rn::kOpAddFromBegin, L"x_"));
  EXPECT_EQ(Shown(w), Names({L"x_a.txt", L"x_b.txt"}));
  EXPECT_EQ(w.form->PreviewCell(0).look, rn::PreviewLook::Marked);
  EXPECT_EQ(w.form->PreviewCell(1).look, rn::PreviewLook::Change);
}

TEST(PreviewColumn, NamesTradedInsideTheListShowPlainlyAndASwapSaysSo) {
  ListWindow l({L"3.txt", L"2.txt", L"1.txt"});
  rn::RenameTask t = Task(rn::kOpNumerate);
  t.NumberStyle = rn::kNumberExtension;
  t.StartNumber = L"1";
  l.w.form->panel->WriteRenameTask(t);
  EXPECT_EQ(Shown(l.w), Names({L"1.txt", L"2.txt", L"3.txt"}));
  EXPECT_EQ(l.w.form->PreviewCell(0).look, rn::PreviewLook::Change) << "not an overwrite";
  EXPECT_EQ(l.w.form->PreviewCell(2).look, rn::PreviewLook::Change);
  EXPECT_EQ(HintOver(l, 0), L"Swaps names with row 3:\r\nthe run passes through a temporary name.");
  EXPECT_EQ(l.w.Text(rn::IdPreviewStatus), L"2 will change");
  l.w.Click(rn::IdButton2);  // no question: nothing is overwritten
  EXPECT_EQ(l.Names(), Names({L"1.txt", L"2.txt", L"3.txt"}));
}

TEST(PreviewColumn, TheDatesAreReadAgainOnComingBackToTheWindowAndBeforeTheRun) {
  ListWindow l({L"a.txt", L"b.txt"});
  auto setModified = [&](int file, WORD year) {
    SYSTEMTIME local{year, 6, 0, 15, 12, 0, 0, 0}, utc{};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    FILETIME ft{};
    SystemTimeToFileTime(&utc, &ft);
    HANDLE h = CreateFileW(l.files[static_cast<size_t>(file)].c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
  };
  l.w.form->panel->WriteRenameTask(Task(rn::kOpAddFromBegin, L"x"));
  EXPECT_EQ(Shown(l.w)[1], L"xb.txt");  // the column has read the folder
  setModified(1, 2001);                  // changed from outside, then the date stamp is chosen
  rn::RenameTask t = Task(rn::kOpDateToBegin);
  t.AddDatePart = rn::kDatePartDate;
  l.w.form->panel->WriteRenameTask(t);
  EXPECT_EQ(Shown(l.w)[1], L"2001-06-15_b.txt");

  setModified(1, 2002);  // and again, while the user is in another program
  SendMessageW(l.w.Hwnd(), WM_ACTIVATEAPP, TRUE, 0);
  Pump();
  EXPECT_EQ(Shown(l.w)[1], L"2002-06-15_b.txt") << "coming back reads the times again";
  EXPECT_NE(l.w.form->fileList.Cell(rn::ColFileDate, 1).find(L"2002"), std::wstring::npos);

  setModified(1, 2003);  // just before the run
  l.w.Click(rn::IdButton2);
  EXPECT_EQ(l.Names()[1], L"2003-06-15_b.txt");
  EXPECT_NE(l.w.form->fileList.Cell(rn::ColFileDate, 1).find(L"2003"), std::wstring::npos)
      << "the list shows the date the run used";
}

TEST(PreviewColumn, ARequestTheChecksStopShowsTheNamesAsTheyAreWithTheReasonUnderTheGrid) {
  ListWindow l({L"abc.txt", L"d.txt"});
  rn::RenameTask create = Task(rn::kOpCreateNames);  // neither prefix nor suffix
  create.CounterStart = L"001";
  rn::RenameTask trim = Task(rn::kOpTrimFromEnd);  // more than a name holds
  trim.TrimCount = 3;
  for (const rn::RenameTask& t : {create, trim}) {
    l.w.form->panel->WriteRenameTask(t);
    EXPECT_EQ(Shown(l.w), Names({L"abc.txt", L"d.txt"})) << "no name the run would not give";
    EXPECT_EQ(l.w.form->PreviewCell(0).look, rn::PreviewLook::Same);
    EXPECT_FALSE(l.w.Text(rn::IdPreviewStatus).empty()) << "the checks' message under the grid";
  }
}
