// Process entry: the single-instance rule, the forms, the message loop.
#include <windows.h>

#include <commctrl.h>

#include "core/MainForm_win.h"

namespace rn {

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
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
