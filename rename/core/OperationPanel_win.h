// The operation panel's controls in the main window. The window's own members
// that build, arrange and read the panel are declared in MainForm_win.h and
// defined in OperationPanel_win.cpp; this header names the controls.
#pragma once
#include <windows.h>

#include "core/MainForm_win.h"

namespace rn {

// Radio button N (operation N) has the id IdRadioButton0 + N.
enum PanelControlId : int {
  IdRadioButton0 = 3000,
  IdSpin3 = 3100,  // InsertAt
  IdScrollBar3,
  IdSpin4,  // TrimCount
  IdScrollBar4,
  IdSpin5,  // TrimAt
  IdScrollBar5,
  IdSpin10,  // KeepHead
  IdScrollBar10,
  IdSpin11,  // KeepTail
  IdScrollBar11,
  IdCheckBox5,  // "of every word"
  IdEdit4a,     // replacement text, over its history list IdComboBox4a
  IdEdit5,      // AddDatePart selector
  IdScrollBar2,
  IdEdit6,  // CaseMode selector
  IdScrollBar6,
  IdEdit7,  // SetDatePart selector
  IdScrollBar7,
  IdEdit8,  // NumberStyle selector
  IdScrollBar8,
  IdCheckBox1,  // "ro"
  IdCheckBox2,  // "a"
  IdCheckBox3,  // "h"
  IdCheckBox4,  // "s"
  IdEditCreat,  // counter of the prefix / counter / suffix group
  IdScrollBarCreat,
};
inline constexpr int RadioId(int operation) { return IdRadioButton0 + operation; }

// Commands of the "Rename(rs)" menu: entry i of the operation catalogue.
inline constexpr int IdRenameMenuFirst = 3500;

// A new "Rename(rs)" pop-up menu (the caller owns it); its commands reach the
// main window as WM_COMMAND and choose the entry's operation.
HMENU CreateRenameMenu();

}  // namespace rn
