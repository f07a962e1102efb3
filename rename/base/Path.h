// Paths as text: folder and name, extension, joining. A folder part keeps
// its trailing backslash, so that folder + name is the whole path again.
#pragma once
#include <string>

namespace rn {

// Splits a path after its last backslash (or slash) into folder and name.
void SplitPath(const std::wstring& path, std::wstring& folder, std::wstring& name);
// The folder part of SplitPath (empty for a bare name).
std::wstring FolderOf(const std::wstring& path);
// The extension of a name with its leading dot, empty when the name has none.
std::wstring ExtensionOf(const std::wstring& name);
// The extension of the last component of a path ("" when that has no dot).
std::wstring ExtensionOfPath(const std::wstring& path);
// folder + name with one backslash between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

}  // namespace rn
