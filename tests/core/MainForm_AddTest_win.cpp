// Files and folders reaching the list through the real window: drops, the
// folder prompt, the filter box, the open dialog and the hand-off message.
#include <windows.h>

#include "base/Text.h"
#include "dialogs/FormSearch_win.h"
#include "support/WindowHarness_win.h"
#include "ui/Grid_win.h"

using namespace rntest;
using Paths = std::vector<std::wstring>;

namespace {

const std::wstring kPrompt =
    L"This is a directory name !  Want to add it to list ?\n\n"
    L"If you press 'Files', all files (of type selected) inside folder\r"
    L"will be added to this list, instead of folder name.\n\n"
    L"If you press 'All Files', all files will be added recursively\r"
    L"from this folder down.";
const std::wstring kFilterQuestion = L"Do you want to filter also all files alredy in list bellow?";
enum Answer { kFolder = 0, kFiles = 1, kAllFiles = 2, kCancel = 3 };

std::string Ansi(const std::wstring& w) {
  std::string s(static_cast<size_t>(w.size() * 2 + 1), '\0');
  int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), s.data(), static_cast<int>(s.size()),
                              nullptr, nullptr);
  s.resize(static_cast<size_t>(n));
  return s;
}

std::string Utf8(const std::wstring& w) {
  std::string s(static_cast<size_t>(w.size() * 4 + 1), '\0');
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), static_cast<int>(s.size()),
                              nullptr, nullptr);
  s.resize(static_cast<size_t>(n));
  return s;
}

void SelectFilter(MainWindow& w, const wchar_t* mask) {
  HWND combo = w.Control(rn::IdComboBox1);
  LRESULT i = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(mask));
  ASSERT_NE(i, CB_ERR);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
  w.Command(rn::IdComboBox1, CBN_SELCHANGE);
}

}  // namespace

TEST(Drop, SameFileTwiceOrInOtherCaseGivesOneRowAndRefreshesTheWindow) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring file = Make(f, L"data\\Report.txt");
  std::wstring upper = file;
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  Drop(w.Hwnd(), {file, file, upper});
  EXPECT_EQ(w.Paths(), Paths({file}));
  EXPECT_EQ(w.Caption(), L"  Rename  *.*    [1 items]");
  EXPECT_EQ(w.Text(rn::IdButton1), L"&More Files ...");
  for (int id : {rn::IdButton1, rn::IdButton2, rn::IdButton4, rn::IdSpeedButton5}) EXPECT_TRUE(w.Enabled(id)) << id;
  EXPECT_TRUE(rn::EqualsNoCase(w.form->lastFolder, f.Folder() + L"data\\")) << "the folder of the last path read";
  // A second drop of the same file changes nothing.
  Drop(w.Hwnd(), {upper});
  EXPECT_EQ(w.form->fileList.EntryCount(), 1);
}

TEST(Drop, FolderPromptAsksWithItsTitleButtonsAndPlaceAndAFolderRowIsNotAskedAgain) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring dir = Make(f, L"photos\\");
  ScriptedDialogs dialogs;
  dialogs.Expect(kPrompt, kFolder);
  Drop(w.Hwnd(), {dir});
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  const rn::DialogRequest& r = dialogs.Seen()[0];
  EXPECT_EQ(r.caption, L" Add Directory names or Files ?");
  EXPECT_EQ(r.buttons, Paths({L"Folder", L"Files", L"All* Files", L"Cancel", L"All Folders"}));
  ASSERT_EQ(r.enabled.size(), 5u);
  EXPECT_FALSE(r.enabled[4]) << "All Folders cannot be chosen";
  EXPECT_TRUE(r.topmost);
  RECT main{};
  GetWindowRect(w.Hwnd(), &main);
  EXPECT_EQ(r.x, main.left + w.form->dpi.Scale(20));
  EXPECT_EQ(r.y, main.bottom - w.form->dpi.Scale(150));
  EXPECT_EQ(w.Paths(), Paths({dir}));
  EXPECT_EQ(w.form->fileList.Cell(rn::ColExt, 0), L"[dir]");
  Drop(w.Hwnd(), {dir});  // listed already: no second prompt
  EXPECT_EQ(w.form->fileList.EntryCount(), 1);
}

