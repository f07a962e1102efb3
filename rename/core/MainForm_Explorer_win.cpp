// The main window's Explorer integration: adding the context-menu extension
// to Explorer or removing it through the registry script, the state the
// three menu entries show, and the Send To link.
#include <windows.h>

#include <shellapi.h>

#include "base/FileIo.h"
#include "base/Texts.h"
#include "base/VersionInfo.h"
#include "core/MainForm_win.h"
#include "filelist/DirScan.h"
#include "shell/Explorer.h"
#include "shell/Registration.h"

namespace rn {

namespace {

bool Confirm(HWND owner, TextId text) {
  const DialogRequest ask{ApplicationTitle(),
                          Text(text),
                          DialogIcon::Question,
                          {Text(TextId::ButtonOk), Text(TextId::ButtonCancel)},
                          {},
                          0,
                          1};
  return ShowDialog(owner, ask) == 0;
}

}  // namespace

void TMorvaneFrm1::StartRegistryImport(const std::wstring& scriptPath) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring regedit = std::wstring(windows) + L"\\regedit.exe";
  const std::wstring parameters = RegeditParameters(scriptPath);
  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof(run);
  run.fMask = SEE_MASK_FLAG_NO_UI;
  run.hwnd = hwnd;
  run.lpVerb = L"runas";
  run.lpFile = regedit.c_str();
  run.lpParameters = parameters.c_str();
  run.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&run);  // a refused elevation is not reported
}

void TMorvaneFrm1::SetExplorerChecks(bool on) {
  const UINT check = MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(menus_.settings, IdPopExplorerContMenu2, check);
  CheckMenuItem(menus_.main, IdMenuAddContextmenu, check);
  CheckMenuItem(GetSystemMenu(hwnd, FALSE), IdSysExplorer, check);
}

bool TMorvaneFrm1::ExplorerEntryChecked() const {
  return (GetMenuState(menus_.settings, IdPopExplorerContMenu2, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TMorvaneFrm1::ToggleExplorerEntry(bool byUser) {
  const bool remove = ExplorerEntryChecked();
  if (byUser && !Confirm(hwnd, remove ? TextId::MsgRemoveContextMenu : TextId::MsgAddContextMenu)) return;
  const bool windows64 = WindowsIs64Bit();
  const std::vector<std::wstring> lines =
      remove ? RemoveScriptLines(windows64) : AddScriptLines(context_.programFolder, WindowsIsNt(), windows64);
  const std::wstring script = context_.settingsFolder + kRegistrationScriptName;
  if (!ReplaceFileContents(script, RegistryScriptBytes(lines))) RaiseLastError();
  SetExplorerChecks(!remove);
  registryImport(script);
  Sleep(registryImportPauseMs);  // the editor imports meanwhile
}

void TMorvaneFrm1::CheckExplorerRegistration() {
  const std::wstring& folder = context_.programFolder;
  if (!IsFile(folder + kExtension32) && !IsFile(folder + kExtension64)) {
    // No extension beside the program: a registration left behind by an
    // earlier copy is taken out (there is nothing to take out without one),
    // and the entries rest.
    if (registrationMarker()) {
      SetExplorerChecks(true);
      ToggleExplorerEntry(false);
    }
    explorerEntryAvailable_ = false;
    for (HMENU m : {menus_.settings, menus_.main})
      for (int id : {int{IdPopExplorerContMenu2}, int{IdMenuAddContextmenu}})
        EnableMenuItem(m, static_cast<UINT>(id), MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(GetSystemMenu(hwnd, FALSE), IdSysExplorer, MF_BYCOMMAND | MF_GRAYED);
    return;
  }
  SetExplorerChecks(registrationMarker());
}

void TMorvaneFrm1::PopExplorerContMenu2Click() { ToggleExplorerEntry(true); }

void TMorvaneFrm1::PopSendToExt2Click() {
  const std::optional<std::wstring> sendTo = SendToFolder();
  if (!sendTo) {
    ShowMessagePlain(hwnd, Text(TextId::MsgNoSendToFolder));
    return;
  }
  const std::wstring link = *sendTo + L"\\" + kSendToLinkName;
  if (SaveShellLink(link, ProgramFilePath(), kSendToArguments, context_.programFolder) == LinkResult::SaveFailed)
    ShowMessagePlain(hwnd, Text(TextId::MsgSendToLinkFailed));
}

}  // namespace rn
