// Process entry: the single-instance rule, the forms, the message loop.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include "base/FileSystem_win.h"
#include "base/VersionInfo.h"
#include "core/MainForm_win.h"
#include "base/SettingsPlace.h"

namespace rn {

std::wstring ProgramFolder() {
  const std::wstring path = ProgramFilePath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

bool FolderIsWritable(const std::wstring& folder) {
  // Attributes and access lists do not tell (a folder's read-only flag means
  // nothing to Windows; a virtualised or elevated process sees its own view):
  // only making a file there does. It goes when its handle closes.
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::wstring probe =
        folder + L"Rename-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".tmp";
    if (OpenFile(probe, GENERIC_WRITE, 0, CREATE_NEW,
                 FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE))
      return true;
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

std::wstring DecideSettingsFolder(const std::wstring& programFolder) {
  // Wine run as root writes every folder; the tests stand in a folder a normal
  // user cannot write with this variable.
  wchar_t flag[4] = {};
  const bool readOnlyForTest = GetEnvironmentVariableW(L"RENAME_TEST_READONLY_PROGRAM_FOLDER", flag, 4) > 0;
  const bool writable = !readOnlyForTest && FolderIsWritable(programFolder);
  wchar_t appData[MAX_PATH] = {};
  if (writable || FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData)))
    appData[0] = L'\0';
  std::wstring folder = SettingsFolderFor(programFolder, writable, appData);
  if (folder == programFolder) return folder;
  if (!MakeFolder(folder) && GetLastError() != ERROR_ALREADY_EXISTS) return programFolder;
  const std::wstring from = programFolder + kSettingsFileName, to = folder + kSettingsFileName;
  if (SeedSettingsFromProgramFolder(programFolder, folder, FileAttributes(from) != INVALID_FILE_ATTRIBUTES,
                                    FileAttributes(to) != INVALID_FILE_ATTRIBUTES))
    CopyFileTo(from, to, true);
  return folder;
}

int RunProgram(const AppContext& context, int showCommand) {
  // One instance: a second copy ends at once without a word.
  const KernelHandle mutex(CreateMutexW(nullptr, TRUE, L"CalyxoMorvaneSoftware"));
  if (!mutex || GetLastError() != 0) return 0;
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);

  int code = 0;
  {
    TMorvaneFrm1 main(context);
    code = 1;  // a start-up that could not go on has shown why
    if (main.Create(showCommand)) {
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      code = static_cast<int>(msg.wParam);
    }
  }
  ReleaseMutex(mutex.Get());
  return code;
}

}  // namespace rn
