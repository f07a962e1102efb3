// The options dialog over the real main window: what it shows, what "ok"
// writes and the main window takes at once, and what cancel leaves alone.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "base/SettingsFile.h"
#include "dialogs/FormOption_win.h"
#include "support/ModalScript_win.h"
#include "support/WindowHarness_win.h"

using namespace rntest;
using Ids = rn::TFormOption;

namespace {

struct OptionsDialog : ::testing::Test {
  TempFolder folder;
  std::unique_ptr<MainWindow> w;

  void Open(const std::string& ini = "") {
    if (!ini.empty()) folder.WriteIni(ini);
    w = std::make_unique<MainWindow>(folder);
  }
  rn::TFormOption& Dialog() const { return *w->form->formOption; }
  HWND C(int id) const { return Dialog().Control(id); }
  std::wstring Text(int id) const { return rn::WindowText(C(id)); }
  bool Checked(int id) const { return rn::IsChecked(C(id)); }
  int DatePosition() const { return GetScrollPos(C(Ids::IdScrollBar8), SB_CTL); }

  // Shows the dialog and plays the steps in it; the last step closes it.
  void Show(std::vector<std::function<void()>> steps) {
    ModalScript script(std::move(steps));
    w->form->ShowOptions();
  }
  void Click(int id) { SendMessageW(C(id), BM_CLICK, 0, 0); }
  void Arrow(int code) {
    SendMessageW(Dialog().hwnd, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(C(Ids::IdScrollBar8)));
  }
  void PickLanguage(int index) { SendMessageW(C(Ids::IdComboBox1), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
  std::wstring Stored(const wchar_t* key) const {
    return rn::SettingsFile(folder.Ini()).ReadString(L"Options", key, L"<none>");
  }
  bool Topmost() const { return (GetWindowLongPtrW(w->Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  // Whether some tooltip of the thread speaks for the control.
  bool HasHint(HWND control) const { return rntest::TooltipFor(w->Hwnd(), control) != nullptr; }
  // The hints are made when the mouse first comes over the window.
  bool RadioHinted() const {
    w->MouseComes();
    return HasHint(w->Control(rn::RadioId(1)));
  }
};

TEST_F(OptionsDialog, OkWritesEveryKeyAndTheMainWindowTakesThemAtOnce) {
  Open();
  ASSERT_TRUE(RadioHinted());
  Show({[&] {
    EXPECT_TRUE(IsWindowVisible(Dialog().hwnd));
    EXPECT_FALSE(IsWindowEnabled(w->Hwnd())) << "the main window rests while the dialog is up";
    EXPECT_FALSE(Checked(Ids::IdCheckBox1));
    EXPECT_TRUE(Checked(Ids::IdCheckBox2));
    EXPECT_TRUE(Checked(Ids::IdCheckBox9));
    EXPECT_FALSE(Checked(Ids::IdCheckBox5));
    EXPECT_EQ(Text(Ids::IdComboBox1), L"English");
    for (int id : {Ids::IdCheckBox1, Ids::IdCheckBox2, Ids::IdCheckBox3, Ids::IdCheckBox4, Ids::IdCheckBox9,
                   Ids::IdCheckBox5, Ids::IdCheckBox7})
      Click(id);
    Arrow(SB_LINEDOWN);
    Click(Ids::IdButtonOk);
  }});
  const std::pair<const wchar_t*, const wchar_t*> stored[] = {
      {L"Language", L"English"}, {L"WindowPosition", L"1"}, {L"WindowSize", L"0"},
      {L"StayOnTop", L"1"},      {L"DateType", L"2"},       {L"LastSelection", L"1"},
      {L"RenamingHints", L"0"},  {L"ShowMenus", L"0"},      {L"ShowFileInfo", L"1"}};
  for (auto [key, value] : stored) EXPECT_EQ(Stored(key), value) << rntest::Narrow(key);
  EXPECT_TRUE(w->form->settingsFile->ReadBool(L"Options", L"StayOnTop", false)) << "the main window's handle sees it";

  EXPECT_TRUE(IsWindowEnabled(w->Hwnd()));
  EXPECT_TRUE(w->form->stayOnTop);
  EXPECT_TRUE(Topmost());
  EXPECT_EQ(SendMessageW(w->Control(rn::IdSpeedButton3), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(w->form->dateTypeSetting, rn::DateCreated);
  EXPECT_TRUE(w->form->infoPanelOpen);
  EXPECT_FALSE(w->form->showMenus);
  EXPECT_FALSE(RadioHinted());
  EXPECT_TRUE(w->form->panel->Shown());

  // Switched back: the panel closes, the window leaves the topmost band, hints return.
  Show({[&] {
    EXPECT_TRUE(Checked(Ids::IdCheckBox7));
    EXPECT_EQ(Text(Ids::IdEdit8), L"Creation date");
    for (int id : {Ids::IdCheckBox3, Ids::IdCheckBox9, Ids::IdCheckBox7}) Click(id);
    Click(Ids::IdButtonOk);
  }});
  EXPECT_FALSE(w->form->infoPanelOpen);
  EXPECT_FALSE(Topmost());
  EXPECT_TRUE(RadioHinted());
  EXPECT_EQ(Stored(L"ShowFileInfo"), L"0");
}

TEST_F(OptionsDialog, CancelAndTheCloseButtonLeaveEverythingAsItWas) {
  Open("[Options]\r\nLanguage=English\r\nStayOnTop=0\r\nDateType=1\r\n");
  const std::string before = folder.ReadIni();
  auto changeEverything = [&] {
    for (int id : {Ids::IdCheckBox1, Ids::IdCheckBox2, Ids::IdCheckBox3, Ids::IdCheckBox4, Ids::IdCheckBox9,
                   Ids::IdCheckBox5, Ids::IdCheckBox7})
      Click(id);
    Arrow(SB_LINEUP);
    PickLanguage(1);
  };
  Show({[&] {
    changeEverything();
    Click(Ids::IdButtonCancel);
  }});
  Show({[&] {
    changeEverything();
    PostMessageW(Dialog().hwnd, WM_CLOSE, 0, 0);
  }});
  Show({[&] {
    changeEverything();
    SendMessageW(Dialog().hwnd, WM_COMMAND, IDCANCEL, 0);  // Esc
  }});
  EXPECT_EQ(folder.ReadIni(), before);
  EXPECT_FALSE(Topmost());
  EXPECT_FALSE(w->form->infoPanelOpen);
  EXPECT_EQ(w->form->dateTypeSetting, rn::DateModified);
  EXPECT_TRUE(RadioHinted());
}

TEST_F(OptionsDialog, TheDateKindCyclesBetweenItsTwoNames) {
  const struct {
    const char* stored;
    int position;
    const wchar_t* name;
  } cases[] = {{"3", 1, L"Modified date"},  {"0", 2, L"Creation date"}, {"9", 1, L"Modified date"},
               {"-4", 2, L"Creation date"}, {"2", 2, L"Creation date"}, {"x", 1, L"Modified date"}};
  Open();
  for (const auto& c : cases) {
    w->form->settingsFile->WriteString(L"Options", L"DateType", std::wstring(c.stored, c.stored + strlen(c.stored)));
    Show({[&] {
      EXPECT_EQ(DatePosition(), c.position) << c.stored;
      EXPECT_EQ(Text(Ids::IdEdit8), c.name) << c.stored;
      Click(Ids::IdButtonCancel);
    }});
  }
  // Either arrow turns one kind into the other; a stored 3 is written back as 1.
  w->form->settingsFile->WriteString(L"Options", L"DateType", L"3");
  Show({[&] {
    const struct {
      int code, position;
      const wchar_t* name;
    } steps[] = {{SB_LINEDOWN, 2, L"Creation date"},
                 {SB_LINEDOWN, 1, L"Modified date"},
                 {SB_LINEUP, 2, L"Creation date"},
                 {SB_LINEUP, 1, L"Modified date"}};
    for (const auto& s : steps) {
      Arrow(s.code);
      EXPECT_EQ(DatePosition(), s.position);
      EXPECT_EQ(Text(Ids::IdEdit8), s.name);
    }
    Click(Ids::IdButtonOk);
  }});
  EXPECT_EQ(Stored(L"DateType"), L"1");
}

// The dialog's own texts follow the stored language at every showing, and
// both languages lay out: nothing leaves the dialog or overlaps.
TEST_F(OptionsDialog, ItsTextsFollowTheStoredLanguageAtEveryShowing) {
  Open();
  auto expectLaidOut = [&] {
    ExpectLaidOut(Dialog().hwnd, {Ids::IdCheckBox1, Ids::IdCheckBox2, Ids::IdCheckBox3, Ids::IdLabel2, Ids::IdCheckBox4,
                                  Ids::IdCheckBox9, Ids::IdCheckBox6, Ids::IdCheckBox5, Ids::IdCheckBox7, Ids::IdLabel1,
                                  Ids::IdComboBox1, Ids::IdButtonOk, Ids::IdButtonCancel});
    ExpectLaidOut(Dialog().hwnd, {Ids::IdCheckBox3, Ids::IdEdit8, Ids::IdCheckBox4}, {});
    // The date kind's box stands in the blanks between the label's words.
    const std::wstring label = Text(Ids::IdLabel2);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(C(Ids::IdLabel2), WM_GETFONT, 0, 0));
    const RECT lr = rn::ControlBounds(C(Ids::IdLabel2)), er = rn::ControlBounds(C(Ids::IdEdit8));
    const size_t firstBlank = label.find(L' '), tail = label.find_first_not_of(L' ', firstBlank);
    EXPECT_GE(er.left, lr.left + rn::DrawnWidth(font, label.substr(0, firstBlank)));
    EXPECT_LE(er.right, lr.left + rn::TextWidth(font, label.substr(0, tail)));
    // The client area ends 5 pixels right of and 6 below "cancel".
    RECT client{};
    GetClientRect(Dialog().hwnd, &client);
    const RECT cancel = rn::ControlBounds(C(Ids::IdButtonCancel));
    EXPECT_EQ(client.right, cancel.right + w->form->dpi.Scale(5));
    EXPECT_EQ(client.bottom, cancel.bottom + w->form->dpi.Scale(6));
  };
  Show({[&] {
    EXPECT_EQ(rn::WindowText(Dialog().hwnd), L"Options");
    EXPECT_EQ(Text(Ids::IdCheckBox1), L"Save window's position");
    EXPECT_EQ(Dialog().Hint(Ids::IdCheckBox1), L" Remembers window's position between uses ");
    EXPECT_EQ(Dialog().Hint(Ids::IdEdit8), L" Date/time type to use for renaming/moding files ");
    EXPECT_EQ(Dialog().Hint(Ids::IdLabel2), Dialog().Hint(Ids::IdEdit8));
    EXPECT_EQ(Text(Ids::IdLabel1), L"Choose language");
    EXPECT_EQ(Text(Ids::IdButtonOk), L"ok");
    EXPECT_EQ(Text(Ids::IdButtonCancel), L"cancel");
    EXPECT_FALSE(IsWindowEnabled(C(Ids::IdCheckBox6)));
    EXPECT_FALSE(Checked(Ids::IdCheckBox6));
    expectLaidOut();
    PickLanguage(1);
    Click(Ids::IdButtonOk);
  }});
  EXPECT_EQ(Stored(L"Language"), L"Portuguese");
  EXPECT_EQ(w->Text(rn::IdButton2), L"&Renomear ...") << "the main window speaks it at once";
  Show({[&] {
    EXPECT_EQ(Dialog().TextLanguage(), rn::Language::Portuguese);
    EXPECT_EQ(Text(Ids::IdCheckBox1), L"Lembrar posi\u00e7\u00e3o da janela");
    EXPECT_EQ(Text(Ids::IdCheckBox5), L"N\u00e3o mostrar menu principal");
    EXPECT_EQ(Dialog().Hint(Ids::IdEdit8), L" Tipe de data/hora a usar para renomear arquivos ");
    EXPECT_EQ(Text(Ids::IdLabel2).substr(0, 5), L"Usar ");
    EXPECT_EQ(Text(Ids::IdEdit8), L"Modified date");
    EXPECT_EQ(Text(Ids::IdComboBox1), L"Portuguese");
    expectLaidOut();
    Click(Ids::IdButtonCancel);
  }});
  // A name in other letters selects its item but applies no table: the texts stay.
  w->form->settingsFile->WriteString(L"Options", L"Language", L"english");
  Show({[&] {
    EXPECT_EQ(Text(Ids::IdComboBox1), L"English");
    EXPECT_EQ(Text(Ids::IdCheckBox1), L"Lembrar posi\u00e7\u00e3o da janela");
    Click(Ids::IdButtonCancel);
  }});
  w->form->settingsFile->WriteString(L"Options", L"Language", L"Klingon");
  Show({[&] {
    EXPECT_EQ(SendMessageW(C(Ids::IdComboBox1), CB_GETCURSEL, 0, 0), CB_ERR);
    Click(Ids::IdButtonOk);
  }});
  EXPECT_EQ(Stored(L"Language"), L"Klingon") << "no language chosen, none written";
}

}  // namespace
