// The one dialog function: every message box of the program goes through
// ShowDialog, so that a test can answer it with a scripted responder. The
// input box and the common dialogs have responders of their own.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace rn {

enum class DialogIcon { None, Information, Warning, Error, Question };

struct DialogRequest {
  std::wstring caption;
  std::wstring text;  // lines break at CR, LF or CR LF
  DialogIcon icon = DialogIcon::None;
  std::vector<std::wstring> buttons;  // captions, left to right
  std::vector<bool> enabled;          // empty = all enabled
  int defaultButton = 0;
  int cancelButton = -1;  // answer when the box is closed or Esc is pressed
  bool topmost = false;   // kept above all windows
  bool placed = false;    // at (x, y) on the screen instead of centred on the owner
  int x = 0, y = 0;
};

// Shows the box modally over owner and returns the index of the button pressed
// (cancelButton when closed otherwise).
int ShowDialog(HWND owner, const DialogRequest& request);

// A test installs a responder that sees every request instead of the user.
using DialogResponder = std::function<int(const DialogRequest&)>;
void SetDialogResponder(DialogResponder responder);

// The application title used as the caption of error and information boxes.
std::wstring ApplicationTitle();

// Standard boxes built on ShowDialog.
void ShowInformation(HWND owner, const std::wstring& text);
void ShowWarning(HWND owner, const std::wstring& text);
void ShowErrorBox(HWND owner, const std::wstring& text);
// A plain box: no icon, OK button, the application title as caption.
void ShowMessagePlain(HWND owner, const std::wstring& text);

}  // namespace rn
