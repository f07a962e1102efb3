// The search dialog over a stand-in main window: what it shows, what it asks
// the main window to do, and how it closes. The test plays the user from
// inside the dialog's own modal loop, one step per timer tick.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/FormSearch_win.h"
#include "support/UiHarness_win.h"
#include "ui/SoftButt_win.h"

namespace {

using rntest::Pump;
using rntest::ScriptedDialogs;
using Ids = rn::TFormSearch;

// Steps run in order inside whatever message loop is running; a step's posted
// messages are handled before the next step (timer messages come last).
std::deque<std::function<void()>>& Steps() {
  static std::deque<std::function<void()>> steps;
  return steps;
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (Steps().empty()) return;
  std::function<void()> step = std::move(Steps().front());
  Steps().pop_front();
  step();
  if (!Steps().empty()) SetTimer(nullptr, 0, 1, RunStep);
}

HWND g_dialog = nullptr;

// A dialog that nobody closes would hang the suite: close it and fail.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  ADD_FAILURE() << "the dialog was still open; steps left: " << Steps().size();
  Steps().clear();
  if (g_dialog) PostMessageW(g_dialog, WM_CLOSE, 0, 0);
}

struct SearchCall {
  std::wstring folder;
  bool recursive = false;
  bool controlsDisabled = false;
  bool dialogVisible = false;
  bool waitCursor = false;
};

struct SearchDialog : ::testing::Test {
  ScriptedDialogs dialogs;
  HWND owner = nullptr;
  std::unique_ptr<rn::TFormSearch> form;

  // The stand-in main window's state and what the dialog did to it.
  std::vector<std::wstring> masks{L"*.*", L"*.jpg", L"*.txt"};
  std::wstring typeFilter = L"*.jpg";
  std::wstring lastFolder = L"C:\\Photos";
  std::wstring filterLabel = L"< Filter files by...";
  std::vector<int> selectedFilters;
  std::vector<SearchCall> searches;
  std::vector<UINT> keysReleased;
  std::function<void()> duringSearch;