TEST(Drop, FilterChosenRefusesAFolderWithoutAsking) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring dir = Make(f, L"photos\\");
  Make(f, L"photos\\a.jpg");
  SelectFilter(w, L"*.jpg");
  Drop(w.Hwnd(), {dir});  // no dialog expected: any box fails the test
  EXPECT_EQ(w.form->fileList.EntryCount(), 0);
  EXPECT_EQ(w.Caption(), L"  Rename  *.*");
  EXPECT_EQ(w.Text(rn::IdButton1), L"&Add Files ...") << "an empty batch changes no button";
}

TEST(Drop, FilesTakesTheFolderItselfAllFilesTheWholeTreeHiddenAndSystemIncluded) {
  TempFolder f;
  const std::wstring dir = Make(f, L"tree\\");
  const std::wstring a = Make(f, L"tree\\a.txt"), b = Make(f, L"tree\\b.jpg");
  const std::wstring c = Make(f, L"tree\\sub\\c.txt"), h = Make(f, L"tree\\sub\\deep\\h.txt");
  const std::wstring s = Make(f, L"tree\\sub\\s.txt");
  SetFileAttributesW(h.c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW(s.c_str(), FILE_ATTRIBUTE_SYSTEM);
  {
    MainWindow w(f);
    SelectFilter(w, L"*.txt");
    // The folder's own name must pass the filter for the prompt to come: "*.*" it is.
    SelectFilter(w, L"*.*");
    ScriptedDialogs dialogs;
    dialogs.Expect(kPrompt, kFiles);
    Drop(w.Hwnd(), {dir});
    std::vector<std::wstring> got = w.Paths();
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, Paths({a, b}));
  }
  MainWindow w(f);
  ScriptedDialogs dialogs;
  dialogs.Expect(kPrompt, kAllFiles);
  Drop(w.Hwnd(), {dir});
  std::vector<std::wstring> got = w.Paths();
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, Paths({a, b, c, h, s}));
  EXPECT_EQ(w.Caption(), L"  Rename  *.*    [5 items]");
  EXPECT_TRUE(w.Enabled(rn::IdScrollBar1));
  // Files come in breadth-first order: the folder's own before its subfolders'.
  EXPECT_TRUE(w.Paths()[0] == a || w.Paths()[0] == b);
}

TEST(Drop, CancelForTheFirstFolderAddsNothingFromThatDropAndTheNextDropAsksAgain) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring one = Make(f, L"one\\"), two = Make(f, L"two\\"), file = Make(f, L"file.txt");
  ScriptedDialogs dialogs;
  dialogs.Expect(kPrompt, kCancel);
  Drop(w.Hwnd(), {one, file, two});
  EXPECT_EQ(w.form->fileList.EntryCount(), 0);
  dialogs.Expect(kPrompt, kFolder);
  Drop(w.Hwnd(), {two});
  EXPECT_EQ(w.Paths(), Paths({two}));
}

TEST(Drop, AllFilesAlsoWalksTheLaterFoldersOfTheSameDrop) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring one = Make(f, L"one\\"), two = Make(f, L"two\\");
  const std::wstring x = Make(f, L"one\\x.txt"), y = Make(f, L"two\\y.txt");
  ScriptedDialogs dialogs;
  dialogs.Expect(kPrompt, kAllFiles);
  Drop(w.Hwnd(), {one, two});
  EXPECT_EQ(w.Paths(), Paths({x, y}));
}

