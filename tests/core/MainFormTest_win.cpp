// The main window's start-up, first showing, layout and shutdown, driven
// through the real window in this process.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "base/VersionInfo.h"
#include "core/MainLayout.h"
#include "support/WindowHarness_win.h"
#include "ui/InfoPanel_win.h"
#include "ui/Grid_win.h"
#include "ui/Tooltips_win.h"

using namespace rntest;
using rn::TMorvaneFrm1;

namespace {

std::wstring IniValue(const TempFolder& f, const wchar_t* section, const wchar_t* key) {
  wchar_t buf[4096];
  GetPrivateProfileStringW(section, key, L"<none>", buf, 4096, f.Ini().c_str());
  return buf;
}

RECT WindowRect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[256];
  GetClassNameW(h, buf, 256);
  return buf;
}

// The hint some tooltip of the window holds for the control (empty: none).
std::wstring HintOf(HWND window, HWND control) {
  struct Search {
    HWND window, control;
    std::wstring hint;
  } search{window, control, L""};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND tip, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (ClassOf(tip) == TOOLTIPS_CLASSW && s->hint.empty()) s->hint = rn::TipText(tip, s->window, s->control);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.hint;
}

}  // namespace

TEST(MainWindow, FreshSettingsGiveTheDesignedPositionAndMinimumSize) {
  TempFolder folder;
  MainWindow w(folder);
  ASSERT_NE(w.Hwnd(), nullptr);
  EXPECT_EQ(ClassOf(w.Hwnd()), L"TMorvaneFrm1");
  RECT r = WindowRect(w.Hwnd());
  EXPECT_EQ(r.left, 232);
  EXPECT_EQ(r.top, 110);
  const int frame = GetSystemMetrics(SM_CXSIZEFRAME);
  EXPECT_EQ(r.bottom - r.top, rn::kMinTrackHeight);
  EXPECT_EQ(r.right - r.left, std::max(rn::MinTrackWidth(frame), rn::StartupWindowWidth(frame, w.form->dpi)));
  EXPECT_EQ(rn::WindowText(w.Hwnd()), L"  Rename  *.*");
  EXPECT_FALSE(w.form->infoPanelOpen);
  EXPECT_TRUE(w.form->renamingHints);
  EXPECT_FALSE(w.form->stayOnTop);
  EXPECT_EQ(w.form->currentOperation, -1);
  EXPECT_EQ(w.form->runCount, 0);
  // Nothing is written at start-up but the erase of an obsolete section.
  EXPECT_EQ(IniValue(folder, L"Options", L"Size"), L"<none>");
}

TEST(MainWindow, ButtonBarCarriesItsCaptionsAndFollowsTheList) {
  TempFolder folder;
  MainWindow w(folder);
  HWND h = w.Hwnd();
  for (const wchar_t* caption : {L"&Add Files ...", L"&Rename Files ...", L"&Undo", L"Clear &List", L" Cl&ose"})
    EXPECT_NE(FindWindowExW(h, nullptr, L"Button", caption), nullptr) << Narrow(caption);
  EXPECT_FALSE(IsWindowEnabled(w.Control(rn::IdButton2)));
  EXPECT_FALSE(IsWindowEnabled(w.Control(rn::IdButton4)));
  EXPECT_FALSE(IsWindowEnabled(w.Control(rn::IdSpeedButton5)));
  EXPECT_FALSE(IsWindowEnabled(w.Control(rn::IdButton3)));

  w.form->AddRow(folder.Folder() + L"one.txt", false);
  w.form->ListChanged();
  EXPECT_EQ(rn::WindowText(h), L"  Rename  *.*    [1 items]");
  EXPECT_EQ(rn::WindowText(w.Control(rn::IdButton1)), L"&More Files ...");
  EXPECT_TRUE(IsWindowEnabled(w.Control(rn::IdButton2)));
  EXPECT_TRUE(IsWindowEnabled(w.Control(rn::IdButton4)));
  EXPECT_FALSE(IsWindowEnabled(w.Control(rn::IdScrollBar1)));
  w.form->AddRow(folder.Folder() + L"two.txt", false);
  w.form->ListChanged();
  EXPECT_EQ(rn::WindowText(h), L"  Rename  *.*    [2 items]");
  EXPECT_TRUE(IsWindowEnabled(w.Control(rn::IdScrollBar1)));
}

