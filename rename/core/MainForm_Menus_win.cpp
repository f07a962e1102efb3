// The main window's menus and toggles: the main menu and its preparation,
// the window's pop-up menu (also behind Panel1), the edit boxes' menu, the
// system-menu entries, stay on top, hiding the main menu, and the message
// hook that opens help on F1, gives the window the keys of a dialog and
// repaints buttons after Tab and Alt.
#include <windows.h>

#include <windowsx.h>

#include <vector>

#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "ui/CharPosit_win.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"
#include "ui/InfoPanel_win.h"

namespace rn {

namespace {

// The program has one main window per thread; the hook finds it here.
TMorvaneFrm1* g_hooked = nullptr;

// Sees every message taken from the thread's queue and lets each go on.
LRESULT CALLBACK MessageHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE && g_hooked) {
    MSG& m = *reinterpret_cast<MSG*>(lp);
    Guarded(g_hooked->hwnd, [&] {
      g_hooked->HookedMessage(m);
      return LRESULT{0};
    });
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// Commands of the window's and the main menu that a build may not have yet.
constexpr int kMenuCommands[] = {IdPopOptions2,      IdMenuOptions,          IdPopHelp2,
                                 IdMenuMorvanesHelp, IdPopDonate2,           IdMenuDonate,
                                 IdPopLikeProgram2,  IdMenuLikeprogram,      IdPopAbout2,
                                 IdMenuAbout,        IdMenuSoftwareNews,     IdMenuCheckVersions,
                                 IdMenuCreateScript, IdPopExplorerContMenu2, IdMenuAddContextmenu,
                                 IdPopSendToExt2,    IdMenuCreateSendto};

bool IsEditBox(HWND control) {
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  return lstrcmpiW(cls, L"Edit") == 0;
}

bool IsComboBox(HWND control) {
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  return lstrcmpiW(cls, L"ComboBox") == 0;
}

// The edit part of a combo box, or the control itself.
HWND EditPartOf(HWND control) {
  if (!IsComboBox(control)) return control;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  return GetComboBoxInfo(control, &info) && info.hwndItem ? info.hwndItem : control;
}

// Edit boxes show a menu of their own; the boxes that carry the program's
// edit menu hand the right-click to the main window instead.
LRESULT EditMenuHook(HWND control, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR main) {
  if (msg != WM_CONTEXTMENU) return CallControl(control, msg, wp, lp);
  SendMessageW(reinterpret_cast<HWND>(main), kEditMenuMessage, reinterpret_cast<WPARAM>(control), lp);
  return 0;
}

}  // namespace

void TMorvaneFrm1::AttachEditMenu(std::initializer_list<int> ids) {
  for (int id : ids) {
    HWND edit = EditPartOf(Control(id));
    if (edit != Control(id) || IsEditBox(edit)) HookControl(edit, EditMenuHook, reinterpret_cast<DWORD_PTR>(hwnd));
  }
}

void TMorvaneFrm1::InstallMessageHook() {
  g_hooked = this;
  messageHook_ = SetWindowsHookExW(WH_GETMESSAGE, MessageHook, nullptr, GetCurrentThreadId());
}

void TMorvaneFrm1::ReleaseMessageHook() {
  if (messageHook_) UnhookWindowsHookEx(messageHook_);
  messageHook_ = nullptr;
  if (g_hooked == this) g_hooked = nullptr;
}

void TMorvaneFrm1::HookedMessage(MSG& m) {
  if (KeyboardKey(m)) {
    m.message = WM_NULL;
    return;
  }
  if (m.message == WM_KEYDOWN && m.wParam == VK_F1) {
    HWND active = GetActiveWindow();
    // A message box asks no help; the other forms give their context number.
    wchar_t cls[32] = {};
    if (active && GetClassNameW(active, cls, 32) && lstrcmpW(cls, L"TMessageForm") == 0) return;
    // A control with a page of its own opens it; else the form's page.
    DWORD context = m.hwnd ? GetWindowContextHelpId(m.hwnd) : 0;
    if (!context && active) context = GetWindowContextHelpId(active);
    ShowHelpContext(static_cast<int>(context), false);
  } else if ((m.message == WM_KEYUP || m.message == WM_SYSKEYUP) && m.hwnd) {
    RefreshControlsAfterKey(GetAncestor(m.hwnd, GA_ROOT), static_cast<UINT>(m.wParam));
  }
}

void TMorvaneFrm1::AppendSystemMenuEntries() {
  rn::AppendSystemMenuEntries(hwnd);
  HMENU system = GetSystemMenu(hwnd, FALSE);
  for (int id = IdSysAbout; id <= IdSysExplorer; ++id)
    if (!CommandBuilt(id)) EnableMenuItem(system, static_cast<UINT>(id), MF_BYCOMMAND | MF_GRAYED);
  for (int id : {IdSpeedButton1, IdSpeedButton2}) EnableWindow(Control(id), CommandBuilt(id));
}

bool TMorvaneFrm1::CommandBuilt(int id) const {
  switch (id) {
    case IdPopExplorerContMenu2:
    case IdMenuAddContextmenu:
    case IdSysExplorer: return explorerEntryAvailable_;
    default: return true;
  }
}

// Every command of the main window, in one table: the control, menu item or
// system-menu entry (whose numbers are some controls' too, hence the
// source), and the handler it runs. Menu items that share a handler with a
// control or with each other come in pairs.
bool TMorvaneFrm1::RunCommand(CommandSource source, int id) {
  struct Command {
    CommandSource source;
    int id;
    void (TMorvaneFrm1::*run)();
  };
  static constexpr Command kCommands[] = {
      // The buttons and tool strip.
      {CommandSource::Window, IdButton1, &TMorvaneFrm1::Button1Click},
      {CommandSource::Window, IdButton2, &TMorvaneFrm1::Button2Click},
      {CommandSource::Window, IdButton3, &TMorvaneFrm1::Button3Click},
      {CommandSource::Window, IdButton4, &TMorvaneFrm1::Button4Click},
      {CommandSource::Window, IdButton5, &TMorvaneFrm1::Button5Click},
      {CommandSource::Window, IdButton9, &TMorvaneFrm1::Button9Click},    // edit the chosen script
      {CommandSource::Window, IdButton10, &TMorvaneFrm1::Button10Click},  // run it
      {CommandSource::Window, IdButton11, &TMorvaneFrm1::Button11Click},  // delete it
      {CommandSource::Window, IdButton12, &TMorvaneFrm1::Button12Click},  // a new script
      {CommandSource::Window, IdSpeedButton1, &TMorvaneFrm1::SpeedButton1Click},
      {CommandSource::Window, IdSpeedButton2, &TMorvaneFrm1::SpeedButton2Click},
      {CommandSource::Window, IdSpeedButton3, &TMorvaneFrm1::SpeedButton3Click},
      {CommandSource::Window, IdSpeedButton4, &TMorvaneFrm1::SpeedButton4Click},
      {CommandSource::Window, IdSpeedButton5, &TMorvaneFrm1::SpeedButton5Click},
      {CommandSource::Window, IdPanel1, &TMorvaneFrm1::Panel1Click},
      {CommandSource::Window, kInfoCloseId, &TMorvaneFrm1::ToggleInfoPanel},
      {CommandSource::Window, kCharPositCloseId, &TMorvaneFrm1::CharPositClosed},
      // The list's pop-up menu.
      {CommandSource::Window, IdPopRemoveFile1, &TMorvaneFrm1::PopRemoveFile1Click},
      {CommandSource::Window, IdPopAddFiles1, &TMorvaneFrm1::PopAddFiles1Click},
      {CommandSource::Window, IdPopSortbyName1, &TMorvaneFrm1::PopSortbyName1Click},
      {CommandSource::Window, IdPopSortbyDate1, &TMorvaneFrm1::PopSortbyDate1Click},
      {CommandSource::Window, IdPopSortbyType1, &TMorvaneFrm1::PopSortbyType1Click},
      {CommandSource::Window, IdPopSortbyTaken1, &TMorvaneFrm1::PopSortbyTaken1Click},
      {CommandSource::Window, IdPopCheckFiles1, &TMorvaneFrm1::PopCheckFiles1Click},
      {CommandSource::Window, IdPopUnCheckFiles1, &TMorvaneFrm1::PopUnCheckFiles1Click},
      {CommandSource::Window, IdPopSelectAll1, &TMorvaneFrm1::PopSelectAll1Click},
      {CommandSource::Window, IdPopClearList1, &TMorvaneFrm1::PopClearList1Click},
      {CommandSource::Window, IdPopGetFileDate1, &TMorvaneFrm1::PopGetFileDate1Click},
      {CommandSource::Window, IdPopGetFileAttr1, &TMorvaneFrm1::PopGetFileAttr1Click},
      {CommandSource::Window, IdPopCharPosit1, &TMorvaneFrm1::PopCharPosit1Click},
      {CommandSource::Window, IdPopInfoPanel1, &TMorvaneFrm1::PopInfoPanel1Click},
      // The information panel's menu.
      {CommandSource::Window, IdPopFileInfo5, &TMorvaneFrm1::PopFileInfo5Click},
      {CommandSource::Window, IdPopCopy5, &TMorvaneFrm1::PopCopy5Click},
      // The settings pop-up and the main menu's entries of the same action.
      {CommandSource::Window, IdPopStayonTop2, &TMorvaneFrm1::PopStayonTop2Click},
      {CommandSource::Window, IdMenuStayonTop, &TMorvaneFrm1::PopStayonTop2Click},
      {CommandSource::Window, IdPopOptions2, &TMorvaneFrm1::PopOptions2Click},
      {CommandSource::Window, IdMenuOptions, &TMorvaneFrm1::PopOptions2Click},
      {CommandSource::Window, IdPopFileInfo2, &TMorvaneFrm1::PopFileInfo2Click},
      {CommandSource::Window, IdMenuFileInfo, &TMorvaneFrm1::PopFileInfo2Click},
      {CommandSource::Window, IdPopHideMenu2, &TMorvaneFrm1::PopHideMenu2Click},
      {CommandSource::Window, IdMenuHideMenu, &TMorvaneFrm1::PopHideMenu2Click},
      {CommandSource::Window, IdPopPreview2, &TMorvaneFrm1::PopPreview2Click},
      {CommandSource::Window, IdMenuPreview, &TMorvaneFrm1::PopPreview2Click},
      {CommandSource::Window, IdPopHelp2, &TMorvaneFrm1::PopHelp2Click},
      {CommandSource::Window, IdMenuMorvanesHelp, &TMorvaneFrm1::PopHelp2Click},
      {CommandSource::Window, IdPopDonate2, &TMorvaneFrm1::PopDonate2Click},
      {CommandSource::Window, IdMenuDonate, &TMorvaneFrm1::PopDonate2Click},
      {CommandSource::Window, IdPopLikeProgram2, &TMorvaneFrm1::PopLikeProgram2Click},
      {CommandSource::Window, IdMenuLikeprogram, &TMorvaneFrm1::PopLikeProgram2Click},
      {CommandSource::Window, IdPopAbout2, &TMorvaneFrm1::PopAbout2Click},
      {CommandSource::Window, IdMenuAbout, &TMorvaneFrm1::PopAbout2Click},
      {CommandSource::Window, IdPopExplorerContMenu2, &TMorvaneFrm1::PopExplorerContMenu2Click},
      {CommandSource::Window, IdMenuAddContextmenu, &TMorvaneFrm1::PopExplorerContMenu2Click},
      {CommandSource::Window, IdPopSendToExt2, &TMorvaneFrm1::PopSendToExt2Click},
      {CommandSource::Window, IdMenuCreateSendto, &TMorvaneFrm1::PopSendToExt2Click},
      // The edit boxes' menu.
      {CommandSource::Window, IdPopCut3, &TMorvaneFrm1::PopCut3Click},
      {CommandSource::Window, IdPopCopy3, &TMorvaneFrm1::PopCopy3Click},
      {CommandSource::Window, IdPopPaste3, &TMorvaneFrm1::PopPaste3Click},
      {CommandSource::Window, IdPopDelete3, &TMorvaneFrm1::PopDelete3Click},
      {CommandSource::Window, IdPopSelectAll3, &TMorvaneFrm1::PopSelectAll3Click},
      // The main menu's own entries: the same actions as buttons and pop-ups.
      {CommandSource::Window, IdMenuAddFiles, &TMorvaneFrm1::PopAddFiles1Click},
      {CommandSource::Window, IdMenuSearchFiles, &TMorvaneFrm1::SpeedButton4Click},
      {CommandSource::Window, IdMenuSortbyName, &TMorvaneFrm1::PopSortbyName1Click},
      {CommandSource::Window, IdMenuSortbyDate, &TMorvaneFrm1::PopSortbyDate1Click},
      {CommandSource::Window, IdMenuSortbyType, &TMorvaneFrm1::PopSortbyType1Click},
      {CommandSource::Window, IdMenuSortbyTaken, &TMorvaneFrm1::PopSortbyTaken1Click},
      {CommandSource::Window, IdMenuRemovefiles, &TMorvaneFrm1::PopRemoveFile1Click},
      {CommandSource::Window, IdMenuRenamefiles, &TMorvaneFrm1::Button2Click},
      {CommandSource::Window, IdMenuUndolastrenames, &TMorvaneFrm1::Button3Click},
      {CommandSource::Window, IdMenuClearlistoffiles, &TMorvaneFrm1::PopClearList1Click},
      {CommandSource::Window, IdMenuGetfileDate, &TMorvaneFrm1::PopGetFileDate1Click},
      {CommandSource::Window, IdMenuGetfileAttr, &TMorvaneFrm1::PopGetFileAttr1Click},
      {CommandSource::Window, IdMenuCharposition, &TMorvaneFrm1::PopCharPosit1Click},
      {CommandSource::Window, IdMenuExit, &TMorvaneFrm1::Button5Click},
      {CommandSource::Window, IdMenuCreateScript, &TMorvaneFrm1::MenuCreateScriptClick},
      {CommandSource::Window, IdMenuRenameforCD, &TMorvaneFrm1::SpeedButton5Click},
      {CommandSource::Window, IdMenuSoftwareNews, &TMorvaneFrm1::MenuSoftwareNewsClick},
      {CommandSource::Window, IdMenuCheckVersions, &TMorvaneFrm1::MenuCheckVersionsClick},
      // The system menu's entries.
      {CommandSource::SystemMenu, IdSysStayOnTop, &TMorvaneFrm1::PopStayonTop2Click},
      {CommandSource::SystemMenu, IdSysOptions, &TMorvaneFrm1::PopOptions2Click},
      {CommandSource::SystemMenu, IdSysHelp, &TMorvaneFrm1::PopHelp2Click},
      {CommandSource::SystemMenu, IdSysLikeProgram, &TMorvaneFrm1::DonateFromSystemMenu},
      {CommandSource::SystemMenu, IdSysAbout, &TMorvaneFrm1::PopAbout2Click},
      {CommandSource::SystemMenu, IdSysExplorer, &TMorvaneFrm1::PopExplorerContMenu2Click},
      {CommandSource::SystemMenu, IdSysSendTo, &TMorvaneFrm1::PopSendToExt2Click},
  };
  for (const Command& c : kCommands) {
    if (c.source != source || c.id != id) continue;
    if (CommandBuilt(id)) (this->*c.run)();  // an entry whose action is not there does nothing
    return true;
  }
  return false;
}

void TMorvaneFrm1::SystemMenuClick(int id) { RunCommand(CommandSource::SystemMenu, id); }

void TMorvaneFrm1::CharPositClosed() {}  // the strip has parked itself

// ---------------------------------------------------------------------------
// Toggles

void TMorvaneFrm1::PopStayonTop2Click() { SetStayOnTop(!stayOnTop); }
void TMorvaneFrm1::SpeedButton3Click() { SetStayOnTop(!stayOnTop); }
void TMorvaneFrm1::PopHideMenu2Click() { SetMainMenuShown(!showMenus); }
void TMorvaneFrm1::PopFileInfo2Click() { ToggleInfoPanel(); }
void TMorvaneFrm1::PopPreview2Click() { SetPreviewShown(!showPreview); }

void TMorvaneFrm1::SetStayOnTop(bool on) {
  stayOnTop = on;
  SetChecked(Control(IdSpeedButton3), on);
  const UINT check = MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(GetSystemMenu(hwnd, FALSE), IdSysStayOnTop, check);
  CheckMenuItem(menus_.settings, IdPopStayonTop2, check);
  CheckMenuItem(menus_.main, IdMenuStayonTop, check);
  if (on == ((GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)) return;  // in its band already
  // The system may move the windows this one owns (its tooltips, the welcome
  // box, an open dialog) into the band first and then put this one behind
  // the last of them, out of the band when that one is not topmost (Wine
  // does). They are let go for the move and taken back after it; one that
  // shows is put back above the window.
  std::vector<HWND> owned{hwnd};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) {
        auto& list = *reinterpret_cast<std::vector<HWND>*>(lp);
        if (GetWindow(w, GW_OWNER) == list.front()) list.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&owned));
  owned.erase(owned.begin());
  for (HWND w : owned) SetWindowLongPtrW(w, GWLP_HWNDPARENT, 0);
  const HWND band = on ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(hwnd, band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (HWND w : owned) {
    SetWindowLongPtrW(w, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwnd));
    if (IsWindowVisible(w)) SetWindowPos(w, band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TMorvaneFrm1::SetMainMenuShown(bool shown) {
  showMenus = shown;
  SetMenu(hwnd, shown ? menus_.main : nullptr);
  const UINT check = MF_BYCOMMAND | (shown ? MF_UNCHECKED : MF_CHECKED);
  CheckMenuItem(menus_.settings, IdPopHideMenu2, check);
  CheckMenuItem(menus_.main, IdMenuHideMenu, check);
}

void TMorvaneFrm1::ApplyMainMenu() { SetMainMenuShown(showMenus); }

// ---------------------------------------------------------------------------
// Menus as they open

void TMorvaneFrm1::PrepareMainMenu(HMENU menu) {
  if (menu == menus_.files || menu == menus_.options) {
    const UINT state = MF_BYCOMMAND | (fileList.Empty() ? MF_GRAYED : MF_ENABLED);
    for (int id : {IdMenuRemovefiles, IdMenuClearlistoffiles, IdMenuGetfileDate, IdMenuGetfileAttr, IdMenuCharposition,
                   IdMenuRenameforCD, IdMenuRenamefiles})
      EnableMenuItem(menus_.main, id, state);
    EnableMenuItem(menus_.files, 3, MF_BYPOSITION | (fileList.Empty() ? MF_GRAYED : MF_ENABLED));  // "&Sort Files"
    EnableMenuItem(menus_.main, IdMenuUndolastrenames,
                   MF_BYCOMMAND | (IsWindowEnabled(Control(IdButton3)) ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menus_.main, IdMenuFileInfo, MF_BYCOMMAND | (infoPanelOpen ? MF_CHECKED : MF_UNCHECKED));
  }
  for (HMENU m : {menus_.main, menus_.settings})
    for (int id : kMenuCommands)
      if (!CommandBuilt(id)) EnableMenuItem(m, id, MF_BYCOMMAND | MF_GRAYED);
  if (panel) panel->MarkRenameMenu(menu);
}

void TMorvaneFrm1::ShowSettingsMenu(POINT screen) {
  PrepareMainMenu(menus_.settings);
  CheckMenuItem(menus_.settings, IdPopFileInfo2, MF_BYCOMMAND | (infoPanelOpen ? MF_CHECKED : MF_UNCHECKED));
  TrackPopupMenu(menus_.settings, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd, nullptr);
}

void TMorvaneFrm1::Panel1Click() {
  // Shown pressed while its menu is open.
  HWND p = Control(IdPanel1);
  const LONG_PTR ex = GetWindowLongPtrW(p, GWL_EXSTYLE);
  SetWindowLongPtrW(p, GWL_EXSTYLE, (ex & ~WS_EX_DLGMODALFRAME) | WS_EX_STATICEDGE);
  SetWindowPos(p, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RECT r{};
  GetWindowRect(p, &r);
  ShowSettingsMenu(POINT{r.left + 5, r.top + 4});
  SetWindowLongPtrW(p, GWL_EXSTYLE, ex);
  SetWindowPos(p, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

// ---------------------------------------------------------------------------
// The edit boxes' menu

bool TMorvaneFrm1::HasEditMenu(HWND control) const {
  for (int id :
       {int{IdComboBox2}, int{IdEdit4a}, int{IdComboBox4a}, int{IdComboBoxCreat2}, int{IdComboBox3}, int{IdEditDate}})
    if (control == Control(id) || GetParent(control) == Control(id)) return true;
  return false;
}

void TMorvaneFrm1::ShowEditMenu(HWND control, POINT screen) {
  if (GetParent(control) != hwnd) control = GetParent(control);  // a combo box's edit part
  if (IsEditBox(control) || IsComboBox(control)) SetFocus(control);
  editMenuTarget_ = control;
  if (screen.x == -1 && screen.y == -1) {
    const RECT r = ControlBounds(control);
    screen = POINT{r.left, r.bottom};
    ClientToScreen(hwnd, &screen);
  }
  TrackPopupMenu(menus_.edit, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd, nullptr);
}

void TMorvaneFrm1::PopCut3Click() { SendMessageW(EditPartOf(editMenuTarget_), WM_CUT, 0, 0); }
void TMorvaneFrm1::PopCopy3Click() { SendMessageW(EditPartOf(editMenuTarget_), WM_COPY, 0, 0); }

void TMorvaneFrm1::PopPaste3Click() {
  // The pasted text replaces everything the box held.
  HWND edit = EditPartOf(editMenuTarget_);
  SetWindowTextW(edit, L"");
  SendMessageW(edit, WM_PASTE, 0, 0);
}

void TMorvaneFrm1::PopDelete3Click() {
  // Removes the type filter box's current text from its list.
  HWND filter = Control(IdComboBox1);
  const std::wstring text = WindowText(filter);
  const LRESULT found =
      SendMessageW(filter, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  if (found != CB_ERR && ComboItemText(filter, static_cast<int>(found)) == text)
    SendMessageW(filter, CB_DELETESTRING, static_cast<WPARAM>(found), 0);
}

void TMorvaneFrm1::PopSelectAll3Click() {
  HWND target = editMenuTarget_;
  if (IsComboBox(target))
    SendMessageW(target, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  else
    SendMessageW(target, EM_SETSEL, 0, -1);
}

// ---------------------------------------------------------------------------
// Commands whose dialogs join later: their items and buttons rest until then
// (CommandBuilt).

}  // namespace rn