TEST(Drop, APathBeyond254CharactersArrivesWholeAndAMissingPathIsAFileRow) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring file = f.Folder() + std::wstring(300, L'n') + L".txt";
  Drop(w.Hwnd(), {file});
  EXPECT_EQ(w.Paths(), Paths({file}));
  EXPECT_EQ(w.form->fileList.Cell(rn::ColFileDate, 0), L"") << "no date for a path that does not exist";
}

TEST(FilterBox, OkFiltersTheListNoKeepsItAndTypedTextIsMadeAMask) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring t = Make(f, L"a.TXT"), j = Make(f, L"b.jpg"), d = Make(f, L"dir\\");
  ScriptedDialogs dialogs;
  dialogs.Expect(kPrompt, kFolder);
  Drop(w.Hwnd(), {t, j, d});
  ASSERT_EQ(w.form->fileList.EntryCount(), 3);

  dialogs.Expect(kFilterQuestion, 1);  // "OK" with "*.*" keeps every row
  SelectFilter(w, L"*.*");
  EXPECT_EQ(w.form->fileList.EntryCount(), 3);
  dialogs.Expect(kFilterQuestion, 0);  // "No" keeps them too
  SelectFilter(w, L"*.txt");
  EXPECT_EQ(w.form->fileList.EntryCount(), 3);
  dialogs.Expect(kFilterQuestion, 1);  // "OK" with "*.txt": the .TXT row only, the folder goes
  SelectFilter(w, L"*.txt");
  EXPECT_EQ(w.Paths(), Paths({t}));
  EXPECT_EQ(w.Caption(), L"  Rename  *.*    [1 items]");
  const rn::DialogRequest& q = dialogs.Seen().back();
  EXPECT_EQ(q.buttons, Paths({L"No", L"OK"}));
  EXPECT_EQ(q.icon, rn::DialogIcon::Information);

  // Typing a letter leaves "*"; with OK every row with an extension goes.
  dialogs.Expect(kFilterQuestion, 1);
  SetWindowTextW(w.Control(rn::IdComboBox1), L"j");
  w.Command(rn::IdComboBox1, CBN_EDITCHANGE);
  EXPECT_EQ(w.Text(rn::IdComboBox1), L"*");
  EXPECT_EQ(w.form->fileList.EntryCount(), 0);
  EXPECT_EQ(w.Caption(), L"  Rename  *.*");
  // An emptied box admits every file again.
  SetWindowTextW(w.Control(rn::IdComboBox1), L"");
  w.Command(rn::IdComboBox1, CBN_EDITCHANGE);
  Drop(w.Hwnd(), {j});
  EXPECT_EQ(w.Paths(), Paths({j}));
}

TEST(OpenDialog, AddsTheChosenFilesThroughTheFilterAndRemembersFolderAndMask) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring a = Make(f, L"pics\\a.jpg"), b = Make(f, L"pics\\b.txt");
  SelectFilter(w, L"*.jpg");
  ScriptedDialogs dialogs;
  rn::OpenFilesResult answer;
  answer.ok = true;
  answer.paths = {a, b};
  answer.filterIndex = 5;  // the user switched to "*.txt" inside the dialog
  dialogs.ExpectOpenFiles(answer);
  w.Click(rn::IdButton1);
  ASSERT_EQ(dialogs.OpenRequests().size(), 1u);
  const rn::OpenFilesRequest& r = dialogs.OpenRequests()[0];
  ASSERT_GE(r.filterNames.size(), 7u);
  EXPECT_EQ(r.filterNames[0], L"Filter files of type *.*");
  EXPECT_EQ(r.filterPatterns[4], L"*.jpg");
  EXPECT_EQ(r.filterIndex, 4);
  EXPECT_EQ(r.fileName, L"*.jpg");
  // Tested against the filter as it stood when the dialog opened.
  EXPECT_EQ(w.Paths(), Paths({a}));
  EXPECT_EQ(w.Text(rn::IdComboBox1), L"*.txt");
  EXPECT_EQ(w.Text(rn::IdButton1), L"&More Files ...");
  EXPECT_EQ(w.Caption(), L"  Rename  *.*    [1 items]");
  EXPECT_TRUE(IsChild(w.Control(rn::IdComboBox2), GetFocus())) << "the focus goes to the \"Rename to\" box";
  EXPECT_EQ(w.form->lastFolder, f.Folder() + L"pics\\");
  w.Close();
  wchar_t path[MAX_PATH];
  GetPrivateProfileStringW(L"Options", L"Path", L"", path, MAX_PATH, f.Ini().c_str());
  EXPECT_EQ(std::wstring(path), f.Folder() + L"pics\\");
}