TEST(MainWindow, CloseButtonWritesGeometryAndVersion) {
  TempFolder folder;
  {
    MainWindow w(folder);
    SetWindowPos(w.Hwnd(), nullptr, 300, 150, 900, 700, SWP_NOZORDER);
    Pump();
    w.Click(rn::IdButton5);
    EXPECT_EQ(w.form->hwnd, nullptr) << "Cl&ose closes the window";
  }
  EXPECT_EQ(IniValue(folder, L"Options", L"Size"), L"700|900");
  EXPECT_EQ(IniValue(folder, L"Options", L"PositLeft"), L"300");
  EXPECT_EQ(IniValue(folder, L"Options", L"PositTop"), L"150");
  EXPECT_EQ(IniValue(folder, L"Options", L"Version"), L"(v1.2.5.6)");
  EXPECT_EQ(IniValue(folder, L"Options", L"DateFormat"), L"[default]");
  EXPECT_EQ(IniValue(folder, L"Options", L"LastRenameSelect"), L"-1");
}

TEST(MainWindow, StoredSizeAndPositionAreRestoredOnlyWhenAsked) {
  TempFolder folder;
  folder.WriteIni("[Options]\r\nSize=700|1000\r\nPositLeft=40\r\nPositTop=50\r\n");
  {
    MainWindow w(folder);
    RECT r = WindowRect(w.Hwnd());
    EXPECT_EQ(r.bottom - r.top, 700);
    EXPECT_NE(r.right - r.left, 1000) << "the stored width does not survive start-up";
    EXPECT_EQ(r.left, 232) << "position is not restored by default";
  }
  // Closing rewrites the position even though it is not restored.
  EXPECT_EQ(IniValue(folder, L"Options", L"PositLeft"), L"232");
  folder.WriteIni("[Options]\r\nWindowPosition=1\r\nWindowSize=0\r\nSize=700|1000\r\nPositLeft=40\r\nPositTop=50\r\n");
  MainWindow w(folder);
  RECT r = WindowRect(w.Hwnd());
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.bottom - r.top, rn::kMinTrackHeight);
}

TEST(MainWindow, UnreadableSizeStartsNormally) {
  TempFolder folder;
  folder.WriteIni("[Options]\r\nSize=abc\r\n");
  MainWindow w(folder);
  ASSERT_NE(w.Hwnd(), nullptr);
  RECT r = WindowRect(w.Hwnd());
  EXPECT_EQ(r.bottom - r.top, rn::kMinTrackHeight);
}

TEST(MainWindow, MinimumTrackingSizeHolds) {
  TempFolder folder;
  MainWindow w(folder);
  MINMAXINFO mmi{};
  SendMessageW(w.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMinTrackSize.x, rn::MinTrackWidth(GetSystemMetrics(SM_CXSIZEFRAME)));
  EXPECT_EQ(mmi.ptMinTrackSize.y, 630);
}

TEST(MainWindow, LegacyDirectoriesSectionMovesIntoOptions) {
  TempFolder folder;
  const std::string legacy = "C:\\legacy\\";
  folder.WriteIni("[Directories]\r\nPath=" + legacy + "\r\nStayOnTop=0\r\n[Options]\r\nPath=C:\\other\\\r\n");
  {
    ScriptedDialogs dialogs;  // the folder is gone: the repair box follows
    dialogs.Expect(L"Old ' Morvane  path ' does not exist any more.\r\rReverting to default Application 'path'...");
    MainWindow w(folder);
  }
  std::string ini = folder.ReadIni();
  EXPECT_EQ(ini.find("[Directories]"), std::string::npos);
  EXPECT_EQ(IniValue(folder, L"Options", L"StayOnTop"), L"0");
}

