// Modal windows: the owner rests while one is up and comes back whatever
// happens, and the box's messages run until it is done.
#pragma once
#include <windows.h>

#include <functional>

namespace rn {

// Disables the owner for its lifetime; the owner is enabled and activated
// again at its end.
class ModalScope {
 public:
  explicit ModalScope(HWND owner);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  HWND owner_;
  bool ownerWasEnabled_;
};

// The frame of the program's own boxes (message box, input box).
inline constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
inline constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// The window of a box with the given client size, centred on its owner (or
// on the work area when it has none on the screen).
RECT CentredBox(HWND owner, int clientW, int clientH);

// Runs the messages of the thread until `done` is set or `box` is gone, with
// the dialog keys of `box`. A WM_QUIT ends the loop and is left for the main
// loop. `seen` looks at each message before it is dispatched.
void RunModalLoop(HWND box, const bool& done, const std::function<void(const MSG&)>& seen = {});

}  // namespace rn
