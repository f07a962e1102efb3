// The rename run, undo and the CD clean-up from the window: the checks' boxes,
// the commands at rest while a run lasts, the progress bar, the collision
// question and the reports. The handlers are members of the main window
// (core/MainForm_win.h); the decisions are in RenameRun.h, RunChecks.h and
// RunLog.h.
#pragma once
#include <windows.h>

#include <string>

#include "dialogs/Dialog_win.h"

namespace rn {

// " Duplicate file !!" with Yes, No, Cancel and Yes to All.
DialogRequest CollisionRequest(const std::wstring& proposal);

// The report of the rows a run could not rename ("Items not renamed: ...").
std::wstring NotRenamedText(size_t count);
// The report of the rows an undo could not take back.
std::wstring NotRestoredText(size_t count, bool portuguese);

}  // namespace rn
