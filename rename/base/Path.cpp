#include "base/Path.h"

namespace rn {

void SplitPath(const std::wstring& path, std::wstring& folder, std::wstring& name) {
  size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) {
    // "C:name" keeps its drive in the folder part.
    cut = (path.size() >= 2 && path[1] == L':') ? 1 : std::wstring::npos;
  }
  if (cut == std::wstring::npos) {
    folder.clear();
    name = path;
  } else {
    folder = path.substr(0, cut + 1);
    name = path.substr(cut + 1);
  }
}

std::wstring ExtensionOf(const std::wstring& name) {
  size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

std::wstring FolderOf(const std::wstring& path) {
  std::wstring folder, name;
  SplitPath(path, folder, name);
  return folder;
}

std::wstring ExtensionOfPath(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  const size_t start = slash == std::wstring::npos ? 0 : slash + 1;
  const size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || dot < start) return L"";
  return path.substr(dot);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) return folder + name;
  return folder + L"\\" + name;
}

}  // namespace rn
