// Editing the list from the window: the list's context menu, removing,
// clearing, sorting, checking and moving rows. The handlers are members of
// the main window (core/MainForm_win.h).
#pragma once
#include <windows.h>

#include <string>

namespace rn {

// The list's context menu (PopupMenu1) and the info panel's (PopupMenu5).
HMENU CreateListMenu();
HMENU CreateInfoMenu();

// The platform's locale-aware comparison without regard to case (<0, 0, >0).
int CompareLocaleNoCase(const std::wstring& a, const std::wstring& b);

}  // namespace rn