TEST(OpenDialog, CancelAddsNothingAndAMaskTypedIntoTheBoxJoinsTheList) {
  TempFolder f;
  MainWindow w(f);
  SetWindowTextW(w.Control(rn::IdComboBox1), L"*.pdf");
  ScriptedDialogs dialogs;
  dialogs.ExpectOpenFiles(rn::OpenFilesResult{});
  w.Click(rn::IdButton1);
  EXPECT_EQ(w.form->fileList.EntryCount(), 0);
  EXPECT_EQ(w.Text(rn::IdButton1), L"&Add Files ...");
  EXPECT_NE(SendMessageW(w.Control(rn::IdComboBox1), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(L"*.pdf")),
            CB_ERR);
}

TEST(HandOff, ThreeNewPathsInOrderAnswer2008AndSetCaptionAndButtons) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring a = Make(f, L"a.txt"), b = Make(f, L"b.txt"), c = Make(f, L"c.txt");
  EXPECT_EQ(HandOff(w.Hwnd(), Ansi(a + L"\r\n" + b + L"\r\n" + c + L"\r\n") + '\0'), 2008);
  EXPECT_EQ(w.Paths(), Paths({a, b, c}));
  EXPECT_EQ(w.Caption(), L"  Rename  *.*    [3 items]");
  for (int id : {rn::IdButton2, rn::IdButton4, rn::IdSpeedButton5}) EXPECT_TRUE(w.Enabled(id));
  // The add button and the move bar are left as they were.
  EXPECT_EQ(w.Text(rn::IdButton1), L"&Add Files ...");
  EXPECT_FALSE(w.Enabled(rn::IdScrollBar1));
  // Already listed: still accepted.
  EXPECT_EQ(HandOff(w.Hwnd(), Ansi(b + L"\n") + '\0'), 2008);
  EXPECT_EQ(w.form->fileList.EntryCount(), 3);
}

TEST(HandOff, TenThousandPathsWithAFolderAreAnsweredBeforeAnythingIsAskedOrAdded) {
  // Explorer waits for the answer: the folder's question and the additions
  // come after it.
  TempFolder f;
  MainWindow w(f);
  const std::wstring folder = Make(f, L"sub\\"), file = Make(f, L"sub\\in.txt");
  std::wstring text;
  for (int i = 0; i < 9999; ++i) text += f.Folder() + L"gone " + std::to_wstring(i) + L".txt\r\n";
  text += folder + L"\r\n";
  int asked = 0;
  rn::SetDialogResponder([&](const rn::DialogRequest&) {
    ++asked;
    return 1;  // "Files": what the folder holds
  });
  const std::string bytes = Utf8(text) + '\0';
  COPYDATASTRUCT cds{1, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  EXPECT_EQ(SendMessageW(w.Hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), 2008);
  EXPECT_EQ(asked, 0) << "no question before the answer";
  EXPECT_EQ(w.form->fileList.EntryCount(), 0) << "nothing added before the answer";
  Pump();
  InstallFailingResponder();
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(w.form->fileList.EntryCount(), 10000);
  EXPECT_EQ(w.Paths().back(), file) << "the folder's file, in the folder's place";
}

TEST(HandOff, LineBreaksOfEveryKindAndTextsWithoutANullByte) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring a = Make(f, L"a.txt"), b = Make(f, L"b.txt"), c = Make(f, L"c.txt"), d = Make(f, L"d.txt");
  EXPECT_EQ(HandOff(w.Hwnd(), Ansi(a + L"\n" + b + L"\r" + c + L"\r\n\r\n")), 2008);  // no null: ends at cbData
  EXPECT_EQ(w.Paths(), Paths({a, b, c}));
  // Bytes after the first null byte, and beyond cbData, are never read.
  const std::string tail = Ansi(d);
  EXPECT_EQ(HandOff(w.Hwnd(), std::string("\0", 1) + tail), 0);
  EXPECT_EQ(HandOff(w.Hwnd(), tail + "\r\n", 0, static_cast<DWORD>(tail.size() - 4)), 2008);
  EXPECT_EQ(w.form->fileList.EntryCount(), 4);
  EXPECT_FALSE(w.form->fileList.ContainsPath(d));
  EXPECT_TRUE(w.form->fileList.ContainsPath(d.substr(0, d.size() - 4)));
}

