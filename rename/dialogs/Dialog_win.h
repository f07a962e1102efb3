// The one dialog function: every message box of the program goes through
// ShowDialog, so that a test can answer it with a scripted responder.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
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

// The open-file dialog: several files, no read-only box, resizable.
struct OpenFilesRequest {
  std::vector<std::wstring> filterNames, filterPatterns;  // parallel lists
  int filterIndex = 0;                                    // 0-based
  std::wstring initialFolder;
  std::wstring fileName;  // text put into the file-name box
};
struct OpenFilesResult {
  bool ok = false;                  // false when cancelled
  std::vector<std::wstring> paths;  // full paths, in the dialog's order
  int filterIndex = 0;              // the entry the user chose last, 0-based
};
OpenFilesResult ShowOpenFiles(HWND owner, const OpenFilesRequest& request);

// The system's folder browser (file-system folders only); nothing when cancelled.
std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder);

// Tests answer these dialogs as well; without a responder the real dialog shows.
using OpenFilesResponder = std::function<OpenFilesResult(const OpenFilesRequest&)>;
void SetOpenFilesResponder(OpenFilesResponder responder);
struct BrowseRequest {
  std::wstring title, initialFolder;
};
using BrowseResponder = std::function<std::optional<std::wstring>(const BrowseRequest&)>;
void SetBrowseResponder(BrowseResponder responder);

// A one-line input box (the system's input query): the confirmed text, or
// nothing when cancelled.
struct InputRequest {
  std::wstring caption, prompt, value;
};
std::optional<std::wstring> ShowInputBox(HWND owner, const InputRequest& request);
using InputResponder = std::function<std::optional<std::wstring>(const InputRequest&)>;
void SetInputResponder(InputResponder responder);

// The application title used as the caption of error and information boxes.
std::wstring ApplicationTitle();

// Standard boxes built on ShowDialog.
void ShowInformation(HWND owner, const std::wstring& text);
void ShowErrorBox(HWND owner, const std::wstring& text);
// A plain box: no icon, OK button, the application title as caption.
void ShowMessagePlain(HWND owner, const std::wstring& text);

}  // namespace rn