TEST(MainWindow, MovedPathValueIsTheOneUsed) {
  TempFolder folder;
  TempFolder remembered;
  const std::wstring path = remembered.Folder();
  std::string narrow(path.begin(), path.end());
  folder.WriteIni("[Directories]\r\nPath=" + narrow + "\r\n");
  {
    MainWindow w(folder);
    EXPECT_EQ(w.form->lastFolder, path);
  }
  EXPECT_EQ(IniValue(folder, L"Options", L"Path"), path);
}

TEST(MainWindow, VanishedRememberedFolderRevertsToTheProgramFolder) {
  TempFolder folder;
  folder.WriteIni("[Options]\r\nPath=Z:\\no\\such\\folder\\\r\n");
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(L"Old ' Morvane  path ' does not exist any more.\r\rReverting to default Application 'path'...");
    MainWindow w(folder);
    ASSERT_EQ(dialogs.Seen().size(), 1u);
    EXPECT_EQ(dialogs.Seen()[0].icon, rn::DialogIcon::Information);
    EXPECT_EQ(dialogs.Seen()[0].buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(w.form->lastFolder, folder.Folder());
  }
  EXPECT_EQ(IniValue(folder, L"Options", L"Path"), folder.Folder());
}

TEST(MainWindow, RememberedListsSurviveARestart) {
  TempFolder folder;
  folder.WriteIni(
      "[Expressions]\r\n0=\" abc \"\r\n1=\"   \"\r\n2=\"say \"\"hi\"\"\"\r\n"
      "[Extensions]\r\n0=*.pdf\r\n1=*.JPG\r\n2=\r\n3=*.doc\r\n"
      "[Replace_str3]\r\n0=old\r\n");
  {
    MainWindow w(folder);
    HWND to = w.Control(rn::IdComboBox2);
    EXPECT_EQ(SendMessageW(to, CB_GETCOUNT, 0, 0), 2) << "a blank entry is dropped";
    EXPECT_EQ(rn::WindowText(to), L" abc ");
    HWND filter = w.Control(rn::IdComboBox1);
    EXPECT_EQ(SendMessageW(filter, CB_GETCOUNT, 0, 0), 9) << "7 built-in masks, *.JPG already there";
    EXPECT_EQ(rn::WindowText(filter), L"*.*");
  }
  std::string ini = folder.ReadIni();
  EXPECT_EQ(ini.find("[Replace_str3]"), std::string::npos);
  EXPECT_EQ(IniValue(folder, L"Expressions", L"0"), L" abc ");
  EXPECT_EQ(IniValue(folder, L"Extensions", L"0"), L"*.pdf");
  EXPECT_EQ(IniValue(folder, L"Extensions", L"1"), L"*.doc");
  // A quote inside an entry stays one quote however often the program restarts.
  for (int round = 0; round < 2; ++round) {
    MainWindow w(folder);
    HWND to = w.Control(rn::IdComboBox2);
    wchar_t text[64] = L"";
    SendMessageW(to, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"say \"hi\"");
  }
}

TEST(MainWindow, TypeFilterWritesTheLastSixAddedMasks) {
  TempFolder folder;
  {
    MainWindow w(folder);
    HWND filter = w.Control(rn::IdComboBox1);
    for (int i = 0; i < 13; ++i) {
      std::wstring mask = L"*.x" + std::to_wstring(i);
      SendMessageW(filter, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mask.c_str()));
    }
  }
  EXPECT_EQ(IniValue(folder, L"Extensions", L"0"), L"*.x7");
  EXPECT_EQ(IniValue(folder, L"Extensions", L"5"), L"*.x12");
  EXPECT_EQ(IniValue(folder, L"Extensions", L"6"), L"<none>");
}

