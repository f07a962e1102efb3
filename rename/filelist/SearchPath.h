// The search dialog's path box: a folder ending in a backslash, followed by
// the filter mask ("c:\photos\*.jpg").
#pragma once
#include <string>

namespace rn {

// The folder part, up to and including the last backslash (empty when none).
std::wstring SearchFolderOf(const std::wstring& searchPath);
// The folder with a backslash appended when it ends in none; blank stays empty.
std::wstring AsFolder(const std::wstring& folder);
// The box's text as the dialog is shown: once the box holds a path it keeps
// its folder; the first time it starts from the last folder added from.
std::wstring ShownSearchPath(const std::wstring& current, const std::wstring& lastFolder, const std::wstring& mask);

}  // namespace rn