TEST(HandOff, AllRefusedAnswers2008AndMalformedMessagesAnswer0WithoutChanges) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring j = Make(f, L"a.jpg");
  SelectFilter(w, L"*.txt");
  EXPECT_EQ(HandOff(w.Hwnd(), Ansi(j + L"\r\n") + '\0'), 2008);
  EXPECT_EQ(w.Caption(), L"  Rename  *.*");
  EXPECT_FALSE(w.Enabled(rn::IdButton2));

  EXPECT_EQ(HandOff(w.Hwnd(), std::string("\0", 1)), 0);
  EXPECT_EQ(HandOff(w.Hwnd(), "C:\\x.txt", 0, 0), 0);
  COPYDATASTRUCT nothing{0, 40, nullptr};
  EXPECT_EQ(SendMessageW(w.Hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&nothing)), 0);
  EXPECT_EQ(SendMessageW(w.Hwnd(), WM_COPYDATA, 0, 0), 0);
  EXPECT_EQ(HandOff(w.Hwnd(), "C:\\bad\xff\xfe.txt\r\n", 1), 0) << "not UTF-8";
  EXPECT_EQ(w.form->fileList.EntryCount(), 0);
  EXPECT_FALSE(w.Enabled(rn::IdButton4));
}

TEST(HandOff, Utf8FormKeepsGreekAndJapaneseNames) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring greek = Make(f, L"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac.txt");
  const std::wstring japanese = Make(f, L"\u65e5\u672c\u8a9e.txt");
  EXPECT_EQ(HandOff(w.Hwnd(), Utf8(greek + L"\r\n" + japanese + L"\r\n") + '\0', 1), 2008);
  EXPECT_EQ(w.Paths(), Paths({greek, japanese}));
  EXPECT_EQ(w.form->fileList.Cell(rn::ColFileName, 1), L"\u65e5\u672c\u8a9e.txt");
  EXPECT_FALSE(w.form->fileList.Cell(rn::ColFileDate, 1).empty()) << "the file exists, so it has a date";
}

TEST(HandOff, CancelledFolderOfAnEarlierBatchDoesNotCarryOver) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring d = Make(f, L"dir\\");
  ScriptedDialogs dialogs;
  dialogs.Expect(kPrompt, kCancel);
  EXPECT_EQ(HandOff(w.Hwnd(), Ansi(d + L"\r\n") + '\0'), 2008);
  dialogs.Expect(kPrompt, kFolder);
  EXPECT_EQ(HandOff(w.Hwnd(), Ansi(d + L"\r\n") + '\0'), 2008);
  EXPECT_EQ(w.Paths(), Paths({d}));
}

