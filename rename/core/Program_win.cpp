// Process entry: the single-instance rule, the forms, the message loop.
#include <windows.h>

#include <commctrl.h>

#include "base/VersionInfo.h"
#include "core/MainForm_win.h"

namespace rn {

std::wstring ProgramFolder() {
  const std::wstring path = ProgramFilePath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

int RunProgram(const AppContext& context, int showCommand) {
  // One instance: a second copy ends at once without a word.
  HANDLE mutex = CreateMutexW(nullptr, TRUE, L"CalyxoMorvaneSoftware");
  if (!mutex || GetLastError() != 0) {
    if (mutex) CloseHandle(mutex);
    return 0;
  }
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);

  int code = 0;
  {
    TMorvaneFrm1 main(context);
    if (main.Create(showCommand)) {
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      code = static_cast<int>(msg.wParam);
    }
  }
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return code;
}

}  // namespace rn