TEST(MainWindow, ResizeMovesTheToolStripAndRebuildsShortPaths) {
  TempFolder folder;
  MainWindow w(folder);
  const std::wstring longPath = L"C:\\" + std::wstring(150, L'd') + L"\\file.txt";
  w.form->AddRow(longPath, false);
  w.form->ListChanged();
  const int before = w.form->fileList.PathBudget();
  EXPECT_EQ(w.form->fileList.Cell(rn::ColShortPath, 0), rn::ShortenPath(longPath, before));

  SetWindowPos(w.Hwnd(), nullptr, 0, 0, 1200, 800, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  RECT client{};
  GetClientRect(w.Hwnd(), &client);
  EXPECT_EQ(rn::ControlBounds(w.Control(rn::IdPanel1)).left, client.right - w.form->dpi.Scale(26));
  EXPECT_EQ(rn::ControlBounds(w.Control(rn::IdScrollBar1)).left, client.right - w.form->dpi.Scale(55));
  const int after = w.form->fileList.PathBudget();
  EXPECT_GT(after, before);
  HWND grid = w.Control(rn::IdStringGrid1);
  RECT gr{};
  GetClientRect(grid, &gr);
  // The path column shares its room with the new names' column, and the budget follows the path's share.
  const int room = rn::PathColumnWidth(gr.right, rn::GridColumnWidth(grid, 0), 1);
  EXPECT_EQ(after, rn::PathBudgetForWidth(rn::SplitPathRoom(room, 1, true).path));
  EXPECT_EQ(w.form->fileList.Cell(rn::ColShortPath, 0), rn::ShortenPath(longPath, after));
  // Script bar on the bottom line.
  RECT chooser = rn::ControlBounds(w.Control(rn::IdButton10));
  EXPECT_EQ(chooser.bottom, client.bottom - 4);
}

TEST(MainWindow, OptionalControlsAreParkedBeyondTheScreen) {
  TempFolder folder;
  MainWindow w(folder);
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  for (int id : {rn::IdPanel2, rn::IdPanelCreat, rn::IdComboBox3, rn::IdEditDate, rn::IdEditTime, rn::IdGroupBox1,
                 rn::IdPanel4, rn::IdPanelCharPosit}) {
    HWND c = w.Control(id);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(IsWindowVisible(c)) << "parked, not hidden";
    EXPECT_GT(rn::ControlBounds(c).left, screen) << id;
  }
}

// What starts out of sight is made at its first need, and a start that never
// needed the slot keeps the lists and the format its boxes would have held.
TEST(MainWindow, OutOfSightControlsAreMadeAtTheirFirstNeed) {
  TempFolder folder;
  folder.WriteIni(
      "[Options]\r\nDateFormat=yyyy-mm-dd\r\n[Prefixes]\r\n0=Holiday\r\n[Sufixes]\r\n0=copy\r\n");
  {
    // The mouse away from where the window comes: its arrival would ask for the hints.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    MainWindow w(folder);
    TMorvaneFrm1& form = *w.form;
    auto made = [&](int id) { return form.Control(id) != nullptr; };
    for (int id : {rn::IdEditDate, rn::IdComboBoxCreat1, rn::IdComboBox3, rn::IdPanelInfo, rn::IdPanel2,
                   rn::IdPanel4, rn::IdPanelCharPosit})
      EXPECT_FALSE(made(id)) << id;
    EXPECT_EQ(form.scriptEditor, nullptr);
    const HWND help = form.Control(rn::IdSpeedButton1), radio = form.Control(rn::RadioId(rn::kOpRemove));
    POINT mouse{};
    const RECT r = WindowRect(w.Hwnd());
    if (GetCursorPos(&mouse) && !PtInRect(&r, mouse))
      EXPECT_EQ(HintOf(w.Hwnd(), help), L"") << "no hint before the mouse comes";
    else
      std::printf("skipped: the mouse stays over the window here, so the hints come with it\n");
    w.MouseComes();
    EXPECT_NE(HintOf(w.Hwnd(), help), L"");
    EXPECT_NE(HintOf(w.Hwnd(), radio), L"");
    form.ToggleInfoPanel();
    EXPECT_TRUE(made(rn::IdPanelInfo));
    w.Command(rn::IdButton12);
    EXPECT_TRUE(made(rn::IdPanel2));
    EXPECT_FALSE(made(rn::IdEditDate));
  }
  EXPECT_EQ(IniValue(folder, L"Prefixes", L"0"), L"Holiday");
  EXPECT_EQ(IniValue(folder, L"Sufixes", L"0"), L"copy");
  EXPECT_EQ(IniValue(folder, L"Options", L"DateFormat"), L"yyyy-mm-dd");

  MainWindow w(folder);
  w.Click(rn::RadioId(rn::kOpCreateNames));
  ASSERT_NE(w.form->Control(rn::IdComboBoxCreat1), nullptr) << "choosing an operation makes the slot";
  EXPECT_EQ(w.Text(rn::IdComboBoxCreat1), L"Holiday");
  EXPECT_EQ(w.Text(rn::IdComboBox3), L"yyyy-mm-dd");
  EXPECT_FALSE(rn::IsParked(w.Control(rn::IdComboBoxCreat1)));
}

TEST(MainWindow, InfoPanelOpensFromTheSetting) {
  TempFolder folder;
  folder.WriteIni("[Options]\r\nShowFileInfo=1\r\n");
  MainWindow w(folder);
  EXPECT_TRUE(w.form->infoPanelOpen);
  RECT r = rn::ControlBounds(w.Control(rn::IdPanelInfo));
  EXPECT_EQ(r.bottom - r.top, w.form->dpi.Scale(rn::kInfoPanelHeight));
}

TEST(MainWindow, DateFormatAndScriptChooserComeFromTheSettings) {
  TempFolder folder;
  folder.WriteIni(
      "[Options]\r\nDateFormat=yyyymmdd\r\nScripts=2\r\nVersion=(v1.2.5.6)\r\n"
      "[Script_1]\r\nName=first\r\ncommands=0\r\n[Script_2]\r\nName=second one\r\ncommands=0\r\n");
  {
    MainWindow w(folder);
    EXPECT_EQ(rn::WindowText(w.Control(rn::IdComboBox3)), L"yyyymmdd");
    HWND chooser = w.Control(rn::IdComboBox4);
    ASSERT_EQ(SendMessageW(chooser, CB_GETCOUNT, 0, 0), 3);
    wchar_t text[64];
    SendMessageW(chooser, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"2 - second one");
    EXPECT_TRUE(IsWindowEnabled(chooser));
    EXPECT_FALSE(IsWindowEnabled(w.Control(rn::IdButton10)));
  }
  folder.WriteIni("[Options]\r\nDateFormat=nonsense\r\n");
  MainWindow w(folder);
  EXPECT_EQ(rn::WindowText(w.Control(rn::IdComboBox3)), L"[default]");
}

TEST(MainWindow, ReadOnlyProgramFolderClosesWithoutComplaint) {
  TempFolder folder;
  folder.WriteIni("[Options]\r\nSize=700|900\r\n");
  SetFileAttributesW(folder.Ini().c_str(), FILE_ATTRIBUTE_READONLY);
  {
    MainWindow w(folder);  // any box here would fail the test
  }
  SetFileAttributesW(folder.Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
  std::string ini = folder.ReadIni();
  EXPECT_NE(ini.find("[Options]"), std::string::npos) << "the file is never left truncated";
}

TEST(MainWindow, FileDateFollowsTheLocaleSeparator) {
  TempFolder folder;
  MainWindow w(folder);
  const std::wstring path = folder.Folder() + L"dated.txt";
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  SYSTEMTIME st{2014, 3, 0, 25, 12, 0, 0, 0};
  FILETIME local, utc;
  SystemTimeToFileTime(&st, &local);
  LocalFileTimeToFileTime(&local, &utc);
  SetFileTime(h, nullptr, nullptr, &utc);
  CloseHandle(h);
  w.form->AddRow(path, false);
  const std::wstring sep = w.form->DateSeparator();
  EXPECT_EQ(w.form->fileList.Cell(rn::ColFileDate, 0), L"2014" + sep + L"03" + sep + L"25");
  // A path that cannot be found gets an empty date.
  w.form->AddRow(folder.Folder() + L"missing.txt", false);
  EXPECT_EQ(w.form->fileList.Cell(rn::ColFileDate, 1), L"");
}

TEST(MainWindow, NamesOutsideTheAnsiCodePageAreShownAndKept) {
  TempFolder folder;
  MainWindow w(folder);
  const std::wstring name = L"\u0391\u03b8\u03ae\u03bd\u03b1 \u65e5\u672c.txt";
  const std::wstring path = folder.Folder() + name;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  w.form->AddRow(path, false);
  w.form->ListChanged();
  EXPECT_EQ(w.form->fileList.Cell(rn::ColFileName, 0), name);
  EXPECT_FALSE(w.form->fileList.Cell(rn::ColFileDate, 0).empty()) << "the stamp was read through the wide name";
}

TEST(MainWindow, AStartUpThatCannotGoOnShowsWhyAndLeavesTheSettingsAndTheJournalAsTheyWere) {
  struct Case {
    const char* what;
    bool scriptBlocked;  // the registration script cannot be written in the settings folder
  } cases[] = {{"a settings folder that cannot be written", true}, {"a registry that cannot tell", false}};
  for (const Case& c : cases) {
    TempFolder folder;
    folder.WriteIni("[Options]\r\nDonated=1\r\nLastSelection=1\r\nLastRenameSelect=3\r\n");
    const std::string ini = folder.ReadIni();
    const std::string journal = "Rename undo journal 1\nrun 1 1 t\npair C:\\x\\a.txt\tb.txt\n";
    std::ofstream(folder.path / "Rename.journal", std::ios::binary) << journal;
    if (c.scriptBlocked) std::filesystem::create_directories(folder.path / "Morvane.reg");
    rn::AppContext context;
    context.programFolder = folder.Folder();
    context.endProgramOnClose = false;
    std::vector<rn::DialogRequest> shown;
    rn::SetDialogResponder([&](const rn::DialogRequest& r) {
      shown.push_back(r);
      return 0;
    });
    {
      TMorvaneFrm1 form(context);
      form.registryImport = [](const std::wstring&) { ADD_FAILURE() << "nothing to import"; };
      // A registration left by an earlier copy, no extension beside this one:
      // start-up takes it out, and cannot.
      form.registrationMarker = c.scriptBlocked ? std::function<bool()>([] { return true; }) : [] () -> bool {
        throw rn::AppError{L"HKEY_CURRENT_USER\\SOFTWARE\\Morvane:\rAccess denied."};
      };
      EXPECT_FALSE(form.Create(SW_SHOWNORMAL)) << c.what;
      EXPECT_FALSE(form.hwnd && IsWindow(form.hwnd)) << c.what << ": no window left";
    }
    rn::SetDialogResponder(nullptr);
    ASSERT_EQ(shown.size(), 1u) << c.what << ": one error box, then the end";
    EXPECT_EQ(shown[0].icon, rn::DialogIcon::Error) << c.what;
    if (!c.scriptBlocked) {
      EXPECT_EQ(shown[0].text, L"HKEY_CURRENT_USER\\SOFTWARE\\Morvane:\rAccess denied.");
    }
    EXPECT_EQ(folder.ReadIni(), ini) << c.what;
    std::ifstream in(folder.path / "Rename.journal", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), journal) << c.what << ": nothing was taken back";
  }
}

TEST(VersionInfo, ProgramResourceCarriesItsFields) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  rn::FileVersionInfo info = rn::ReadFileVersionInfo(self);
  EXPECT_EQ(info.FileVersion, L"1.2.5.6");
  EXPECT_EQ(info.ProductVersion, L"1.2.5.6");
  EXPECT_EQ(info.FileDescription, L"Morvane");
  EXPECT_EQ(info.ProductName, L"Morvane");
  EXPECT_EQ(info.OriginalFileName, L"Rename.exe");
  EXPECT_EQ(info.Comments,
            L"Rename all your files and folders, with easy options to do it any way you like. Remember names, create "
            L"scripts to do it faster.");
  EXPECT_EQ(info.PrivateBuild, L"");
  EXPECT_EQ(rn::ProgramVersionLabel(), L"(v1.2.5.6)");
}

TEST(VersionInfo, FileWithoutResourceRaisesTheSystemError) {
  TempFolder folder;
  const std::wstring path = folder.Folder() + L"plain.txt";
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  EXPECT_THROW(rn::ReadFileVersionInfo(path), rn::AppError);
  EXPECT_THROW(rn::ReadFileVersionInfo(folder.Folder() + L"none.exe"), rn::AppError);
}
