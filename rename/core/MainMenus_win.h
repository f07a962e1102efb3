// The main window's menus: the main menu (MainMenu1), the window's pop-up
// menu (PopupMenu2), the list's (PopupMenu1), the edit boxes' (PopupMenu3) and
// the information panel's (PopupMenu5), and the entries appended to the
// window's system menu. Each item's caption comes from the table of texts;
// applying a language gives every item its text again.
#pragma once
#include <windows.h>

#include "base/Texts.h"

namespace rn {

// Items of the pop-up menus, and the main menu's own.
enum MenuId : int {
  IdPopRemoveFile1 = 2000,
  IdPopAddFiles1,
  IdPopSortbyName1,
  IdPopSortbyDate1,
  IdPopSortbyType1,
  IdPopCheckFiles1,
  IdPopUnCheckFiles1,
  IdPopSelectAll1,
  IdPopClearList1,
  IdPopGetFileDate1,
  IdPopGetFileAttr1,
  IdPopCharPosit1,
  IdPopInfoPanel1,
  IdPopFileInfo5,
  IdPopCopy5,
  IdPopStayonTop2,
  IdPopExplorerContMenu2,
  IdPopSendToExt2,
  IdPopOptions2,
  IdPopFileInfo2,
  IdPopHideMenu2,
  IdPopHelp2,
  IdPopDonate2,
  IdPopLikeProgram2,
  IdPopAbout2,
  IdPopCut3,
  IdPopCopy3,
  IdPopPaste3,
  IdPopDelete3,
  IdPopSelectAll3,
  IdMenuAddFiles,
  IdMenuSearchFiles,
  IdMenuSortbyName,
  IdMenuSortbyDate,
  IdMenuSortbyType,
  IdMenuRemovefiles,
  IdMenuRenamefiles,
  IdMenuUndolastrenames,
  IdMenuClearlistoffiles,
  IdMenuGetfileDate,
  IdMenuGetfileAttr,
  IdMenuCharposition,
  IdMenuExit,
  IdMenuOptions,
  IdMenuStayonTop,
  IdMenuFileInfo,
  IdMenuHideMenu,
  IdMenuAddContextmenu,
  IdMenuCreateSendto,
  IdMenuCreateScript,
  IdMenuRenameforCD,
  IdMenuMorvanesHelp,
  IdMenuSoftwareNews,
  IdMenuLikeprogram,
  IdMenuCheckVersions,
  IdMenuDonate,
  IdMenuAbout,
  IdPopPreview2,  // "Show new names", in the window's pop-up menu and the Options menu
  IdMenuPreview,
  IdPopSortbyTaken1,  // "by Date taken", in the list's pop-up menu and the Files menu
  IdMenuSortbyTaken,
  IdMenuLast = IdMenuSortbyTaken,
};

// The system-menu entries: their command numbers are the program's own.
enum SystemMenuId : int {
  IdSysAbout = 1025,
  IdSysSendTo = 1026,
  IdSysStayOnTop = 1027,
  IdSysLikeProgram = 1028,
  IdSysOptions = 1029,
  IdSysHelp = 1030,
  IdSysExplorer = 1031,
};

struct WindowMenus {
  HMENU main = nullptr;   // MainMenu1
  HMENU files = nullptr;  // its "Files" and "Options" menus, prepared as they open
  HMENU options = nullptr;
  HMENU settings = nullptr;  // PopupMenu2
  HMENU list = nullptr;      // PopupMenu1
  HMENU edit = nullptr;      // PopupMenu3
  HMENU info = nullptr;      // PopupMenu5
};

// Builds every menu; `renamers` is the "Rename(rs)" menu, which the main menu
// takes over. The main menu is destroyed with the window it is set on; the
// pop-up menus are freed by DestroyMenus.
WindowMenus CreateMenus(HMENU renamers);
void DestroyMenus(WindowMenus& menus, bool mainMenuShown);

// Gives every item its text in the language the program speaks.
void RetextMenus(const WindowMenus& menus);

// Appends the entries to the window's system menu, with the captions of their
// pop-up twins as they are now.
void AppendSystemMenuEntries(HWND window);

// The caption of a pop-up or main-menu item.
TextId MenuText(int id);

}  // namespace rn
