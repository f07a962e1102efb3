// The system's open-file dialog and folder browser; tests answer them too.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rn {

// The open-file dialog: several files, no read-only box, resizable.
struct OpenFilesRequest {
  std::wstring title;
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

}  // namespace rn
