// Adding files and folders from the window: the folder prompt, the open-file
// dialog, dropped files, and the batches that feed the intake. The handlers
// are members of the main window (core/MainForm_win.h).
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "dialogs/Dialog_win.h"

namespace rn {

// The question asked for a folder: its buttons map to FolderChoice in order.
DialogRequest FolderPromptRequest(const RECT& mainWindow);

// The question asked when the filter changes while the list holds entries.
DialogRequest FilterListRequest();

// Every path of a drop, whole (no length limit).
std::vector<std::wstring> DroppedPaths(HDROP drop);

}  // namespace rn
