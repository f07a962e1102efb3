#include "ui/Modal_win.h"

namespace rn {

ModalScope::ModalScope(HWND owner) : owner_(owner), ownerWasEnabled_(owner && IsWindowEnabled(owner)) {
  if (ownerWasEnabled_) EnableWindow(owner_, FALSE);
}

ModalScope::~ModalScope() {
  if (!ownerWasEnabled_) return;
  EnableWindow(owner_, TRUE);
  SetActiveWindow(owner_);
}

RECT CentredBox(HWND owner, int clientW, int clientH) {
  RECT wr{0, 0, clientW, clientH};
  AdjustWindowRectEx(&wr, kBoxStyle, FALSE, kBoxExStyle);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  RECT area{};
  if (owner && IsWindowVisible(owner))
    GetWindowRect(owner, &area);
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const int x = area.left + ((area.right - area.left) - w) / 2, y = area.top + ((area.bottom - area.top) - h) / 2;
  return RECT{x, y, x + w, y + h};
}

void RunModalLoop(HWND box, const bool& done, const std::function<void(const MSG&)>& seen) {
  MSG m;
  while (!done && IsWindow(box)) {
    const BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(m.wParam));  // the program is ending
      break;
    }
    if (got < 0) break;
    if (seen) seen(m);
    if (!IsDialogMessageW(box, &m)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
}

}  // namespace rn