TEST(Reentry, AdditionsArrivingDuringABatchWaitForItAndACloseComesAfter) {
  TempFolder f;
  const std::wstring d = Make(f, L"dir\\");
  const std::wstring inside = Make(f, L"dir\\in.txt"), late = Make(f, L"late.txt"), dropped = Make(f, L"drop.txt");
  auto w = std::make_unique<MainWindow>(f);
  HWND main = w->Hwnd();
  ScriptedDialogs dialogs;
  rn::SetDialogResponder([&](const rn::DialogRequest& r) {
    EXPECT_EQ(r.text, kPrompt);
    // While the prompt is up: a hand-off, a drop and a close arrive.
    EXPECT_EQ(HandOff(main, Ansi(late + L"\r\n") + '\0'), 2008);
    SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({dropped})), 0);
    SendMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(main)) << "the window stays until the batch is done";
    EXPECT_EQ(w->form->fileList.EntryCount(), 0) << "nothing is added in the middle of the batch";
    return static_cast<int>(kFiles);
  });
  Drop(main, {d});
  EXPECT_EQ(w->Paths(), Paths({inside}));
  // The close asked for during the batch drops what was still waiting.
  Pump(50);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_NE(f.ReadIni().find("Version"), std::string::npos) << "closing wrote the settings";
}

namespace {

// Drives the search dialog from a timer inside its modal loop.
std::function<void(HWND)>* g_searchStep = nullptr;
void CALLBACK SearchStep(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"TFormSearch", nullptr);
  if (!dialog || !IsWindowVisible(dialog) || !g_searchStep) return;
  KillTimer(nullptr, timer);
  (*g_searchStep)(dialog);
}

void RunSearch(MainWindow& w, std::function<void(HWND)> step) {
  g_searchStep = &step;
  SetTimer(nullptr, 0, 10, SearchStep);
  w.Click(rn::IdSpeedButton4);
  g_searchStep = nullptr;
}

}  // namespace

TEST(Search, FindsTheFilteredFilesOfAFolderAndWithRecursionOfItsTree) {
  TempFolder f;
  const std::wstring top = Make(f, L"pics\\a.jpg"), other = Make(f, L"pics\\b.txt");
  const std::wstring sub = Make(f, L"pics\\sub\\c.JPG");
  MainWindow w(f);
  w.form->lastFolder = f.Folder() + L"pics";
  SelectFilter(w, L"*.jpg");
  RunSearch(w, [](HWND d) {
    EXPECT_EQ(rn::WindowText(GetDlgItem(d, rn::TFormSearch::IdButton1)), L"...");
    SendMessageW(GetDlgItem(d, rn::TFormSearch::IdButton2), BM_CLICK, 0, 0);  // "Go find ..."
  });
  EXPECT_EQ(w.Paths(), Paths({top}));
  EXPECT_EQ(w.Caption(), L"  Rename  *.*    [1 items]");
  EXPECT_EQ(w.Text(rn::IdButton1), L"&More Files ...");
  EXPECT_TRUE(w.Enabled(rn::IdButton2));

  RunSearch(w, [](HWND d) {
    SendMessageW(GetDlgItem(d, rn::TFormSearch::IdCheckBox1), BM_CLICK, 0, 0);  // "Recursive search"
    SendMessageW(GetDlgItem(d, rn::TFormSearch::IdButton2), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(w.Paths(), Paths({top, sub})) << "files already listed come once";
  EXPECT_TRUE(w.Enabled(rn::IdScrollBar1));
  (void)other;

  // Changing the filter inside the dialog moves the main window's box along, without the question.
  RunSearch(w, [](HWND d) {
    HWND filter = GetDlgItem(d, rn::TFormSearch::IdComboBox1);
    SendMessageW(filter, CB_SETCURSEL, 5, 0);  // "*.txt"
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(rn::TFormSearch::IdComboBox1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(filter));
    SendMessageW(GetDlgItem(d, rn::TFormSearch::IdButton3), BM_CLICK, 0, 0);  // "Cancel"
  });
  EXPECT_EQ(w.Text(rn::IdComboBox1), L"*.txt");
  EXPECT_EQ(w.form->fileList.EntryCount(), 2) << "Cancel adds nothing";
}
