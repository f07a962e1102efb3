// The main window in the language of the settings: captions, menus, the
// panel's selectors and the messages, and what an unknown setting does.
#include <windows.h>

#include "base/Texts.h"
#include "core/MainMenus_win.h"
#include "core/OperationPanel_win.h"
#include "support/WindowHarness_win.h"

using namespace rntest;

namespace {

std::wstring MenuItemText(HMENU menu, int id) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, static_cast<UINT>(id), text, 128, MF_BYCOMMAND);
  return text;
}

struct LanguageCase {
  const char* setting;
  const wchar_t* renameButton;
  const wchar_t* chooseOption;
  const wchar_t* numbering;  // the numbering selector at position 6
  const wchar_t* exitItem;
};

}  // namespace

TEST(Language, TheSettingPicksTheTextsOfTheWindowTheMenusAndTheMessages) {
  const LanguageCase cases[] = {
      {"Portuguese", L"&Renomear ...", L"Escolha uma Op\u00e7\u00e3o primeiro !", L"( n\u00ba + nome + ext.)",
       L"Sai&r"},
      {"English", L"&Rename Files ...", L"Please choose an Option !", L"( ## + name + ext.)", L"E&xit"},
      // Neither name: no table applies, and nothing comes up blank.
      {"english", L"&Rename Files ...", L"Please choose an Option !", L"( ## + name + ext.)", L"E&xit"},
  };
  for (const LanguageCase& c : cases) {
    rn::SetShownLanguage(rn::Language::English);
    TempFolder folder;
    folder.WriteIni(std::string("[Options]\r\nLanguage=") + c.setting + "\r\n");
    MainWindow w(folder);
    EXPECT_EQ(w.Text(rn::IdButton2), c.renameButton) << c.setting;
    EXPECT_EQ(w.Text(rn::IdEdit8), c.numbering) << c.setting;
    EXPECT_EQ(MenuItemText(GetMenu(w.Hwnd()), rn::IdMenuExit), c.exitItem) << c.setting;
    EXPECT_FALSE(w.Text(rn::IdButton1).empty());
    w.form->AddRow(folder.Folder() + L"a.txt", false);
    w.form->ListChanged();
    ScriptedDialogs dialogs;
    dialogs.Expect(c.chooseOption);
    w.Click(rn::IdButton2);
  }
  rn::SetShownLanguage(rn::Language::English);
}

TEST(Language, TheSystemMenuAndTheWindowMenuCarryTheirEntries) {
  TempFolder folder;
  MainWindow w(folder);
  HMENU system = GetSystemMenu(w.Hwnd(), FALSE);
  EXPECT_EQ(MenuItemText(system, rn::IdSysStayOnTop), L"Stay on &Top ...");
  EXPECT_EQ(MenuItemText(system, rn::IdSysAbout), L"&About ...");
  // Stay on top from the system menu: the window, the button and both menus follow.
  SendMessageW(w.Hwnd(), WM_SYSCOMMAND, rn::IdSysStayOnTop, 0);
  EXPECT_TRUE(GetWindowLongPtrW(w.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(SendMessageW(w.Control(rn::IdSpeedButton3), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(GetMenuState(system, rn::IdSysStayOnTop, MF_BYCOMMAND) & MF_CHECKED);
  w.Command(rn::IdMenuStayonTop);
  EXPECT_FALSE(GetWindowLongPtrW(w.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Hiding the main menu takes it off the window and back.
  w.Command(rn::IdMenuHideMenu);
  EXPECT_EQ(GetMenu(w.Hwnd()), nullptr);
  w.Command(rn::IdPopHideMenu2);
  EXPECT_NE(GetMenu(w.Hwnd()), nullptr);
}

TEST(Language, TheFilesMenuLetsNothingActOnAnEmptyList) {
  TempFolder folder;
  MainWindow w(folder);
  HMENU files = GetSubMenu(GetMenu(w.Hwnd()), 0);
  SendMessageW(w.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(files), 0);
  for (int id : {rn::IdMenuRemovefiles, rn::IdMenuRenamefiles, rn::IdMenuClearlistoffiles, rn::IdMenuUndolastrenames})
    EXPECT_TRUE(GetMenuState(files, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) << id;
  w.form->AddRow(folder.Folder() + L"a.txt", false);
  w.form->ListChanged();
  SendMessageW(w.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(files), 0);
  EXPECT_FALSE(GetMenuState(files, rn::IdMenuRenamefiles, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(files, rn::IdMenuUndolastrenames, MF_BYCOMMAND) & MF_GRAYED) << "nothing to undo yet";
}

TEST(Language, SwitchingBackAndForthGivesEveryCaptionAndMenuItsText) {
  TempFolder folder;
  MainWindow w(folder);
  const rn::WindowMenus& menus = w.form->Menus();
  for (rn::Language language :
       {rn::Language::Portuguese, rn::Language::English, rn::Language::Portuguese, rn::Language::English}) {
    w.form->ApplyLanguage(language == rn::Language::English ? L"English" : L"Portuguese");
    const char* which = language == rn::Language::English ? "English" : "Portuguese";
    for (auto [id, text] :
         {std::pair{rn::IdButton2, rn::TextId::Button2}, std::pair{rn::IdButton4, rn::TextId::Button4},
          std::pair{rn::IdButton5, rn::TextId::Button5}, std::pair{rn::IdButton10, rn::TextId::Button10},
          std::pair{rn::IdLabelFileTypes, rn::TextId::Label2}, std::pair{rn::IdButton1, rn::TextId::Button1Add}})
      EXPECT_EQ(w.Text(id), rn::Text(text, language)) << which << " " << id;
    for (int op : rn::kPanelOperations)
      EXPECT_EQ(w.form->panel->RadioCaption(op), rn::OperationCaption(op, language)) << which << " operation " << op;
    int items = 0;
    for (int id = rn::IdPopRemoveFile1; id <= rn::IdMenuLast; ++id) {
      for (HMENU menu : {menus.main, menus.settings, menus.list, menus.edit, menus.info}) {
        if (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
        EXPECT_EQ(MenuItemText(menu, id), rn::Text(rn::MenuText(id), language)) << which << " item " << id;
        ++items;
        break;
      }
    }
    EXPECT_EQ(items, rn::IdMenuLast - rn::IdPopRemoveFile1 + 1) << "every item stands in a menu";
  }
}
