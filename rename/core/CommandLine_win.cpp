#include "core/CommandLine_win.h"

#include <windows.h>

#include "core/FileRename_win.h"
#include "core/MainForm_win.h"
#include "dialogs/Dialog_win.h"

namespace rn {

std::wstring PairErrorText(const std::wstring& oldName, const std::wstring& newName) {
  return L"Error while renaming  '" + oldName + L"'  to  '" + newName + L"' ";
}

bool TMorvaneFrm1::RunPairMode() {
  const auto& args = context_.args;
  if (args.size() % 2 != 0) {
    ShowMessagePlain(hwnd, L"Not enough Parameters passed on the command line");
    return false;
  }
  RECT r{};
  GetWindowRect(hwnd, &r);
  SetWindowPos(hwnd, nullptr, -600, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (size_t k = 0; k + 1 < args.size(); k += 2) {
    std::wstring folder, oldName, ignored, newName;
    SplitPath(args[k], folder, oldName);
    SplitPath(args[k + 1], ignored, newName);  // the new name's folder part does not count
    // A folder that cannot be entered fails like the rename itself.
    const bool entered = folder.empty() || SetCurrentDirectoryW(folder.c_str());
    if (!entered || RenameEntry(folder + oldName, folder + newName) != 0) {
      ShowMessagePlain(hwnd, PairErrorText(oldName, newName));
      return true;
    }
  }
  return true;
}

void TMorvaneFrm1::RunSendToMode() {
  RunBatch(BatchSource::SendTo, std::vector<std::wstring>(context_.args.begin() + 1, context_.args.end()));
}

}  // namespace rn
