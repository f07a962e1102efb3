#include "core/MainMenus_win.h"
#include "base/Handle_win.h"

#include <span>
#include <string>

namespace rn {

namespace {

// One item of a menu: a command, a separator (id 0) or a sub-menu (`sub`).
struct Entry {
  int id;
  TextId text;
  std::span<const Entry> sub = {};
};
constexpr Entry kSeparator{0, TextId::Count};

constexpr Entry kSortBy[] = {{IdPopSortbyName1, TextId::PopSortbyName1},
                             {IdPopSortbyDate1, TextId::PopSortbyDate1},
                             {IdPopSortbyType1, TextId::PopSortbyType1},
                             {IdPopSortbyTaken1, TextId::PopSortbyTaken1}};

constexpr Entry kListMenu[] = {{IdPopRemoveFile1, TextId::PopRemoveFile1},
                               {IdPopAddFiles1, TextId::PopAddFiles1},
                               {-1, TextId::PopSortFiles1, kSortBy},
                               kSeparator,
                               {IdPopCheckFiles1, TextId::PopCheckFiles1},
                               {IdPopUnCheckFiles1, TextId::PopUnCheckFiles1},
                               {IdPopSelectAll1, TextId::PopSelectAll1},
                               kSeparator,
                               {IdPopClearList1, TextId::PopClearList1},
                               kSeparator,
                               {IdPopGetFileDate1, TextId::PopGetFileDate1},
                               {IdPopGetFileAttr1, TextId::PopGetFileAttr1},
                               kSeparator,
                               {IdPopCharPosit1, TextId::PopCharPosit1},
                               kSeparator,
                               {IdPopInfoPanel1, TextId::PopFileInfo5}};

constexpr Entry kInfoMenu[] = {{IdPopFileInfo5, TextId::PopFileInfo5}, kSeparator, {IdPopCopy5, TextId::PopCopy5}};

constexpr Entry kSettingsMenu[] = {{IdPopStayonTop2, TextId::PopStayonTop2},
                                   {IdPopExplorerContMenu2, TextId::PopExplorerContMenu2},
                                   {IdPopSendToExt2, TextId::PopSendToExt2},
                                   {IdPopOptions2, TextId::PopOptions2},
                                   kSeparator,
                                   {IdPopFileInfo2, TextId::PopFileInfo2},
                                   {IdPopHideMenu2, TextId::PopHideMenu2},
                                   {IdPopPreview2, TextId::PopPreview2},
                                   kSeparator,
                                   {IdPopHelp2, TextId::PopHelp2},
                                   kSeparator,
                                   {IdPopDonate2, TextId::PopDonate2},
                                   {IdPopLikeProgram2, TextId::PopLikeProgram2},
                                   {IdPopAbout2, TextId::PopAbout2}};

constexpr Entry kEditMenu[] = {{IdPopCut3, TextId::PopCut3},
                               {IdPopCopy3, TextId::PopCopy3},
                               {IdPopPaste3, TextId::PopPaste3},
                               {IdPopDelete3, TextId::PopDelete3},
                               kSeparator,
                               {IdPopSelectAll3, TextId::PopSelectAll3}};

// The main menu's items take the captions of their pop-up twins.
constexpr Entry kMenuSortBy[] = {{IdMenuSortbyName, TextId::PopSortbyName1},
                                 {IdMenuSortbyDate, TextId::PopSortbyDate1},
                                 {IdMenuSortbyType, TextId::PopSortbyType1},
                                 {IdMenuSortbyTaken, TextId::PopSortbyTaken1}};

constexpr Entry kFilesMenu[] = {{IdMenuAddFiles, TextId::MenuAddFiles},
                                {IdMenuSearchFiles, TextId::MenuSearchFiles},
                                kSeparator,
                                {-1, TextId::PopSortFiles1, kMenuSortBy},
                                {IdMenuRemovefiles, TextId::MenuRemovefiles},
                                kSeparator,
                                {IdMenuRenamefiles, TextId::MenuRenamefiles},
                                {IdMenuUndolastrenames, TextId::MenuUndolastrenames},
                                {IdMenuClearlistoffiles, TextId::MenuClearlistoffiles},
                                kSeparator,
                                {IdMenuGetfileDate, TextId::PopGetFileDate1},
                                {IdMenuGetfileAttr, TextId::PopGetFileAttr1},
                                {IdMenuCharposition, TextId::PopCharPosit1},
                                kSeparator,
                                {IdMenuExit, TextId::MenuExit}};

constexpr Entry kOptionsMenu[] = {{IdMenuOptions, TextId::PopOptions2},
                                  {IdMenuStayonTop, TextId::PopStayonTop2},
                                  kSeparator,
                                  {IdMenuFileInfo, TextId::PopFileInfo5},
                                  {IdMenuHideMenu, TextId::MenuHideMenu},
                                  {IdMenuPreview, TextId::PopPreview2},
                                  kSeparator,
                                  {IdMenuAddContextmenu, TextId::PopExplorerContMenu2},
                                  {IdMenuCreateSendto, TextId::PopSendToExt2},
                                  kSeparator,
                                  {IdMenuCreateScript, TextId::MenuCreateScript},
                                  kSeparator,
                                  {IdMenuRenameforCD, TextId::MenuRenameforCD}};

constexpr Entry kHelpMenu[] = {{IdMenuMorvanesHelp, TextId::MenuMorvanesHelp},
                               kSeparator,
                               {IdMenuSoftwareNews, TextId::MenuSoftwareNews},
                               {IdMenuLikeprogram, TextId::PopLikeProgram2},
                               {IdMenuCheckVersions, TextId::MenuCheckVersions},
                               kSeparator,
                               {IdMenuDonate, TextId::PopDonate2},
                               {IdMenuAbout, TextId::PopAbout2}};

// The main menu's top line; the "Rename(rs)" menu is made elsewhere (-2).
constexpr Entry kMainMenu[] = {{-1, TextId::MenuFiles, kFilesMenu},
                               {-2, TextId::MenuRenamers},
                               {-1, TextId::MenuTools, kOptionsMenu},
                               {-1, TextId::MenuHelp, kHelpMenu}};

void Fill(HMENU menu, std::span<const Entry> entries, HMENU renamers) {
  for (const Entry& e : entries) {
    if (e.id == 0) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (e.id < 0) {
      HMENU sub = e.id == -2 ? renamers : CreatePopupMenu();
      if (e.id == -1) Fill(sub, e.sub, renamers);
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Text(e.text).c_str());
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(e.id), Text(e.text).c_str());
    }
  }
}