  void SetUp() override {
    owner = CreateWindowExW(0, L"STATIC", L"main window", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    rn::SearchHost host;
    host.masks = [this] { return masks; };
    host.typeFilter = [this] { return typeFilter; };
    host.selectFilter = [this](int index) { selectedFilters.push_back(index); };
    host.lastFolder = [this] { return lastFolder; };
    host.filterLabel = [this] { return filterLabel; };
    host.search = [this](const std::wstring& folder, bool recursive) {
      SearchCall call{folder, recursive, true, IsWindowVisible(form->hwnd) != FALSE,
                      GetCursor() == LoadCursorW(nullptr, IDC_WAIT)};
      for (int id : {Ids::IdButton1, Ids::IdButton2, Ids::IdButton3, Ids::IdComboBox1, Ids::IdCheckBox1})
        if (IsWindowEnabled(C(id))) call.controlsDisabled = false;
      searches.push_back(call);
      if (duringSearch) duringSearch();
    };
    host.keyReleased = [this](HWND dialog, UINT key) {
      if (dialog == form->hwnd) keysReleased.push_back(key);
    };
    form = std::make_unique<rn::TFormSearch>(std::move(host));
    ASSERT_TRUE(form->Create(owner));
    g_dialog = form->hwnd;
  }
  void TearDown() override {
    Steps().clear();
    form.reset();
    g_dialog = nullptr;
    DestroyWindow(owner);
    Pump();
  }

  HWND C(int id) const { return form->Control(id); }
  std::wstring Text(int id) const { return rn::WindowText(C(id)); }
  std::wstring PathBox() const { return Text(Ids::IdEdit1); }
  bool Recursive() const { return SendMessageW(C(Ids::IdCheckBox1), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  int FilterIndex() const { return static_cast<int>(SendMessageW(C(Ids::IdComboBox1), CB_GETCURSEL, 0, 0)); }

  // Shows the dialog and plays the steps in it; the last step should close it.
  bool Show(std::vector<std::function<void()>> steps, int x = 40, int y = 40) {
    for (auto& s : steps) Steps().push_back(std::move(s));
    SetTimer(nullptr, 0, 1, RunStep);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 20000, Watchdog);
    const bool ok = form->ShowModal(owner, x, y);
    KillTimer(nullptr, watchdog);
    EXPECT_TRUE(Steps().empty()) << "steps left after the dialog closed";
    Steps().clear();
    return ok;
  }

  // What the user does.
  void Click(int id) { SendMessageW(C(id), BM_CLICK, 0, 0); }
  void ClickFolderButton() {
    HWND b = C(Ids::IdButton1);
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  void PickFilter(int index) {
    HWND combo = C(Ids::IdComboBox1);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(form->hwnd, WM_COMMAND, MAKEWPARAM(Ids::IdComboBox1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
  void CheckRecursive() { Click(Ids::IdCheckBox1); }
  // A key pressed and released on the focused control, through the message queue.
  void Key(UINT vk) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, vk, 1);
    PostMessageW(focus, WM_KEYUP, vk, 0xC0000001);
  }
};

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

TEST_F(SearchDialog, IsBuiltHiddenWithItsTextsHintsAndFolderButton) {
  EXPECT_FALSE(IsWindowVisible(form->hwnd));
  EXPECT_EQ(rn::WindowText(form->hwnd), L"  Search for files ...");
  EXPECT_EQ(Text(Ids::IdLabelPath), L"> Search path ...");
  EXPECT_EQ(Text(Ids::IdCheckBox1), L"Recursive search");
  EXPECT_EQ(Text(Ids::IdButton2), L"Go find ...");
  EXPECT_EQ(Text(Ids::IdButton3), L"Cancel");
  EXPECT_EQ(Text(Ids::IdButton1), L"...");
  EXPECT_EQ(form->Hint(Ids::IdComboBox1), L" file types to load in morvane ...");
  EXPECT_EQ(form->Hint(Ids::IdButton1), L" Folder tree.. ");

  const LONG_PTR editStyle = GetWindowLongPtrW(C(Ids::IdEdit1), GWL_STYLE);
  EXPECT_TRUE(editStyle & ES_READONLY);
  EXPECT_TRUE(editStyle & ES_LOWERCASE);
  EXPECT_EQ(GetWindowLongPtrW(C(Ids::IdComboBox1), GWL_STYLE) & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST);

  HWND folder = C(Ids::IdButton1);
  EXPECT_TRUE(rn::SoftButtBorder(folder));
  EXPECT_FALSE(rn::SoftButtTransparent(folder));
  HDC screen = GetDC(nullptr);
  const rn::Dpi dpi{GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  RECT fr = rn::ControlBounds(folder);
  EXPECT_EQ(fr.right - fr.left, dpi.Scale(17));
  EXPECT_EQ(fr.bottom - fr.top, dpi.Scale(18));

  // A fixed-size frame around the designed client area.
  RECT client{};
  GetClientRect(form->hwnd, &client);
  EXPECT_EQ(client.right, dpi.Scale(367));
  EXPECT_EQ(client.bottom, dpi.Scale(88));
  EXPECT_EQ(GetWindowLongPtrW(form->hwnd, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
}

TEST_F(SearchDialog, ControlsLieInsideTheClientAreaWithoutOverlapping) {
  Show({[&] { Click(Ids::IdButton3); }});  // shown once, so the texts have sized their controls
  RECT client{};
  GetClientRect(form->hwnd, &client);
  std::vector<std::pair<int, RECT>> boxes;
  for (int id = Ids::IdComboBox1; id <= Ids::IdButton3; ++id) boxes.emplace_back(id, rn::ControlBounds(C(id)));
  for (size_t i = 0; i < boxes.size(); ++i) {
    const RECT& a = boxes[i].second;
    EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= client.right && a.bottom <= client.bottom)
        << "control " << boxes[i].first << " leaves the client area";
    EXPECT_GT(a.right - a.left, 0) << "control " << boxes[i].first << " has no width";
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      RECT both{};
      EXPECT_FALSE(IntersectRect(&both, &a, &boxes[j].second))
          << "controls " << boxes[i].first << " and " << boxes[j].first << " overlap";
    }
  }
}

TEST_F(SearchDialog, FirstShowTakesTheMasksTheTypeFilterAndTheLastFolder) {
  bool ownerDisabled = false, visible = false;
  HWND focus = nullptr;
  RECT place{};
  const bool ok = Show({[&] {
    ownerDisabled = !IsWindowEnabled(owner);
    visible = IsWindowVisible(form->hwnd) != FALSE;
    focus = GetFocus();
    GetWindowRect(form->hwnd, &place);
    EXPECT_EQ(ComboItems(C(Ids::IdComboBox1)), masks);
    EXPECT_EQ(FilterIndex(), 1);
    // The last folder lacks its backslash; the box still names that folder, in lower case.
    EXPECT_EQ(PathBox(), L"c:\\photos\\*.jpg");
    EXPECT_EQ(Text(Ids::IdLabelFilter), L"< Filter files by...");
    EXPECT_FALSE(Recursive());
    Click(Ids::IdButton3);
  }});
  EXPECT_FALSE(ok);
  EXPECT_TRUE(ownerDisabled) << "modal: the main window is disabled while the dialog is up";
  EXPECT_TRUE(visible);
  EXPECT_EQ(focus, C(Ids::IdEdit1)) << "the focus starts in the search path box";
  EXPECT_EQ(place.left, 40);
  EXPECT_EQ(place.top, 40);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindowVisible(form->hwnd)) << "closing hides the dialog";
  EXPECT_TRUE(IsWindow(form->hwnd)) << "and keeps it for the next use";
  EXPECT_TRUE(searches.empty());
  EXPECT_TRUE(selectedFilters.empty()) << "showing selects nothing in the main window";
}

TEST_F(SearchDialog, LaterShowsKeepTheFolderAndTakeTheCurrentFilter) {
  dialogs.ExpectBrowse(L"D:\\New Folder");
  Show({[&] { ClickFolderButton(); }, [&] { Click(Ids::IdButton3); }});
  EXPECT_EQ(PathBox(), L"d:\\new folder\\*.jpg");

  // The main window moved on: other masks, filter and last folder.
  masks = {L"*.txt", L"*.mp3"};
  typeFilter = L"*.MP3";  // masks match whatever their case
  lastFolder = L"C:\\Elsewhere\\";
  Show({[&] {
    EXPECT_EQ(ComboItems(C(Ids::IdComboBox1)), masks);
    EXPECT_EQ(FilterIndex(), 1);
    EXPECT_EQ(PathBox(), L"d:\\new folder\\*.mp3");
    Click(Ids::IdButton3);
  }});

  // A filter the list does not hold selects nothing and leaves the bare folder.
  typeFilter = L"*.doc";
  Show({[&] {
    EXPECT_EQ(FilterIndex(), CB_ERR);
    EXPECT_EQ(PathBox(), L"d:\\new folder\\");
    Click(Ids::IdButton3);
  }});
}

TEST_F(SearchDialog, FilterChangeKeepsTheFolderAndSelectsTheSameItemInTheMainWindow) {
  Show({[&] {
    PickFilter(2);
    EXPECT_EQ(PathBox(), L"c:\\photos\\*.txt");
    PickFilter(0);
    EXPECT_EQ(PathBox(), L"c:\\photos\\*.*");
    Click(Ids::IdButton3);
  }});
  EXPECT_EQ(selectedFilters, (std::vector<int>{2, 0}));
  EXPECT_TRUE(searches.empty());
}

TEST_F(SearchDialog, GoFindSearchesTheBoxFolderWithTheRecursionAndReturnsTrue) {
  duringSearch = [&] { EXPECT_TRUE(form->Searching()); };
  EXPECT_TRUE(Show({[&] {
    CheckRecursive();
    Click(Ids::IdButton2);
  }}));
  ASSERT_EQ(searches.size(), 1u);
  EXPECT_EQ(searches[0].folder, L"C:\\Photos\\") << "the box shows lower case, the search keeps the spelling";
  EXPECT_TRUE(searches[0].recursive);
  EXPECT_TRUE(searches[0].controlsDisabled) << "folder button, both buttons, filter box and check box";
  EXPECT_TRUE(searches[0].dialogVisible);
  EXPECT_TRUE(searches[0].waitCursor);
  EXPECT_FALSE(form->Searching());
  for (int id : {Ids::IdButton1, Ids::IdButton2, Ids::IdButton3, Ids::IdComboBox1, Ids::IdCheckBox1})
    EXPECT_TRUE(IsWindowEnabled(C(id))) << "control " << id << " enabled again";

  // "Recursive search" is cleared each time the dialog is shown.
  EXPECT_TRUE(Show({[&] {
    EXPECT_FALSE(Recursive());
    Click(Ids::IdButton2);
  }}));
  ASSERT_EQ(searches.size(), 2u);
  EXPECT_FALSE(searches[1].recursive);
}

TEST_F(SearchDialog, CancelAndClosingSearchNothingAndReturnFalse) {
  EXPECT_FALSE(Show({[&] { Click(Ids::IdButton3); }}));
  EXPECT_FALSE(Show({[&] { PostMessageW(form->hwnd, WM_CLOSE, 0, 0); }}));
  EXPECT_FALSE(Show({[&] { Key(VK_ESCAPE); }}));
  EXPECT_TRUE(searches.empty());
}

TEST_F(SearchDialog, KeysMoveTheFocusEnterGoesFindingAndEveryReleaseIsReported) {
  std::vector<HWND> focus;
  std::vector<std::function<void()>> steps{[&] { Key(VK_TAB); }};
  for (int i = 0; i < 4; ++i)
    steps.push_back([&] {
      focus.push_back(GetFocus());
      Key(VK_TAB);
    });
  steps.push_back([&] {
    focus.push_back(GetFocus());
    Key(VK_RETURN);
  });
  EXPECT_TRUE(Show(steps));
  // The folder button and the labels take no focus.
  EXPECT_EQ(focus, (std::vector<HWND>{C(Ids::IdCheckBox1), C(Ids::IdButton2), C(Ids::IdButton3), C(Ids::IdComboBox1),
                                      C(Ids::IdEdit1)}));
  EXPECT_EQ(searches.size(), 1u) << "Enter in the path box is \"Go find ...\"";
  // Enter closed the dialog before its release arrived.
  EXPECT_EQ(keysReleased, (std::vector<UINT>{VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB}));

  // Enter on the focused "Cancel" cancels.
  EXPECT_FALSE(Show({[&] { Key(VK_TAB); }, [&] { Key(VK_TAB); }, [&] { Key(VK_TAB); },
                     [&] {
                       EXPECT_EQ(GetFocus(), C(Ids::IdButton3));
                       Key(VK_RETURN);
                     }}));
  EXPECT_EQ(searches.size(), 1u);
}

TEST_F(SearchDialog, BrowserStartsAtTheBoxFolderAndCancellingItKeepsTheFolder) {
  dialogs.ExpectBrowse(std::nullopt);
  dialogs.ExpectBrowse(L"D:\\Music");
  dialogs.ExpectBrowse(L"E:\\");
  dialogs.ExpectBrowse(L"");  // a pick with no file-system path
  EXPECT_TRUE(Show({[&] {
    PickFilter(2);
    ClickFolderButton();
    EXPECT_EQ(PathBox(), L"c:\\photos\\*.txt");
    ClickFolderButton();
    EXPECT_EQ(PathBox(), L"d:\\music\\*.txt");
    ClickFolderButton();
    EXPECT_EQ(PathBox(), L"e:\\*.txt");
    ClickFolderButton();
    EXPECT_EQ(PathBox(), L"e:\\*.txt");
    Click(Ids::IdButton2);
  }}));
  const auto& asked = dialogs.BrowseRequests();
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].title, L"Folder to start searching ...");
  EXPECT_EQ(asked[0].initialFolder, L"C:\\Photos\\");
  EXPECT_EQ(asked[1].initialFolder, L"C:\\Photos\\");
  EXPECT_EQ(asked[2].initialFolder, L"D:\\Music\\");
  EXPECT_EQ(asked[3].initialFolder, L"E:\\");
  ASSERT_EQ(searches.size(), 1u);
  EXPECT_EQ(searches[0].folder, L"E:\\");
}

TEST_F(SearchDialog, AFailedSearchIsReportedAndTheDialogStaysUsable) {
  dialogs.Expect(L"The device is not ready.");
  duringSearch = [] { throw rn::AppError{L"The device is not ready."}; };
  bool stillOpen = false, enabled = false;
  EXPECT_FALSE(Show({[&] { Click(Ids::IdButton2); },
                     [&] {
                       stillOpen = IsWindowVisible(form->hwnd) != FALSE;
                       enabled = IsWindowEnabled(C(Ids::IdButton2)) && IsWindowEnabled(C(Ids::IdComboBox1));
                       Click(Ids::IdButton3);
                     }}));
  EXPECT_EQ(searches.size(), 1u);
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(enabled);
}

TEST_F(SearchDialog, QuitDuringTheDialogEndsItAndReachesTheMainLoop) {
  EXPECT_FALSE(Show({[] { PostQuitMessage(7); }}));
  MSG m{};
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT posted again";
  EXPECT_EQ(m.wParam, 7u);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindowVisible(form->hwnd));
}

TEST_F(SearchDialog, AskedToShowOffTheScreenItShowsOnIt) {
  RECT place{};
  Show({[&] {
         GetWindowRect(form->hwnd, &place);
         Click(Ids::IdButton3);
       }},
       -5000, -5000);
  POINT corner{place.left, place.top};
  HMONITOR monitor = MonitorFromPoint(corner, MONITOR_DEFAULTTONULL);
  EXPECT_NE(monitor, nullptr) << "top-left corner at " << place.left << "," << place.top;
}

}  // namespace