HMENU Build(std::span<const Entry> entries, bool bar = false, HMENU renamers = nullptr) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  Fill(menu, entries, renamers);
  return menu;
}

void Retext(HMENU menu, std::span<const Entry> entries) {
  for (UINT pos = 0; pos < entries.size(); ++pos) {
    const Entry& e = entries[pos];
    if (e.id == 0) continue;
    const std::wstring text = Text(e.text);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, pos, TRUE, &mii);
    if (e.id == -1) Retext(GetSubMenu(menu, static_cast<int>(pos)), e.sub);
  }
}

const Entry* Find(std::span<const Entry> entries, int id) {
  for (const Entry& e : entries) {
    if (e.id == id) return &e;
    if (const Entry* inner = Find(e.sub, id)) return inner;
  }
  return nullptr;
}

}  // namespace

WindowMenus CreateMenus(HMENU renamers) {
  WindowMenus m;
  m.main = Build(kMainMenu, true, renamers);
  m.files = GetSubMenu(m.main, 0);
  m.options = GetSubMenu(m.main, 2);
  m.settings = Build(kSettingsMenu);
  m.list = Build(kListMenu);
  m.edit = Build(kEditMenu);
  m.info = Build(kInfoMenu);
  return m;
}

void DestroyMenus(WindowMenus& menus, bool mainMenuShown) {
  // A menu set on a window goes with it; one taken off must be freed here.
  for (HMENU menu : {mainMenuShown ? nullptr : menus.main, menus.settings, menus.list, menus.edit, menus.info}) {
    MenuHandle owned(menu);  // freed as it goes
  }
  menus = WindowMenus{};
}

void RetextMenus(const WindowMenus& menus) {
  Retext(menus.main, kMainMenu);
  Retext(menus.settings, kSettingsMenu);
  Retext(menus.list, kListMenu);
  Retext(menus.edit, kEditMenu);
  Retext(menus.info, kInfoMenu);
}

TextId MenuText(int id) {
  for (std::span<const Entry> menu :
       {std::span<const Entry>(kMainMenu), std::span<const Entry>(kSettingsMenu), std::span<const Entry>(kListMenu),
        std::span<const Entry>(kEditMenu), std::span<const Entry>(kInfoMenu)})
    if (const Entry* e = Find(menu, id)) return e->text;
  return TextId::Count;
}

void AppendSystemMenuEntries(HWND window) {
  HMENU system = GetSystemMenu(window, FALSE);
  if (!system) return;
  struct SystemEntry {
    int id;
    TextId text;
  };
  constexpr SystemEntry kEntries[] = {{0, TextId::Count},
                                      {IdSysStayOnTop, TextId::PopStayonTop2},
                                      {IdSysExplorer, TextId::PopExplorerContMenu2},
                                      {IdSysSendTo, TextId::PopSendToExt2},
                                      {IdSysOptions, TextId::PopOptions2},
                                      {0, TextId::Count},
                                      {IdSysHelp, TextId::PopHelp2},
                                      {0, TextId::Count},
                                      {IdSysLikeProgram, TextId::PopLikeProgram2},
                                      {IdSysAbout, TextId::PopAbout2}};
  for (const SystemEntry& e : kEntries) {
    if (e.id == 0)
      AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(system, MF_STRING, static_cast<UINT_PTR>(e.id), Text(e.text).c_str());
  }
}

}  // namespace rn
